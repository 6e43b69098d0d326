#!/usr/bin/env python3
"""Replays a golden journey in velmoor-sim: every sync line must match, and the journey must
still reach, in order, what its name claims.

Usage: check_replay.py VELMOOR_SIM JOURNEY DATA_DIR
"""
import json
import os
import subprocess
import sys

# What each journey reaches, in order; its milestones are read from velmoor-sim's trace.
CLAIMS = {
    "to_the_end": ["first visit", "second visit", "third visit", "fourth visit", "quit"],
    "caught": ["first visit", "second visit", "caught", "restart"],
}

# Sound events that mark a visit, and the stage each leaves the world in.
VISITS = {3: ("first visit", 2), 5: ("second visit", 3), 6: ("third visit", 4),
          11: ("fourth visit", 5)}
CAUGHT, RESTARTED = 4, 10


def milestones(trace):
    """(tick, name) for every visit, catch (one per run of catches), restart and the quit."""
    seen = []
    for t in trace:
        for e in t["events"]:
            if e[0] in VISITS:
                name, stage = VISITS[e[0]]
                assert t["stage"] == stage, "tick %d: %s leaves stage %d" % (t["tick"], name,
                                                                             t["stage"])
                seen.append((t["tick"], name))
            elif e[0] == CAUGHT and (not seen or seen[-1][1] != "caught"):
                seen.append((t["tick"], "caught"))
            elif e[0] == RESTARTED:
                assert t["stage"] == 1 and t["fade"] == 1, "tick %d: no fresh world" % t["tick"]
                seen.append((t["tick"], "restart"))
    last = trace[-1]
    if last["quit"]:
        assert last["ending"] and last["fade"] >= 1, "tick %d: quit before the white fade" % (
            last["tick"])
        seen.append((last["tick"], "quit"))
    return seen


def sync_ticks(path):
    with open(path) as f:
        return [int(line.split()[1]) for line in f if line.startswith("sync ")]


def main():
    sim, journey, data = sys.argv[1:4]
    name = os.path.splitext(os.path.basename(journey))[0]
    claimed = CLAIMS.get(name)
    if claimed is None:
        sys.exit("FAIL: %s claims nothing; say in CLAIMS what it reaches" % journey)
    r = subprocess.run([sim, "--input", journey, "--trace", "-", "--data", data],
                       capture_output=True, text=True, timeout=120)
    if r.returncode != 0:
        # velmoor-sim's own line names the first tick that differs and what differs.
        sys.exit("FAIL: %s no longer replays (exit status %d):\n%s" % (journey, r.returncode,
                                                                       r.stderr.strip()))
    trace = [json.loads(line) for line in r.stdout.splitlines()]
    seen = milestones(trace)
    print("%s: %s" % (name, ", ".join("%s at tick %d" % (n, t) for t, n in seen)))
    if [n for _, n in seen] != claimed:
        sys.exit("FAIL: %s reaches %s, not %s" % (journey, [n for _, n in seen], claimed))
    # A journey without its sync lines would replay without proving anything.
    end = trace[-1]["tick"]
    want = set(range(0, end + 1, 100)) | {end} | {t for t, _ in seen}
    missing = sorted(want - set(sync_ticks(journey)))
    if missing:
        sys.exit("FAIL: %s has no sync line after tick%s %s" % (
            journey, "s" if len(missing) > 1 else "", " ".join(map(str, missing[:10]))))
    print("ok: every sync line matches")


if __name__ == "__main__":
    main()
