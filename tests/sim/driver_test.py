#!/usr/bin/env python3
"""velmoor-sim's command line, its outputs and its journeys; whole games replay in tests/replays.

Usage: driver_test.py VELMOOR_SIM REPLAYS_DIR GAME_DATA_DIR
"""
import json
import os
import struct
import subprocess
import sys
import tempfile
import unittest

SIM = None
DATA = None
GAME_DATA = None
# One world reset's draws: a height per cell of the 110 x 110 sea, a kind and a place for each
# of the 50 plants, a place, a height and a target height for each of the 14 lights.
RESET_DRAWS = 110 * 110 + 3 * 50 + 4 * 14
TRACE_KEYS = ["tick", "draws", "stage", "fade", "restart_pending", "ending", "quit", "boat",
              "row_v", "drift_v", "turn_rate", "oar_sweep", "steer", "steer_deflection",
              "lighthouse", "chaser", "counts", "events"]


def run(*args, timeout=120, text=True, data=True):
    command = [SIM] + [str(a) for a in args] + (["--data", GAME_DATA] if data else [])
    return subprocess.run(command, capture_output=True, text=text, timeout=timeout)


def trace_of(*args):
    r = run(*args, "--trace", "-")
    assert r.returncode == 0, r.stderr
    return [json.loads(line) for line in r.stdout.splitlines()]


class Arguments(unittest.TestCase):
    def setUp(self):
        self.dir = tempfile.TemporaryDirectory()
        os.chdir(self.dir.name)

    def tearDown(self):
        self.dir.cleanup()

    def assert_refused(self, *args, naming):
        r = run(*args)
        self.assertEqual(r.returncode, 2, args)
        lines = r.stderr.splitlines()
        self.assertEqual(len(lines), 1, r.stderr)
        self.assertIn(naming, lines[0])
        self.assertEqual(r.stdout, "")

    def test_bad_arguments_are_named_with_status_2(self):
        self.assert_refused("--seed", "1", "--ticks", "5", "--speed", "3", naming="--speed")
        self.assert_refused("--seed", "1", "--ticks", naming="--ticks")
        self.assert_refused("--seed", "x1", "--ticks", "5", naming="--seed")
        self.assert_refused("--seed", "-1", "--ticks", "5", naming="--seed")
        self.assert_refused("--seed", "4294967296", "--ticks", "5", naming="--seed")
        self.assert_refused("--seed", "1", "--ticks", "2.5", naming="--ticks")
        self.assert_refused("--ticks", "5", naming="--seed")
        self.assert_refused("--seed", "1", naming="--ticks")
        self.assert_refused("--seed", "1", "--ticks", "5", "--input", "missing.txt",
                            naming="missing.txt")
        self.assert_refused("--seed", "1", "--ticks", "5", "--trace", "no/such/dir/t",
                            naming="no/such/dir/t")
        self.assert_refused("--seed", "1", "--ticks", "5", "--wav", "no/such/dir/w",
                            naming="no/such/dir/w")
        self.assert_refused("--seed", "1", "--ticks", "5", "--record", "-", naming="--record")

    def test_outputs_that_would_spoil_each_other_are_refused_before_any_run(self):
        with open("in.txt", "w") as f:
            f.write("1 0 10\n")
        os.mkdir("sub")
        self.assert_refused("--seed", "1", "--ticks", "5", "--trace", "x", "--state", "sub/../x",
                            naming="same file")
        self.assert_refused("--seed", "1", "--ticks", "5", "--wav", "-", "--trace", "-",
                            naming="same file")
        self.assert_refused("--seed", "1", "--ticks", "5", "--input", "in.txt", "--state",
                            os.path.abspath("in.txt"), naming="same file")
        # The RIFF sizes are 32-bit: 1947831 ticks would need 36 + 2 x 2147483677 bytes.
        self.assert_refused("--seed", "1", "--ticks", "1947831", "--wav", "w.wav",
                            naming="4 GiB")
        self.assertEqual(sorted(os.listdir(".")), ["in.txt", "sub"])
        with open("in.txt") as f:
            self.assertEqual(f.read(), "1 0 10\n")


class Trace(unittest.TestCase):
    def test_ticks_0_prints_the_start_only(self):
        lines = trace_of("--seed", "5", "--ticks", "0")
        self.assertEqual(len(lines), 1)
        t = lines[0]
        self.assertEqual(list(t.keys()), TRACE_KEYS)
        self.assertEqual(t["tick"], 0)
        self.assertEqual(t["draws"], 10 + RESET_DRAWS)  # the plants' ten, then the reset
        self.assertEqual(t["stage"], 1)
        self.assertEqual(t["lighthouse"], [58, 0])
        self.assertEqual(t["counts"], [0, 0, 0])
        self.assertEqual(t["events"], [])

    def test_same_seed_and_input_give_identical_traces(self):
        script = os.path.join(DATA, "four_visits.txt")
        args = ["--seed", "7", "--ticks", "700", "--input", script, "--trace", "-"]
        first, second = run(*args), run(*args)
        self.assertEqual(first.returncode, 0)
        self.assertEqual(first.stdout, second.stdout)
        self.assertEqual(len(first.stdout.splitlines()), 701)
        other = run("--seed", "8", "--ticks", "700", "--input", script, "--trace", "-")
        self.assertNotEqual(first.stdout, other.stdout)

    def test_motion_is_delivered_before_its_tick_in_file_order(self):
        with tempfile.NamedTemporaryFile("w", suffix=".txt", delete=False) as f:
            f.write("2 0 -10\n  # rowing\n1 0 100\n1 0 43\n\n3 1000 0\n")
        lines = trace_of("--seed", "1", "--ticks", "3", "--input", f.name)
        os.unlink(f.name)
        self.assertAlmostEqual(lines[1]["oar_sweep"], 3.2, places=5)  # 143 x 0.7, clamped
        self.assertAlmostEqual(lines[1]["events"][0][4], 0.04, places=7)
        self.assertAlmostEqual(lines[2]["oar_sweep"], 3.2 - 7 * 0.8 * 0.04, places=5)
        self.assertAlmostEqual(lines[3]["steer"], 0.27, places=6)
        self.assertGreater(lines[1]["row_v"][0], 0)

    def test_every_tick_sheds_seven_sparks_and_counts_their_draws(self):
        lines = trace_of("--seed", "3", "--ticks", "40")
        for t in range(1, 30):
            self.assertEqual(lines[t]["counts"][2], 7 * t)
        self.assertEqual(lines[40]["counts"][2], 7 * 29)
        for t in range(1, 41):
            self.assertEqual(lines[t]["events"][0][0], 0)  # the oars' splash comes first
            self.assertGreaterEqual(lines[t]["draws"] - lines[t - 1]["draws"], 21)


class Outputs(unittest.TestCase):
    def setUp(self):
        self.dir = tempfile.TemporaryDirectory()
        os.chdir(self.dir.name)

    def tearDown(self):
        self.dir.cleanup()

    def test_state_holds_the_whole_world_and_the_trace_keys(self):
        r = run("--seed", "2", "--ticks", "30", "--state", "s.json", "--trace", "t.jsonl")
        self.assertEqual(r.returncode, 0, r.stderr)
        with open("s.json") as f:
            s = json.load(f)
        with open("t.jsonl") as f:
            last = json.loads(f.read().splitlines()[-1])
        self.assertEqual(list(s.keys())[:len(TRACE_KEYS)], TRACE_KEYS)
        for k in TRACE_KEYS:
            self.assertEqual(s[k], last[k], k)
        self.assertEqual(len(s["sea_height"]), 12100)
        self.assertEqual(len(s["sea_velocity"]), 12100)
        self.assertEqual(len(s["plants"]), 50)
        self.assertEqual(len(s["plants"][0]), 5)
        self.assertEqual(len(s["lights"]), 14)
        self.assertEqual(len(s["lights"][0]), 7)
        self.assertEqual(s["babies"], [])
        self.assertEqual(s["walls"], [])
        self.assertEqual(len(s["sparks"]), s["counts"][2])
        self.assertEqual(len(s["sparks"][0]), 10)

    def test_wav_holds_the_ticks_share_of_samples(self):
        for ticks, samples in [(1, 1102), (2, 2205), (10, 11025)]:
            r = run("--seed", "2", "--ticks", ticks, "--wav", "a.wav")
            self.assertEqual(r.returncode, 0, r.stderr)
            with open("a.wav", "rb") as f:
                data = f.read()
            self.assertEqual(data[:4], b"RIFF")
            self.assertEqual(data[8:16], b"WAVEfmt ")
            fmt, channels, rate, byte_rate, align, bits = struct.unpack("<HHIIHH", data[20:36])
            self.assertEqual((fmt, channels, rate, bits), (1, 1, 44100, 16))
            self.assertEqual(data[36:40], b"data")
            self.assertEqual(struct.unpack("<I", data[40:44])[0], 2 * samples)
            self.assertEqual(len(data), 44 + 2 * samples)

    def test_wav_to_a_pipe_is_the_wav_file(self):
        self.assertEqual(run("--seed", "2", "--ticks", 10, "--wav", "a.wav").returncode, 0)
        r = run("--seed", "2", "--ticks", 10, "--wav", "-", "--trace", "t.jsonl", text=False)
        self.assertEqual(r.returncode, 0, r.stderr)
        with open("a.wav", "rb") as f:
            self.assertEqual(r.stdout, f.read())
        self.assertEqual(sorted(os.listdir(".")), ["a.wav", "t.jsonl"])

    def test_missing_clips_are_named_and_the_data_folder_is_found_from_anywhere(self):
        os.mkdir("empty")
        r = run("--seed", "2", "--ticks", "1", "--data", "empty", data=False)
        self.assertEqual(r.returncode, 0)
        self.assertEqual([line.split(": ")[0] for line in r.stderr.splitlines()],
                         ["Couldn't load empty/samples/growl.wav",
                          "Couldn't load empty/samples/baby.wav"])
        r = run("--seed", "2", "--ticks", "1", data=False)
        self.assertEqual((r.returncode, r.stderr), (0, ""))



class Journeys(unittest.TestCase):
    """Journeys: a mouse script with the seed, the audio thread's draws and sync lines."""

    def setUp(self):
        self.dir = tempfile.TemporaryDirectory()
        os.chdir(self.dir.name)
        with open(os.path.join(DATA, "four_visits.txt")) as f:
            self.motion = [l for l in f if l[0].isdigit() and int(l.split()[0]) <= 300]

    def tearDown(self):
        self.dir.cleanup()

    def write(self, *lines):
        with open("j.txt", "w") as f:
            f.write("".join(lines))

    def sync_line(self, t):
        return "sync %d %d %.9g %.9g\n" % (t["tick"], t["draws"], t["boat"][0], t["boat"][1])

    def test_malformed_or_impossible_lines_are_named_and_nothing_runs(self):
        # What no game could have recorded: more draws than the audio callback makes by tick 4
        # (a few hundred million at most), a tick past three days of play, a state hash that
        # is not four hex digits a part, or longer than any world's.
        impossible = [("audio 4 100000000000", "callback"), ("10368001 0 0", "three days"),
                      ("print 10368001", "three days"), ("audio 10368001 1", "three days"),
                      ("sync 10368001 1 0 0", "three days"), ("sync 100 1 0 0 12345", "STATE"),
                      ("sync 100 1 0 0 abcd.", "STATE"), ("sync 100 1 0 0 ab-d", "STATE"),
                      ("sync 100 1 0 0 " + ".".join(["abcd"] * 17), "STATE")]
        malformed = ["3 1", "3 1 2 4", "3 a 2", "0 1 2", "3 40000 0", "-3 1 2", "3 1.5 2",
                     "\0", "\0003 1 2", "3 1 2\0", "# a NUL \0",
                     "seed", "seed x", "seed -1", "seed 4294967296", "seed 1 2", "seed 7",
                     "audio 5", "audio 5 x", "audio 5 -3", "audio x 5", "audio 2 1",
                     "sync 100 12 0", "sync 100 abc 0 0", "sync 100 12 0 1.5x", "sync 50 1 0 0",
                     "print 0", "print 3 4", "seeds 7", "sink 1 2 3 4",
                     "version", "version 1 2", "version 1.\x01",
                     "version " + "1" * 33, "version 0.1.0"]
        for bad, why in impossible + [(line, "") for line in malformed]:
            self.write("seed 7\nversion 0.1.0\n# a journey\naudio 3 20\nsync 60 1 0 0\n%s\n1 0 0\n"
                       % bad)
            r = run("--input", "j.txt", "--trace", "t.jsonl", timeout=10)
            self.assertEqual(r.returncode, 2, bad)
            self.assertEqual(len(r.stderr.splitlines()), 1, r.stderr)
            self.assertIn("j.txt:6:", r.stderr, bad)
            self.assertIn(why, r.stderr, bad)
            self.assertFalse(os.path.exists("t.jsonl"), bad)

    def test_the_seed_and_length_come_from_the_journey_and_its_sync_lines_are_checked(self):
        plain = trace_of("--seed", "7", "--ticks", "300", "--input",
                         os.path.join(DATA, "four_visits.txt"))
        syncs = [self.sync_line(plain[t]) for t in (0, 100, 250)]
        self.write("seed 7\n", *self.motion, *syncs)
        self.assertEqual(trace_of("--input", "j.txt"), plain)  # to its last motion, tick 300
        wrong = "sync 100 %d %.9g 0.5\n" % (plain[100]["draws"], plain[100]["boat"][0])
        self.write("seed 7\n", *self.motion, syncs[0], wrong, syncs[2])
        r = run("--input", "j.txt", "--trace", "t.jsonl")
        self.assertEqual(r.returncode, 3)
        self.assertEqual(len(r.stderr.splitlines()), 1, r.stderr)
        self.assertIn("j.txt: tick 100 does not match: the boat", r.stderr)
        with open("t.jsonl") as f:
            self.assertEqual(len(f.readlines()), 101)  # the trace stops at the tick named
        r = run("--seed", "8", "--ticks", "0", "--input", "j.txt", "--state", "-")
        self.assertEqual(r.stdout, run("--seed", "8", "--ticks", "0", "--state", "-").stdout)

    def test_audio_draws_are_taken_before_their_tick_and_a_wav_leaves_the_world_alone(self):
        self.write("seed 5\naudio 0 1000\naudio 2 7\n", *self.motion[:40])
        lines = trace_of("--input", "j.txt", "--ticks", "40")
        plain = trace_of("--seed", "5", "--ticks", "1")
        self.assertEqual(lines[0]["draws"], 10 + 1000 + RESET_DRAWS)
        state = run("--input", "j.txt", "--ticks", "0", "--state", "-").stdout
        plain_state = run("--seed", "5", "--ticks", "0", "--state", "-").stdout
        self.assertNotEqual(json.loads(state)["plants"],  # taken before the reset, not after it
                            json.loads(plain_state)["plants"])
        self.assertEqual(lines[2]["draws"] - lines[1]["draws"],
                         7 + plain[1]["draws"] - plain[0]["draws"])
        r = run("--input", "j.txt", "--ticks", "40", "--trace", "-", "--wav", "a.wav")
        self.assertEqual(r.returncode, 0, r.stderr)
        self.assertEqual([json.loads(l) for l in r.stdout.splitlines()], lines)

    def test_record_writes_a_journey_that_replays_the_run(self):
        # A mouse script mixed offline: its mixer draws from the world's stream between ticks,
        # as the game's audio thread does, so the recording holds audio lines.
        script = os.path.join(DATA, "four_visits.txt")
        r = run("--seed", "7", "--ticks", "500", "--input", script, "--wav", "a.wav",
                "--trace", "t.jsonl", "--record", "r.txt")
        self.assertEqual(r.returncode, 0, r.stderr)
        with open("r.txt") as f:
            lines = f.read().splitlines()
        version = run("--version").stdout.split()[1]
        self.assertEqual(lines[2:4], ["version " + version, "seed 7"])
        self.assertEqual([l for l in lines if l[0].isdigit()],
                         [l.strip() for l in open(script) if l[0].isdigit()
                          and int(l.split()[0]) <= 500])
        self.assertGreater(len([l for l in lines if l.startswith("audio ")]), 400)
        with open("t.jsonl") as f:
            played = [json.loads(l) for l in f]
        # Every 100 ticks, the first visit's tick and the end.
        visit = next(t["tick"] for t in played if t["stage"] == 2)
        self.assertEqual([int(l.split()[1]) for l in lines if l.startswith("sync ")],
                         sorted([0, 100, 200, 300, 400, visit, 500]))
        # Another version's journey is replayed all the same, after one line naming both.
        with open("r.txt", "w") as f:
            f.write("\n".join(lines).replace("version " + version, "version 0.0.1-old"))
        r = run("--input", "r.txt", "--trace", "-")
        self.assertEqual(r.returncode, 0, r.stderr)
        self.assertEqual(r.stderr.splitlines(), ["velmoor-sim: r.txt was recorded by version "
                                                 "0.0.1-old, this is version %s: replaying it all "
                                                 "the same" % version])
        replay = [json.loads(line) for line in r.stdout.splitlines()]
        # The trace's draws are taken after the offline mixer's, the replay's before them.
        for t in played + replay:
            del t["draws"]
        self.assertEqual(replay, played)
        # From another seed the world draws as much and the boat starts alike: only the state
        # hash tells them apart, at the first sync line, naming the part that differs.
        with open("r.txt", "w") as f:
            f.write("\n".join(lines).replace("seed 7\n", "seed 8\n"))
        r = run("--input", "r.txt")
        self.assertEqual(r.returncode, 3)
        self.assertIn("tick 0 does not match: its state differs first in the sea", r.stderr)


if __name__ == "__main__":
    SIM = os.path.abspath(sys.argv.pop(1))
    DATA = os.path.abspath(sys.argv.pop(1))
    GAME_DATA = os.path.abspath(sys.argv.pop(1))
    unittest.main(verbosity=2)
