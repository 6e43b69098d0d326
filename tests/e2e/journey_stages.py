#!/usr/bin/env python3
"""The stages of a whole journey, photographed and checked: when to press Print Screen, and
what each picture must show.

    journey_stages.py prints TRACE          the journey's print lines, one per stage
    journey_stages.py check TRACE DIR       checks DIR/screen0.tga ... one per stage, in order

TRACE is velmoor-sim's trace of the journey. Each stage has a function that judges its
picture: the lit sea, and what the stage adds (the babies' pale faces, the chaser's orange
eyes, the walls' red), counted above the boat where nothing else has those colours. The world
is the recorded one, so what is in view at each moment is fixed; the thresholds are a few
times below what llvmpipe draws, for other renderers' differences.
"""
import json
import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "replays"))
import replays  # noqa: E402

WIDTH, HEIGHT = 640, 480
SETTLE = 40  # ticks after a visit before its picture


def read_tga(path):
    """Rows of (blue, green, red) bytes from our 24-bit TGA, top first."""
    with open(path, "rb") as f:
        data = f.read()
    header = data[:18]
    width = header[12] | header[13] << 8
    height = header[14] | header[15] << 8
    assert header[2] == 2 and header[16] == 24 and (width, height) == (WIDTH, HEIGHT), \
        "%s is not a 640 x 480 24-bit TGA" % path
    assert header[17] & 0x20, "%s is stored bottom row first" % path
    stride = width * 3
    assert len(data) == 18 + stride * height, "%s is cut short" % path
    return [data[18 + y * stride:18 + (y + 1) * stride] for y in range(height)]


def count(rows, top, bottom, wanted):
    """How many pixels of the rows from TOP to BOTTOM WANTED(red, green, blue) accepts."""
    n = 0
    for r in rows[top:bottom]:
        for x in range(0, len(r), 3):
            if wanted(r[x + 2], r[x + 1], r[x]):
                n += 1
    return n


def mean(rows, top, bottom):
    """Mean grey level (0..255) of the rows from TOP to BOTTOM."""
    return sum(sum(r) for r in rows[top:bottom]) / (3.0 * WIDTH * (bottom - top))


def lit_sea(rows, what):
    """The lamp lights the sea around the boat, low in the picture; fog and night above."""
    low = mean(rows, 300, 480)
    assert low > 25, "%s: black where the lit sea should be (mean %.1f)" % (what, low)
    return low


def under_the_opening_fade(rows):
    whole = mean(rows, 0, HEIGHT)
    assert whole < 12, "the opening fade does not cover the screen (mean %.1f)" % whole
    return whole


def after_the_opening_fade(rows):
    low = lit_sea(rows, "after the opening fade")
    top = mean(rows, 0, 60)
    assert low > top + 20, "the sea is no brighter than the night (%.1f, %.1f)" % (low, top)
    return low


# Above the boat's bow (row 190 and up) there is night, fog, the dim sea, grey plants, the
# lighthouse and faint sparks: nothing near white, orange or red but what each stage adds.
ABOVE_THE_BOAT = 190


def pale(r, g, b):
    return min(r, g, b) > 190


def glowing_orange(r, g, b):
    return r > 150 and r - g > 50 and g - b > 25


def wall_red(r, g, b):
    return r > 70 and r - g > 45 and abs(g - b) < 25


def in_sight(rows, stage, what, colour, least):
    """What STAGE added, found by its COLOUR above the boat in at least LEAST pixels."""
    lit_sea(rows, stage)
    n = count(rows, 0, ABOVE_THE_BOAT, colour)
    assert n > least, "%s: no %s in sight (%d pixels of its colour)" % (stage, what, n)
    return n


def after_the_first_visit(rows):
    """The babies: a crowd of pale faces, out in the night."""
    return in_sight(rows, "after the first visit", "babies", pale, 1000)


def after_the_second_visit(rows):
    """The chaser: its glowing orange eyes."""
    return in_sight(rows, "after the second visit", "chaser", glowing_orange, 100)


def after_the_third_visit(rows):
    """The walls: sheets of dark red."""
    return in_sight(rows, "after the third visit", "walls", wall_red, 15000)


def near_the_end_of_the_white_fade(rows):
    top, whole = mean(rows, 0, 60), mean(rows, 0, HEIGHT)
    assert min(top, whole) > 215, "the ending is not white (top %.1f, whole %.1f)" % (top, whole)
    return whole


def moments(trace):
    """The tick before which each stage's Print Screen is pressed (its picture shows the world
    after the tick before), with its check, in order."""
    lifted = next(t["tick"] for t in trace if t["fade"] <= 0)
    marks = replays.milestones(trace)
    assert [k for k, _ in marks] == ["visit"] * 4 + ["quit"], \
        "the journey does not make four visits and end by itself: %s" % marks
    visits, quit = [t for k, t in marks if k == "visit"], marks[-1][1]
    return [(1, under_the_opening_fade), (lifted + SETTLE, after_the_opening_fade),
            (visits[0] + SETTLE, after_the_first_visit),
            (visits[1] + SETTLE, after_the_second_visit),
            (visits[2] + SETTLE, after_the_third_visit),
            (quit - 4, near_the_end_of_the_white_fade)]


def main():
    with open(sys.argv[2]) as f:
        trace = [json.loads(line) for line in f]
    stages = moments(trace)
    if sys.argv[1] == "prints":
        for tick, _ in stages:
            print("print %d" % tick)
        return
    failed = False
    for n, (tick, check) in enumerate(stages):
        path = "%s/screen%d.tga" % (sys.argv[3], n)
        try:
            print("%s (tick %d): %.1f" % (check.__name__, tick - 1, check(read_tga(path))))
        except (AssertionError, OSError) as e:
            print("FAIL: screen%d.tga, %s" % (n, e))
            failed = True
    sys.exit(1 if failed else 0)


if __name__ == "__main__":
    main()
