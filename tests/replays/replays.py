#!/usr/bin/env python3
"""The golden journeys: what each reaches (milestones.txt), found again in a replay's trace.

    replays.py check VELMOOR_SIM NAME DATA_DIR   replays NAME.txt: every sync line matches and
                                                 it reaches its milestones at their ticks
    replays.py args NAME                         velmoor-sim's arguments that replay NAME.txt
    replays.py table PAGE                        fails unless PAGE holds the journeys' table
"""
import json
import os
import subprocess
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
MILESTONES = os.path.join(HERE, "milestones.txt")
VISITS = {3: 2, 5: 3, 6: 4, 11: 5}  # the sound events of the visits, and the stage each leaves
CAUGHT, RESTARTED = 4, 10


def read_milestones():
    """{name: (seed, [(kind, tick), ...])} in the file's order."""
    found = {}
    with open(MILESTONES) as f:
        for line in f:
            if line.strip() and not line.startswith("#"):
                name, seed, *marks = line.split()
                found[name] = (int(seed), [(k, int(t)) for k, t in (m.split(":") for m in marks)])
    return found


def is_mouse_script(name):
    """A file without a seed line: its seed comes from milestones.txt."""
    with open(os.path.join(HERE, name + ".txt")) as f:
        return not any(line.startswith("seed ") for line in f)


def replay_args(name):
    """A journey replays to its end; a mouse script with its seed to its last milestone."""
    args = ["--input", os.path.join(HERE, name + ".txt")]
    if not is_mouse_script(name):
        return args
    seed, marks = read_milestones()[name]
    return args + ["--seed", str(seed), "--ticks", str(marks[-1][1])]


def milestones(trace):
    """[(kind, tick)] for every visit, catch (one per run of catches), restart, and the quit or
    the end of the run; each must leave the world as it should."""
    seen = []
    for t in trace:
        for e in t["events"]:
            if e[0] in VISITS:
                assert (t["stage"], t["ending"]) == (VISITS[e[0]], e[0] == 11), \
                    "tick %d: a visit leaves stage %d, ending %s" % (t["tick"], t["stage"],
                                                                     t["ending"])
                seen.append(("visit", t["tick"]))
            elif e[0] == CAUGHT and (not seen or seen[-1][0] != "caught"):
                seen.append(("caught", t["tick"]))
            elif e[0] == RESTARTED:
                assert t["stage"] == 1 and t["fade"] == 1, "tick %d: no fresh world" % t["tick"]
                seen.append(("restart", t["tick"]))
    last = trace[-1]
    assert not last["quit"] or (last["ending"] and last["fade"] >= 1), \
        "tick %d: quit before the white fade" % last["tick"]
    return seen + [("quit" if last["quit"] else "end", last["tick"])]


def run_trace(sim, args):
    """The trace of velmoor-sim run with ARGS, one dict per tick; raises
    subprocess.CalledProcessError, velmoor-sim's own line in its stderr, when the run fails."""
    out = subprocess.run([sim] + args + ["--trace", "-"], check=True, capture_output=True,
                         text=True, timeout=120).stdout
    return [json.loads(line) for line in out.splitlines()]


def check(sim, name, data):
    try:
        trace = run_trace(sim, replay_args(name) + ["--data", data])
    except subprocess.CalledProcessError as e:
        # velmoor-sim's own line names the first tick that differs and what differs.
        sys.exit("%s.txt no longer replays (status %d):\n%s" % (name, e.returncode, e.stderr))
    seen = milestones(trace)
    print("%s: %s" % (name, " ".join("%s:%d" % m for m in seen)))
    wanted = read_milestones()[name][1]
    if seen != wanted:
        sys.exit("%s.txt reaches %s, not %s as milestones.txt says" % (name, seen, wanted))
    if not is_mouse_script(name):
        # A journey without its sync lines would replay without proving anything.
        with open(os.path.join(HERE, name + ".txt")) as f:
            synced = {int(line.split()[1]) for line in f if line.startswith("sync ")}
        missing = sorted((set(range(0, seen[-1][1] + 1, 100)) | {t for _, t in seen}) - synced)
        if missing:
            sys.exit("%s.txt has no sync line after tick %s" % (name, missing[:10]))
    print("ok: %s reaches its milestones" % name)


def table():
    """The table of the journeys in docs/DEVELOPING.md."""
    rows = ["| journey | seed | what it reaches (tick) |", "|---|---|---|"]
    for name, (seed, marks) in read_milestones().items():
        rows.append("| `%s.txt`%s | %d | %s |" % (
            name, " (a mouse script)" if is_mouse_script(name) else "", seed,
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
                sys.exit("%s: the table of golden journeys is not milestones.txt's:\n%s" % (
                    args[0], table()))
    else:
        sys.exit(__doc__)


if __name__ == "__main__":
    main()
