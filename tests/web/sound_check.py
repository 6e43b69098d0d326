#!/usr/bin/env python3
"""Judges the sound the page handed to Web Audio while it played the journey to the end, as the
native game's capture is judged: the first note, the oars' hiss, the first visit's chord.

    sound_check.py SAMPLES BUFFERS VISIT

SAMPLES holds the buffers' mono samples in order (signed 16-bit little-endian), BUFFERS a line
per buffer: its length, the world's tick when it was mixed and the time Web Audio was told to
start it (in seconds); VISIT is the first visit's tick.
"""
import os
import struct
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "audio"))
from check_capture import RATE, check_chord, check_first_note  # noqa: E402

SIZE = 2048  # samples in each of the page's buffers
# The hiss's mean over half a second while rowing: velmoor-sim's offline mix of this journey
# holds it between 41.7 and 42.6 from 2.5 s on (the page's between 38 and 47), while without
# strokes it has faded to under 5 by then; strokes fed by half or twice as much fall outside.
HISS = (30, 60)
failures = []


def check(ok, why):
    if not ok:
        failures.append(why)
        print("FAIL: " + why)


def main():
    data = open(sys.argv[1], "rb").read()
    left = struct.unpack("<%dh" % (len(data) // 2), data)
    buffers = [line.split() for line in open(sys.argv[2])]
    visit = int(sys.argv[3])
    ticks = [int(b[1]) for b in buffers]
    starts = [float(b[2]) * RATE for b in buffers]
    print("%d buffers of %s samples, mixed from tick %d to %d" %
          (len(buffers), "/".join(sorted({b[0] for b in buffers})), ticks[0], ticks[-1]))
    if any(int(b[0]) != SIZE for b in buffers) or len(left) != SIZE * len(buffers):
        check(False, "the buffers are not all of %d samples" % SIZE)
        sys.exit(1)
    check(ticks == sorted(ticks), "the buffers' ticks go back")
    # Each buffer is to be heard as the one before ends: a gap is a stutter.
    gaps = [i for i in range(1, len(starts)) if abs(starts[i] - starts[i - 1] - SIZE) > 1]
    check(not gaps, "%d gaps between buffers heard, the first before buffer %d"
          % (len(gaps), (gaps or [0])[0]))
    check_first_note(left[:RATE])

    def at(tick):
        """The first sample of the first buffer mixed once TICK had run."""
        return SIZE * next((i for i, t in enumerate(ticks) if t >= tick), len(ticks))

    # The chord is looked for up to 1.6 s after the visit.
    check(len(left) >= at(visit) + 70000, "the sound stops at tick %d" % ticks[-1])
    if failures:
        sys.exit(1)  # what follows is judged by the ticks

    # The journey rows from its first tick on, each stroke feeding the hiss again.
    def hiss(a, b):
        w = left[at(a):at(b)]
        return sum(w) / len(w)

    levels = [hiss(t, t + 20) for t in range(100, visit - 20, 10)]
    print("hiss mean while rowing: %.1f to %.1f (%d to %d)" % (min(levels), max(levels), *HISS))
    check(HISS[0] < min(levels) and max(levels) < HISS[1], "the hiss is not kept up while rowing")
    check_chord(left, at, visit, check)
    sys.exit(1 if failures else 0)


if __name__ == "__main__":
    main()
