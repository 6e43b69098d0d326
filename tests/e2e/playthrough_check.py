#!/usr/bin/env python3
"""Judges a play-through to the first lighthouse: its four screenshots and its captured sound.

    playthrough_check.py JOURNEY TRACE CAPTURE DIR

JOURNEY is the game's recording, TRACE velmoor-sim's trace of it, CAPTURE what SDL's disk
driver wrote, DIR holds screen0.tga (under the opening fade), screen1.tga (the fade lifted),
screen2.tga (the lighthouse near) and screen3.tga (after the visit).
"""
import json
import math
import os
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "audio"))
from check_capture import (RATE, check, check_chord, check_first_note, failures,  # noqa: E402
                           read_capture)
from journey_stages import WIDTH, after_the_opening_fade, mean, read_tga  # noqa: E402


def grey(row, x):
    return sum(row[3 * x:3 * x + 3]) / 3.0


def tower(rows):
    """The brightest 30-pixel band of the night above the horizon, by its median: the tower is
    a broad grey silhouette there, plants are thin lines and the sky is near black."""
    best = 0
    for x0 in range(0, WIDTH - 30, 10):
        vals = sorted(grey(rows[y], x) for y in range(30, 120, 2) for x in range(x0, x0 + 30))
        best = max(best, vals[len(vals) // 2])
    return best


def pale(rows):
    """Pixels above the boat that are near white: the babies' sprites."""
    n = 0
    for row in rows[:260]:
        for x in range(WIDTH):
            b, g, r = row[3 * x:3 * x + 3]
            n += min(b, g, r) > 180 and max(b, g, r) - min(b, g, r) < 40
    return n


def check_pictures(prints, trace, folder):
    shots = [read_tga(os.path.join(folder, "screen%d.tga" % n)) for n in range(4)]
    fade = trace[prints[0] - 1]["fade"]
    dark, lit = mean(shots[0], 0, 480), mean(shots[1], 0, 480)
    print("opening (tick %d, fade %.2f): mean %.1f; lifted (tick %d): mean %.1f" %
          (prints[0], fade, dark, prints[1], lit))
    check(fade >= 0.6, "the first picture was taken at tick %d, after the fade had mostly gone"
          % prints[0])
    check(dark < 0.5 * lit and dark < 30, "the opening is not dark (mean %.1f)" % dark)
    check(trace[prints[1] - 1]["fade"] <= 0, "the second picture is not after the fade")
    try:
        after_the_opening_fade(shots[1])
    except AssertionError as e:
        check(False, str(e))
    boat = trace[prints[2] - 1]["boat"]
    near = tower(shots[2])
    print("lighthouse at %.1f units: tower %.1f, night %.1f" %
          (math.hypot(58 - boat[0], boat[1]), near, tower(shots[0])))
    check(near > 18, "no tower against the night as the lighthouse nears (%.1f)" % near)
    # The boat glides on after the visit; once it touches a baby it is thrown about and may
    # face elsewhere: the picture must come before that.
    visit = next(t["tick"] for t in trace if t["stage"] == 2)
    touch = next((t["tick"] for t in trace[visit:] if any(e[0] in (1, 2) for e in t["events"])),
                 len(trace))
    print("babies' picture at tick %d: %d after the visit, %d before the first touch" %
          (prints[3], prints[3] - visit, touch - prints[3]))
    check(prints[3] <= touch, "the babies' picture came after the boat touched one: the game "
          "lagged %d ticks behind" % (prints[3] - visit))
    before, after = pale(shots[2]), pale(shots[3])
    print("pale pixels: %d before the visit, %d after" % (before, after))
    check(after > 1000 and after > 5 * before, "no babies after the visit")


def check_sound(capture, journey, visit, end):
    left, start = read_capture(capture)
    check_first_note(left[start:start + RATE])
    # The file is written in real time; its pace against the game's ticks is taken from the
    # whole run, so that a device running a little slow does not shift the times.
    per_tick = (len(left) - start) / end
    print("capture: %d silent frames, then %.1f frames a tick" % (start, per_tick))
    check(abs(per_tick - RATE / 40) < 0.15 * RATE / 40, "the capture is not in real time")

    def at(tick):
        return start + int(tick * per_tick)

    def hiss(a, b):
        w = left[at(a):at(b)]
        return sum(w) / len(w)

    # Every stroke feeds the hiss, which halves every 0.31 s: it swells after each stroke
    # however slowly they come, and dies away before the first.
    strokes = [t for t, x, y in journey if y != 0]
    quiet = hiss(strokes[0] - 20, strokes[0])
    swells = [hiss(t, t + 20) for t in range(strokes[0], visit - 20, 10)]
    rowing = sum(swells) / len(swells)
    print("hiss mean: %.1f before the first stroke; while rowing %.1f, at most %.1f" %
          (quiet, rowing, max(swells)))
    check(max(swells) > 3 * quiet + 8 and rowing > quiet + 1,
          "the hiss does not rise while rowing")

    check_chord(left, at, visit)


def main():
    journey, trace_path, capture, folder = sys.argv[1:5]
    lines = [line.split() for line in open(journey)]
    prints = [int(f[1]) for f in lines if f and f[0] == "print"]
    motion = [tuple(map(int, f)) for f in lines if f and f[0].isdigit()]
    with open(trace_path) as f:
        trace = [json.loads(line) for line in f]  # trace[t] is the world after tick t
    assert all(t["tick"] == i for i, t in enumerate(trace)), "the trace skips a tick"
    visit = next(t["tick"] for t in trace if t["stage"] == 2)
    end = trace[-1]["tick"]
    if len(prints) != 4:
        print("FAIL: %d screenshots in the recording, not 4" % len(prints))
        sys.exit(1)
    print("the visit at tick %d, the end at tick %d" % (visit, end))
    check_pictures(prints, trace, folder)
    check_sound(capture, motion, visit, end)
    sys.exit(1 if failures else 0)


if __name__ == "__main__":
    main()
