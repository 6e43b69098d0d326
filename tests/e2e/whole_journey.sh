#!/usr/bin/env bash
# The golden journey to the end played back in the real game, sixteen ticks per 25 ms, with
# SDL's disk audio and a recording of the playback: the game ends by itself after the white
# fade with exit status 0, its recording replays in velmoor-sim with every sync line matching,
# and a screenshot of each stage shows what that stage shows (journey_stages.py).
# usage: whole_journey.sh VELMOOR_BINARY VELMOOR_SIM REPO_ROOT
set -u
bin=$1 sim=$2 root=$3
. "$root/tests/e2e/lib.sh"
golden="$root/tests/replays/to_the_end.txt"
stages="$root/tests/e2e/journey_stages.py"
export LIBGL_ALWAYS_SOFTWARE=1

e2e_workdir "$root"
timeout 60 "$sim" --input "$golden" --trace trace.jsonl >/dev/null 2>sim.err ||
  e2e_fail "velmoor-sim does not replay $golden: $(cat sim.err)"
{ cat "$golden"; python3 "$stages" prints trace.jsonl; } >journey.txt ||
  e2e_fail "no stages in the journey's trace"
end=$(tail -n 1 trace.jsonl | python3 -c 'import json, sys; print(json.load(sys.stdin)["tick"])')

e2e_start_xvfb
SECONDS=0
SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE="$E2E_WORK/sound.raw" VELMOOR_PLAY_SPEED=16 \
  VELMOOR_PLAY="$E2E_WORK/journey.txt" VELMOOR_RECORD="$E2E_WORK/again.txt" E2E_GAME_LIMIT=170 \
  e2e_start_game "$bin" window
e2e_wait_exit 190
[ "$E2E_RC" = 0 ] || e2e_fail "the game exited with $E2E_RC: $(head -c 300 game.err)"
echo "the game played $end ticks in $SECONDS s"
grep -q 'does not match' game.err && e2e_fail "the game strayed from the journey: $(cat game.err)"

# It stopped at the journey's last tick, by itself: the recording closes there.
[ "$(grep '^sync ' again.txt | tail -n 1 | cut -d' ' -f2)" = "$end" ] ||
  e2e_fail "the recording does not end at tick $end: $(tail -n 2 again.txt)"
[ "$(grep -c '^sync ' again.txt)" -gt $((end / 100)) ] || e2e_fail "too few sync lines in the recording"
timeout 60 "$sim" --input again.txt >/dev/null 2>sim.err ||
  e2e_fail "velmoor-sim does not confirm the recording: $(cat sim.err)"
python3 "$stages" check trace.jsonl . || e2e_fail "a stage's picture is wrong"
echo "ok: the whole journey played to its white end"
