#!/usr/bin/env python3
"""Writes the mouse script of a game rowed to all four lighthouses.

Run once by hand to (re)make tests/sim/data/four_visits.txt:
    make_rowing_script.py VELMOOR_SIM SEED > four_visits.txt
It steers closed-loop: before every stroke it replays the script so far through
velmoor-sim, reads where the boat is, and chooses the oar balance for the next
stroke (full turn either way, or straight). The script it prints is then a plain
fixed input; the tests replay it without this program. tests/replays/make_replays.py
rows its journeys with the same autopilot (row_until).
"""
import json
import math
import os
import subprocess
import sys
import tempfile

STROKE = 143           # pixels per tick: 100 after the 0.7 factor and the clamp
STEER_PER_PIXEL = 0.1 * 0.9 * 0.003
MAX_XREL = 1000        # 100 after the 0.1 factor and the clamp
GAME_DATA = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "dat")


def trace(sim, seed, lines, ticks):
    """The trace, one dict per tick, of the script LINES replayed for up to TICKS ticks."""
    with tempfile.NamedTemporaryFile("w", suffix=".txt") as f:
        f.write("\n".join(lines) + "\n")
        f.flush()
        out = subprocess.run([sim, "--seed", str(seed), "--ticks", str(ticks),
                              "--input", f.name, "--trace", "-", "--data", GAME_DATA],
                             check=True, capture_output=True, text=True).stdout
    return [json.loads(line) for line in out.strip().splitlines()]


def last_state(sim, seed, lines, ticks):
    return trace(sim, seed, lines, ticks)[-1]


def row_until(sim, seed, lines, tick, done):
    """Appends strokes towards the lighthouse to LINES after TICK until DONE(state) holds
    before a stroke; returns the last tick with motion."""
    while True:
        s = last_state(sim, seed, lines, tick)
        if done(s):
            return tick
        bx, by, heading = s["boat"][0], s["boat"][1], s["boat"][2]
        hx, hy = s["lighthouse"]
        want = math.atan2(hy - by, hx - bx)
        err = (want - heading + math.pi) % (2 * math.pi) - math.pi
        target = 0.0
        if err > 0.25:
            target = -2.5   # lifted left oar: counter-clockwise
        elif err < -0.25:
            target = 2.5    # clockwise
        steer = s["steer"]
        # Return sweep, balancing the oars on the way.
        for _ in range(10):
            tick += 1
            xrel = round((target - steer) / STEER_PER_PIXEL)
            xrel = max(-MAX_XREL, min(MAX_XREL, xrel))
            steer = max(-2.5, min(2.5, steer + xrel * STEER_PER_PIXEL))
            lines.append("%d %d %d" % (tick, xrel, -STROKE))
        for _ in range(10):
            tick += 1
            lines.append("%d 0 %d" % (tick, STROKE))


def oars_back(lines, tick):
    """Oars from 0 back to -15, the first motion of a game; returns the last tick."""
    for _ in range(5):
        tick += 1
        lines.append("%d 0 %d" % (tick, -STROKE))
    return tick


def main():
    sim, seed = sys.argv[1], int(sys.argv[2])
    lines = ["# A game rowed to all four lighthouses (seed %d)." % seed,
             "# TICK XREL YREL; made by make_rowing_script.py"]
    tick = oars_back(lines, 0)
    row_until(sim, seed, lines, tick, lambda s: s["stage"] >= 5 or s["tick"] >= 6000)
    print("\n".join(lines))


if __name__ == "__main__":
    main()
