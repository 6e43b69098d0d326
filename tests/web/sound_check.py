#!/usr/bin/env python3
"""Judges the sound the page handed to Web Audio while it played the journey to the end, as the
native game's capture is judged: the first note, the oars' hiss, the first visit's chord.

    sound_check.py SAMPLES BUFFERS VISIT

SAMPLES holds the buffers' mono samples in order (signed 16-bit little-endian), BUFFERS a line
per buffer: its length and the world's tick when it was mixed; VISIT is the first visit's tick.
"""
import os
import struct
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "audio"))
from check_capture import RATE, check_chord, check_first_note  # noqa: E402

SIZE = 2048  # samples in each of the page's buffers
# The hiss's mean while rowing: velmoor-sim's offline mix of this journey keeps it at 23 and
# more from 2.5 s on, while without strokes it has faded to under 5 by then.
HISS = 12
failures = []


def check(ok, why):
    if not ok:
        failures.append(why)
        print("FAIL: " + why)


def main():
    data = open(sys.argv[1], "rb").read()
    left = struct.unpack("<%dh" % (len(data) // 2), data)
    buffers = [tuple(map(int, line.split())) for line in open(sys.argv[2])]
    visit = int(sys.argv[3])
    ticks = [t for _, t in buffers]
    print("%d buffers of %s samples, mixed from tick %d to %d" %
          (len(buffers), "/".join(sorted({str(n) for n, _ in buffers})), ticks[0], ticks[-1]))
    if any(n != SIZE for n, _ in buffers) or len(left) != SIZE * len(buffers):
        check(False, "the buffers are not all of %d samples" % SIZE)
        sys.exit(1)
    check(ticks == sorted(ticks), "the buffers' ticks go back")
    check_first_note(left[:RATE])

    def at(tick):
        """The first sample of the first buffer mixed once TICK had run."""
        return SIZE * next((i for i, t in enumerate(ticks) if t >= tick), len(ticks))

    # The ticks and the sound both run in real time: a buffer lost or mixed twice shifts the
    # sound against the ticks. The mixer works a few buffers ahead of what is heard.
    ahead = at(visit) / RATE - visit / 40.0
    print("the visit's sound %.2f s ahead of its tick's time" % ahead)
    check(0 <= ahead < 0.5, "the sound is not in step with the ticks")

    # The journey rows from its first tick on, each stroke feeding the hiss again.
    def hiss(a, b):
        w = left[at(a):at(b)]
        return sum(w) / len(w)

    levels = [hiss(t, t + 20) for t in range(100, visit - 20, 10)]
    print("hiss mean while rowing: at least %.1f, on average %.1f" %
          (min(levels), sum(levels) / len(levels)))
    check(min(levels) > HISS, "the hiss fades while rowing")
    check_chord(left, at, visit, check)
    sys.exit(1 if failures else 0)


if __name__ == "__main__":
    main()
