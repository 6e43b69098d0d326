#!/usr/bin/env bash
# A scripted journey played back in the real game at 100 ticks per 25 ms, recorded again as it
# plays: the recording holds the script's motion and nothing of the live mouse or the live
# mixer until the script runs out; then the game goes back to real time and the mouse rows, and
# the recording goes on with the strokes sent and the live mixer's draws. velmoor-sim confirms
# every sync line of it and records the very same ones (the first visit's among them), the
# script's Print Screen and a live one both save their screenshots, and a sync line planted
# wrong is named once.
# usage: playback.sh VELMOOR_BINARY VELMOOR_SIM REPO_ROOT
set -u
bin=$1 sim=$2 root=$3
. "$root/tests/e2e/lib.sh"

e2e_workdir "$root"
{
  echo "seed 7"
  awk '$1 ~ /^[0-9]+$/ && $1 <= 600' "$root/tests/replays/four_visits.txt"
  echo "print 300"
  echo "sync 200 1 0 0"
} >script.txt

e2e_start_xvfb
SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE="$E2E_WORK/sound.raw" VELMOOR_PLAY_SPEED=100 \
  VELMOOR_PLAY="$E2E_WORK/script.txt" VELMOOR_RECORD="$E2E_WORK/again.txt" \
  e2e_start_game "$bin" window
e2e_wait_line game.err 'script.txt ends at tick 600; the mouse rows' 90
handed=$(date +%s.%N)
for i in $(seq 5); do xdotool mousemove_relative -- 30 150; done
xdotool key Print
for i in $(seq 100); do [ "$(stat -c %s screen1.tga 2>/dev/null)" = 921618 ] && break; sleep 0.1; done
# 100 ticks at 40 a second: 2.5 s of wall time, where the playback's speed would take 25 ms;
# the margin is for the polls that notice the two lines.
e2e_wait_line again.txt '^sync 700 ' 30
elapsed=$(awk -v a="$handed" -v b="$(date +%s.%N)" 'BEGIN { printf "%.2f", b - a }')
awk -v e="$elapsed" 'BEGIN { exit !(e >= 1.5) }' ||
  e2e_fail "100 ticks after the hand-over took $elapsed s, not the 2.5 s of real time"
xdotool key Escape
e2e_wait_exit 30
[ "$E2E_RC" = 0 ] || e2e_fail "the game exited with $E2E_RC: $(head -c 300 game.err)"

[ "$(grep -c 'does not match' game.err)" = 1 ] || e2e_fail "no single desync line: $(cat game.err)"
grep -q 'script.txt: tick 200 does not match: .*values drawn' game.err ||
  e2e_fail "the desync line does not name tick 200: $(cat game.err)"
[ "$(sed -n 3,4p again.txt)" = "version $("$sim" --version | cut -d ' ' -f 2)
seed 7" ] || e2e_fail "the recording does not start with this version and seed 7"
cmp -s <(awk '$1 ~ /^[0-9]+$/' script.txt) <(awk '$1 ~ /^[0-9]+$/ && $1 <= 600' again.txt) ||
  e2e_fail "the recording's motion is not the script's"
[ "$(awk '$1 ~ /^[0-9]+$/ && $1 > 600 && $3 { print $2, $3 }' again.txt | uniq -c)" = \
  "      5 30 150" ] || e2e_fail "the strokes after the hand-over are not the recording's"
awk '$1 == "audio" && $2 <= 600 { exit 1 }' again.txt ||
  e2e_fail "the live mixer drew from the world's random stream during the playback"
grep -q '^audio ' again.txt || e2e_fail "the live mixer's draws after the hand-over are not recorded"
[ "$(grep -c '^print ' again.txt)" = 2 ] || e2e_fail "not two screenshots in the recording"
for shot in screen0.tga screen1.tga; do
  [ "$(stat -c %s "$shot" 2>/dev/null)" = 921618 ] || e2e_fail "$shot was not saved"
done
timeout 60 "$sim" --input again.txt --record sim.txt >sim.out 2>sim.err ||
  e2e_fail "velmoor-sim does not confirm the recording: $(head -c 300 sim.err)"
cmp -s <(grep '^sync ' again.txt) <(grep '^sync ' sim.txt) ||
  e2e_fail "the game's sync lines are not velmoor-sim's: $(diff <(grep '^sync ' again.txt) <(grep '^sync ' sim.txt) | head -c 300)"
grep '^sync ' again.txt | sed '$d' | awk '$2 % 100 { found = 1 } END { exit !found }' ||
  e2e_fail "no sync line at the first visit: $(grep '^sync ' again.txt | tr '\n' ' ')"
echo "ok: the played journey is the scripted one, tick for tick"
