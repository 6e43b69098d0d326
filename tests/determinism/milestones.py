#!/usr/bin/env python3
"""Prints the ticks at which games reach their milestones, for one velmoor-sim or two side by
side: the lighthouse visits, catches, restarts, the ending and the quit. The golden journeys
are replayed with their sync lines left out, so that a build whose last bits differ still
plays their motion to the end.
usage: milestones.py SOURCE_TREE SIM [OTHER_SIM]"""
import json
import os
import subprocess
import sys
import tempfile


def games(src):
    four = os.path.join(src, "tests/sim/data/four_visits.txt")
    yield "four visits (seed 7)", four, ["--seed", "7", "--ticks", "5000"]
    for name in ("to_the_end", "caught"):
        path = os.path.join(src, "tests/replays", name + ".txt")
        with open(path) as f:
            lines = f.read().splitlines()
        last = max(int(l.split()[1]) for l in lines if l.startswith("sync "))
        stripped = tempfile.NamedTemporaryFile("w", suffix=".txt", delete=False)
        stripped.write("\n".join(l for l in lines if not l.startswith("sync ")) + "\n")
        stripped.close()
        yield name, stripped.name, ["--ticks", str(last + 400)]


def milestones(sim, src, script, extra):
    out = subprocess.run([sim, "--input", script, "--data", os.path.join(src, "dat"),
                          "--trace", "-"] + extra, check=True, capture_output=True, text=True)
    found, before = [], None
    for line in out.stdout.splitlines():
        t = json.loads(line)
        if before is not None:
            if t["stage"] > before["stage"] and not before["ending"]:
                found.append(("visit %d" % (t["stage"] - 1), t["tick"]))
            if t["stage"] < before["stage"]:
                found.append(("restart", t["tick"]))
            if t["restart_pending"] and not before["restart_pending"]:
                found.append(("catch", t["tick"]))
            if t["ending"] and not before["ending"]:
                found.append(("ending", t["tick"]))
            if t["quit"] and not before["quit"]:
                found.append(("quit", t["tick"]))
        before = t
    return found


def main():
    src, sims = sys.argv[1], sys.argv[2:]
    print("| game | milestone | " + " | ".join("tick (%s)" % s for s in sims) + " |")
    print("|---|---|" + "---|" * len(sims))
    for name, script, extra in games(src):
        rows = [milestones(s, src, script, extra) for s in sims]
        for i in range(max(len(r) for r in rows)):
            label = next(r[i][0] for r in rows if i < len(r))
            cells = [str(r[i][1]) if i < len(r) and r[i][0] == label else "—" for r in rows]
            print("| %s | %s | %s |" % (name, label, " | ".join(cells)))


if __name__ == "__main__":
    main()
