#!/usr/bin/env python3
"""The golden journeys: what each reaches (milestones.txt), found again in a replay's trace.

    replays.py check VELMOOR_SIM NAME DATA_DIR   replays NAME.txt: every sync line matches and
                                                 it reaches its milestones at their ticks
    replays.py args NAME                         velmoor-sim's arguments that replay NAME.txt
    replays.py table README                      fails unless README holds the journeys' table

The end-to-end tests and make_replays.py import it: one reading of the milestones for all.
"""
import json
import os
import subprocess
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
MILESTONES = os.path.join(HERE, "milestones.txt")

# Sound events that mark a visit, and the stage each leaves the world in.
VISITS = {3: 2, 5: 3, 6: 4, 11: 5}
CAUGHT, RESTARTED = 4, 10


def read_milestones(path=MILESTONES):
    """{name: (seed, [(kind, tick), ...])} in the file's order."""
    found = {}
    with open(path) as f:
        for line in f:
            if line.strip() and not line.startswith("#"):
                name, seed, *marks = line.split()
                found[name] = (int(seed), [(k, int(t)) for k, t in (m.split(":") for m in marks)])
    return found


def is_mouse_script(path):
    """A file without a seed line: its seed comes from milestones.txt."""
    with open(path) as f:
        return not any(line.startswith("seed ") for line in f)


def replay_args(name, ticks=None):
    """velmoor-sim's arguments that replay NAME: a journey to its end, a mouse script with its
    seed to its last milestone (or TICKS)."""
    seed, marks = read_milestones()[name]
    path = os.path.join(HERE, name + ".txt")
    if not is_mouse_script(path):
        return ["--input", path]
    return ["--input", path, "--seed", str(seed), "--ticks", str(ticks or marks[-1][1])]


def milestones(trace):
    """[(kind, tick)] for every visit, catch (one per run of catches), restart, and the quit or
    the end of the run; checks that each leaves the world as it should."""
    seen = []
    for t in trace:
        for e in t["events"]:
            if e[0] in VISITS:
                assert t["stage"] == VISITS[e[0]], "tick %d: a visit leaves stage %d" % (
                    t["tick"], t["stage"])
                assert t["ending"] == (e[0] == 11), "tick %d: the ending is %s" % (
                    t["tick"], t["ending"])
                seen.append(("visit", t["tick"]))
            elif e[0] == CAUGHT and (not seen or seen[-1][0] != "caught"):
                seen.append(("caught", t["tick"]))
            elif e[0] == RESTARTED:
                assert t["stage"] == 1 and t["fade"] == 1, "tick %d: no fresh world" % t["tick"]
                seen.append(("restart", t["tick"]))
    last = trace[-1]
    if last["quit"]:
        assert last["ending"] and last["fade"] >= 1, "tick %d: quit before the white fade" % (
            last["tick"])
    seen.append(("quit" if last["quit"] else "end", last["tick"]))
    return seen


def sync_ticks(path):
    with open(path) as f:
        return [int(line.split()[1]) for line in f if line.startswith("sync ")]


def check(sim, name, data):
    r = subprocess.run([sim] + replay_args(name) + ["--trace", "-", "--data", data],
                       capture_output=True, text=True, timeout=120)
    if r.returncode != 0:
        # velmoor-sim's own line names the first tick that differs and what differs.
        sys.exit("%s.txt no longer replays (exit status %d):\n%s" % (name, r.returncode,
                                                                   r.stderr.strip()))
    seen = milestones([json.loads(line) for line in r.stdout.splitlines()])
    print("%s: %s" % (name, " ".join("%s:%d" % m for m in seen)))
    wanted = read_milestones()[name][1]
    if seen != wanted:
        sys.exit("%s.txt reaches %s, not %s as milestones.txt says" % (name, seen, wanted))
    # A journey without its sync lines would replay without proving anything.
    path = os.path.join(HERE, name + ".txt")
    if not is_mouse_script(path):
        end = seen[-1][1]
        want = set(range(0, end + 1, 100)) | {t for _, t in seen}
        missing = sorted(want - set(sync_ticks(path)))
        if missing:
            sys.exit("%s.txt has no sync line after tick %s" % (
                name, " ".join(map(str, missing[:10]))))
    print("ok: %s reaches its milestones%s" % (
        name, "" if is_mouse_script(path) else ", every sync line matching"))


def table():
    """The README's table of the journeys, as milestones.txt gives it."""
    rows = ["| journey | seed | what it reaches (tick) |", "|---|---|---|"]
    for name, (seed, marks) in read_milestones().items():
        kind = " (a mouse script)" if is_mouse_script(os.path.join(HERE, name + ".txt")) else ""
        rows.append("| `%s.txt`%s | %d | %s |" % (name, kind, seed,
                                                   ", ".join("%s %d" % m for m in marks)))
    return "\n".join(rows) + "\n"


def main():
    command, args = sys.argv[1], sys.argv[2:]
    if command == "check":
        check(*args)
    elif command == "args":
        print("\n".join(replay_args(*args)))
    elif command == "table":
        with open(args[0]) as f:
            if table() not in f.read():
                sys.exit("%s: its table of the golden journeys is not milestones.txt's:\n%s" % (
                    args[0], table()))
        print("ok: the README's table is milestones.txt's")
    else:
        sys.exit(__doc__)


if __name__ == "__main__":
    main()
