#!/usr/bin/env python3
"""Judges the sound the page handed to Web Audio while it played the journey to the end, as the
native game's capture is judged: the first note, the oars' hiss, the first visit's chord.

    sound_check.py SAMPLES BUFFERS VISIT

SAMPLES holds the buffers' mono samples in order (signed 16-bit little-endian), BUFFERS a line
per buffer: its length, the world's tick when it was mixed and the time Web Audio was told to
start it (in seconds); VISIT is the first visit's tick. The sound is judged as mixed, buffer
after buffer; gaps in playing it back are only told.
"""
import os
import struct
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "audio"))
from check_capture import RATE, check, check_chord, check_first_note, failures  # noqa: E402

SIZE = 2048  # samples in each of the page's buffers
# The hiss's mean over half a second while rowing: velmoor-sim's offline mix of this journey
# holds it between 41.7 and 42.6 from 2.5 s on, the page between 38.5 and 45 (55 after the
# main thread of a busy machine stalled, and the strokes' feeds came at once), while without
# strokes it has faded to under 5 by then. Every half second must be above 30 and their mean
# below 60: strokes feeding it half or twice as much fall outside.
HISS = (30, 60)


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
    # A buffer mixed late is heard after a gap: a stutter, told but not judged, since on a busy
    # machine the page's main thread may come late by itself.
    gaps = [b - a - SIZE for a, b in zip(starts, starts[1:]) if b - a - SIZE > 1]
    print("%d stutters in playback, %.2f s in all" % (len(gaps), sum(gaps) / RATE))
    check_first_note(left[:RATE])

    def at(tick):
        """The first sample of the first buffer mixed once TICK had run."""
        return SIZE * next((i for i, t in enumerate(ticks) if t >= tick), len(ticks))

    # The click starts the game and its sound together; the chord is looked for up to 1.6 s
    # after the visit.
    heard = next((t for t in ticks if t > 0), visit)
    if heard > 200 or len(left) < at(visit) + 70000:
        check(False, "the sound ran only from tick %d to %d" % (heard, ticks[-1]))
        sys.exit(1)

    # The journey rows from its first tick on, each stroke feeding the hiss again; it is judged
    # from 2.5 s on, when the level it starts with has faded.
    def hiss(a, b):
        w = left[at(a):at(b)]
        return sum(w) / len(w)

    levels = [hiss(t, t + 20) for t in range(heard + 100, visit - 20, 10)]
    mean = sum(levels) / len(levels)
    print("hiss mean while rowing: %.1f to %.1f, on average %.1f (%d to %d)"
          % (min(levels), max(levels), mean, *HISS))
    check(HISS[0] < min(levels) and mean < HISS[1], "the hiss is not kept up while rowing")
    check_chord(left, at, visit)
    sys.exit(1 if failures else 0)


if __name__ == "__main__":
    main()
