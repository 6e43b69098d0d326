#!/usr/bin/env python3
"""Checks what the game's mixer wrote through SDL's disk driver (signed 16-bit little-endian,
stereo, 44100 Hz): a valid stream, the first melody note at 311.1 Hz and the hiss decaying.
The play-through's and the page's sound tests judge their sound with its checks too.
usage: check_capture.py FILE"""
import math
import struct
import sys

RATE = 44100


def fail(why):
    print("FAIL: " + why, file=sys.stderr)
    sys.exit(1)


failures = []  # the findings CHECK was told of, for a checker that tells them all


def check(ok, why):
    """A finding that does not end the check: told, and kept in FAILURES."""
    if not ok:
        failures.append(why)
        print("FAIL: " + why)


def dtft_magnitude(s, hz):
    w = 2.0 * math.pi * hz / RATE
    re = im = 0.0
    for n, x in enumerate(s):
        re += x * math.cos(w * n)
        im -= x * math.sin(w * n)
    return math.hypot(re, im)


def peak_frequency(s, lo, hi):
    """The strongest frequency in lo..hi: a 1 Hz sweep, then a 0.05 Hz one around its best."""
    mean = sum(s) / len(s)  # the hiss is one-sided: take away its offset
    s = [x - mean for x in s]
    best = max(range(lo, hi + 1), key=lambda f: dtft_magnitude(s, f))
    fine = [best - 1.5 + 0.05 * i for i in range(61)]
    return max(fine, key=lambda f: dtft_magnitude(s, f))


def read_capture(path):
    """The mono stream of a capture and the frame where the mixer's own stream starts."""
    data = open(path, "rb").read()
    if len(data) % 4:
        fail("%d bytes is not a whole number of stereo frames" % len(data))
    frames = len(data) // 4
    if frames < 3 * RATE:
        fail("only %d frames captured" % frames)
    both = struct.unpack("<%dh" % (2 * frames), data)
    left, right = both[0::2], both[1::2]
    if left != right:
        fail("the mono stream is not the same in both channels")
    # While the device is open but not yet unpaused SDL plays silence, and on a busy machine
    # that can be a few buffers: the mixer's own stream starts at the first sound.
    start = next((i for i, x in enumerate(left) if x), len(left))
    if start > RATE // 2:
        fail("%d silent frames before the first sound" % start)
    return left, start


def check_first_note(s):
    """The first note, degree 0 of the scale, sounds from the very first sample for 11500."""
    hz = peak_frequency(list(s[500:11000]), 200, 700)
    print("first note: %.2f Hz" % hz)
    if abs(hz - 311.127) > 1.0:
        fail("the first note is at %.2f Hz, not 311.1" % hz)


CHORD = (311.127, 369.994, 466.164)  # degrees 0, 2 and 4
OFF_SCALE = (340.0, 420.0, 500.0)    # between the degrees: nothing should sound there


def amplitude(s, hz):
    """The amplitude of a tone near HZ in S (within 1.5 Hz either way: the vibrato)."""
    return 2.0 * max(dtft_magnitude(s, hz + d) for d in (-1.5, 0.0, 1.5)) / len(s)


def centred(s):
    m = sum(s) / len(s)
    return [x - m for x in s]


def check_chord(left, at, visit):
    """The first lighthouse visit's chord in the mono samples LEFT, where AT(tick) is the sample
    the sound mixed after TICK starts at; each finding goes to CHECK."""
    # The chord's three voices are all at full level from 15,000 to 30,000 samples after the
    # visit: look for them from a little before the visit's tick to 1.6 s after.
    n, hop = 8192, 2048
    best, where = 0.0, None
    for a in range(at(visit) - RATE // 4, at(visit) + 70000 - n, hop):
        s = centred(left[a:a + n])
        level = min(amplitude(s, hz) for hz in CHORD)
        if level > best:
            best, where = level, a
    s = centred(left[where:where + n])
    others = max(amplitude(s, hz) for hz in OFF_SCALE)
    print("chord: each tone at least %.0f, %.2f s after the visit; off the scale %.0f" %
          (best, (where - at(visit)) / RATE, others))
    check(best > 150 and others < best / 4, "no chord of degrees 0, 2 and 4 after the visit")
    # Before the visit the melody sounds one note at a time: never all three.
    ahead = max(min(amplitude(centred(left[a:a + n]), hz) for hz in CHORD)
                for a in range(at(visit - 200), at(visit - 20), 4 * hop))
    check(ahead < 40, "a chord before the visit (%.0f)" % ahead)
    # Each voice's pitch wobbles at 1/64 of its pitch: sidebands at that distance, about a
    # fifth of the tone. A Hann window over 30,000 samples around the chord's middle.
    mid = where + n // 2 - 15000
    w = [x * (0.5 - 0.5 * math.cos(2 * math.pi * i / 29999))
         for i, x in enumerate(centred(left[mid:mid + 30000]))]
    for hz in CHORD[1:]:
        tone = dtft_magnitude(w, hz)
        sides = [dtft_magnitude(w, hz + d * hz / 64) / tone for d in (-1, 1)]
        print("%.0f Hz: vibrato sidebands %.2f and %.2f of the tone" % (hz, sides[0], sides[1]))
        check(all(0.1 < r < 0.35 for r in sides), "no vibrato at %.0f Hz" % hz)


def main():
    left, start = read_capture(sys.argv[1])
    s = left[start: start + 3 * RATE]
    if len(s) < 3 * RATE:
        fail("only %d frames captured after the first sound" % len(s))
    print("stream starts after %d silent frames" % start)
    if max(abs(x) for x in s) > 1000:
        fail("samples beyond the hiss and the melody: %d" % max(abs(x) for x in s))
    if not any(s[:RATE]):
        fail("the first second is silent")

    check_first_note(s)

    # The hiss starts at level 1 (about 89 on average) and halves every 0.31 s.
    def level(at):
        w = s[int(at * RATE): int(at * RATE) + 2205]
        return sum(w) / len(w)

    early, later, late = level(0.0), level(0.62), level(2.5)
    print("hiss mean: %.1f at 0 s, %.1f at 0.62 s, %.1f at 2.5 s" % (early, later, late))
    if not 60.0 < early < 100.0:
        fail("the hiss does not start near level 1")
    if not 0.15 < later / early < 0.4:
        fail("the hiss does not decay by about a quarter in 0.62 s")
    if late > 5.0:
        fail("the hiss has not faded by 2.5 s")
    print("capture ok")


if __name__ == "__main__":
    main()
