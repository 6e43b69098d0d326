#!/usr/bin/env python3
"""Rows every golden journey again, after a deliberate change of the game (see docs/DEVELOPING.md).

    tests/replays/make_replays.py [--keep-motion] [VELMOOR_SIM]
                                        (default: build/tools/velmoor-sim/velmoor-sim)

Each journey milestones.txt names is rowed with its seed, closed-loop: before every stroke the
motion so far is replayed, which says where the boat is, and the oars' balance for the next
stroke is chosen (a full turn either way, or straight). four_visits.txt stays a mouse script;
the others are written by the game's own recorder (velmoor-sim --record). Then milestones.txt
and the table in docs/DEVELOPING.md are written with the ticks each reaches, and each is checked.
With --keep-motion every journey keeps its motion, line for line, and is only recorded again:
for a change that moves the world's last bits but not what the player did (the same strokes
must still reach the same milestones, give or take a tick).
"""
import math
import os
import subprocess
import sys
import tempfile

import replays

ROOT = os.path.join(replays.HERE, "..", "..")
GAME_DATA = os.path.join(ROOT, "dat")
TABLE_PAGE = os.path.join(ROOT, "docs", "DEVELOPING.md")
STROKE = 143           # pixels per tick: 100 after the 0.7 factor and the clamp
STEER_PER_PIXEL = 0.1 * 0.9 * 0.003
MAX_XREL = 1000        # 100 after the 0.1 factor and the clamp
GIVE_UP = 8000         # ticks: an autopilot that has not arrived by then is stuck


def trace(sim, seed, lines, ticks):
    """The trace, one dict per tick, of the mouse script LINES replayed for up to TICKS ticks."""
    with tempfile.NamedTemporaryFile("w", suffix=".txt") as f:
        f.write("\n".join(lines) + "\n")
        f.flush()
        return replays.run_trace(sim, ["--seed", str(seed), "--ticks", str(ticks), "--input",
                                       f.name, "--data", GAME_DATA])


def row_until(sim, seed, lines, tick, done):
    """Appends strokes towards the lighthouse to LINES after TICK until DONE(state) holds
    before a stroke; returns the last tick with motion."""
    while True:
        s = trace(sim, seed, lines, tick)[-1]
        if done(s):
            return tick
        bx, by, heading = s["boat"][0], s["boat"][1], s["boat"][2]
        hx, hy = s["lighthouse"]
        err = (math.atan2(hy - by, hx - bx) - heading + math.pi) % (2 * math.pi) - math.pi
        target = 0.0
        if err > 0.25:
            target = -2.5   # lifted left oar: counter-clockwise
        elif err < -0.25:
            target = 2.5    # clockwise
        steer = s["steer"]
        # Return sweep, balancing the oars on the way.
        for _ in range(10):
            tick += 1
            xrel = max(-MAX_XREL, min(MAX_XREL, round((target - steer) / STEER_PER_PIXEL)))
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
    restart = next(t["tick"] for t in waited if replays.RESTARTED in [e[0] for e in t["events"]])
    tick = oars_back(lines, restart)
    return row_until(sim, seed, lines, tick, lambda s: s["tick"] >= restart + 200)


# How each journey is rowed; four_visits is the journey to the end kept as a mouse script.
# Should a seed no longer give its journey, choose another in milestones.txt.
ROWERS = {"four_visits": to_the_end, "to_the_end": to_the_end, "caught": caught}


def kept_motion(lines, name):
    """The journey's own motion, Print Screen and audio lines; returns the tick it runs to."""
    last = 0
    with open(os.path.join(replays.HERE, name + ".txt")) as f:
        for line in f:
            words = line.split()
            if not words or words[0].startswith("#") or words[0] in ("seed", "version"):
                continue
            last = max(last, int(words[1] if not words[0].isdigit() else words[0]))
            if words[0] != "sync":
                lines.append(line.strip())
    return last if not replays.is_mouse_script(name) else last + 1000


def write_table():
    with open(TABLE_PAGE) as f:
        text = f.read().splitlines(keepends=True)
    first = text.index(next(l for l in text if l.startswith("| journey | seed |")))
    last = next(i for i in range(first, len(text)) if not text[i].startswith("|"))
    with open(TABLE_PAGE, "w") as f:
        f.write("".join(text[:first]) + replays.table() + "".join(text[last:]))


def main():
    args = sys.argv[1:]
    keep = "--keep-motion" in args
    args = [a for a in args if a != "--keep-motion"]
    sim = args[0] if args else os.path.join(ROOT, "build", "tools", "velmoor-sim", "velmoor-sim")
    reached, tmp = [], tempfile.TemporaryDirectory()
    for name, (seed, _) in replays.read_milestones().items():
        lines, path = [], os.path.join(replays.HERE, name + ".txt")
        if keep:
            ticks = kept_motion(lines, name)
        else:
            ticks = ROWERS[name](sim, seed, lines)
        script, record = path, []
        if name == "four_visits":
            lines[:0] = ["# A game rowed to all four lighthouses (seed %d)." % seed,
                         "# TICK XREL YREL; made by make_replays.py"]
        else:
            script, record = os.path.join(tmp.name, "script.txt"), ["--record", path]
        with open(script, "w") as f:
            f.write("\n".join(lines) + "\n")
        marks = replays.milestones(replays.run_trace(
            sim, ["--seed", str(seed), "--ticks", str(ticks), "--input", script, "--data",
                  GAME_DATA] + record))
        marks = " ".join("%s:%d" % m for m in marks)
        reached.append("%-13s %-5d %s\n" % (name, seed, marks))
        print("%s: seed %d, %d motion lines, %s" % (name, seed, len(lines), marks))
    with open(replays.MILESTONES) as f:
        header = [line for line in f if line.startswith("#")]
    with open(replays.MILESTONES, "w") as f:
        f.write("".join(header + reached))
    write_table()
    for name in replays.read_milestones():
        subprocess.run([sys.executable, os.path.join(replays.HERE, "replays.py"), "check", sim,
                        name, GAME_DATA], check=True)


if __name__ == "__main__":
    main()
