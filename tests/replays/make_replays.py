#!/usr/bin/env python3
"""Rows the golden journeys of this folder again, after a deliberate change of the game.

    tests/replays/make_replays.py [VELMOOR_SIM]     (default: build/tools/velmoor-sim/velmoor-sim)

Each journey is rowed closed-loop through velmoor-sim by make_rowing_script.py's autopilot,
then replayed once more with --record, so the file is written by the game's own recorder: the
seed, the motion, a sync line every 100 ticks, after every lighthouse visit and restart, and
at the end. check_replay.py holds each file to what its name claims; the README says when
regenerating is legitimate.
"""
import os
import subprocess
import sys
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.join(HERE, "..", "..")
sys.path.insert(0, os.path.join(ROOT, "tests", "sim"))
from make_rowing_script import GAME_DATA, oars_back, row_until, trace  # noqa: E402

RESTARTED = 10  # the sound event raised right after a restart's reset
GIVE_UP = 8000  # ticks: an autopilot that has not arrived by then is stuck


def to_the_end(sim, seed, lines):
    """All four visits; the ending's white fade then quits by itself."""
    tick = row_until(sim, seed, lines, oars_back(lines, 0),
                     lambda s: s["ending"] or s["tick"] >= GIVE_UP)
    return tick + 1000  # the run stops at the quit, some 200 ticks on


def caught(sim, seed, lines):
    """Rowed to the second visit, then resting until the chaser, which wakes there, catches
    the boat; the world restarts and is rowed on for a few strokes."""
    tick = row_until(sim, seed, lines, oars_back(lines, 0),
                     lambda s: s["stage"] >= 3 or s["tick"] >= GIVE_UP)
    waited = trace(sim, seed, lines, tick + 3000)
    restart = next(t["tick"] for t in waited if RESTARTED in [e[0] for e in t["events"]])
    tick = oars_back(lines, restart)
    return row_until(sim, seed, lines, tick, lambda s: s["tick"] >= restart + 200)


# Seeds whose rowing shows the stage plainly: seed 2 reaches the end with no catch on the way.
JOURNEYS = [("to_the_end.txt", 2, to_the_end), ("caught.txt", 11, caught)]


def main():
    sim = sys.argv[1] if len(sys.argv) > 1 else os.path.join(ROOT, "build", "tools",
                                                             "velmoor-sim", "velmoor-sim")
    for name, seed, row in JOURNEYS:
        lines = []
        ticks = row(sim, seed, lines)
        with tempfile.NamedTemporaryFile("w", suffix=".txt") as script:
            script.write("\n".join(lines) + "\n")
            script.flush()
            subprocess.run([sim, "--seed", str(seed), "--ticks", str(ticks), "--input",
                            script.name, "--record", os.path.join(HERE, name), "--data",
                            GAME_DATA], check=True)
        print("%s: seed %d, %d motion lines" % (name, seed, len(lines)))
        subprocess.run([sys.executable, os.path.join(HERE, "check_replay.py"), sim,
                        os.path.join(HERE, name), GAME_DATA], check=True)


if __name__ == "__main__":
    main()
