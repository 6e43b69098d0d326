#!/usr/bin/env bash
# The real game under Xvfb with SDL's disk audio driver: what the mixer wrote in its first
# seconds is checked (a valid stream, the first melody note, the hiss decaying); a second run
# with no recordings at all still plays and quits cleanly, with one message per clip.
# usage: e2e_sound.sh VELMOOR_BINARY REPO_ROOT
set -u
bin=$1 root=$2
. "$root/tests/e2e/lib.sh"

# Waits at most 30 s for FILE to hold BYTES bytes.
wait_for_bytes() {
  local file=$1 bytes=$2 i=0
  while [ "$(stat -c %s "$file" 2>/dev/null || echo 0)" -lt "$bytes" ]; do
    i=$((i + 1))
    [ $i -gt 300 ] && e2e_fail "the audio capture did not reach $bytes bytes within 30 s"
    kill -0 "$E2E_GAME_PID" 2>/dev/null || e2e_fail "the game ended early: $(cat game.err)"
    sleep 0.1
  done
}

play_and_quit() {
  export SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE="$E2E_WORK/$1"
  e2e_start_game "$bin" window
  e2e_wait_window >/dev/null
  wait_for_bytes "$SDL_DISKAUDIOFILE" $((44100 * 4 * 4))
  xdotool key Escape
  e2e_wait_exit 20
  [ "$E2E_RC" = 0 ] || e2e_fail "the game exited with $E2E_RC"
}

e2e_workdir "$root"
e2e_start_xvfb

play_and_quit sound.raw
grep -q "Couldn't load" game.err && e2e_fail "a recording failed to load: $(cat game.err)"
python3 "$root/tests/audio/check_capture.py" sound.raw || exit 1

# Without recordings: the models and images stay, the samples directory is empty.
rm dat
mkdir -p dat/samples
for d in "$root"/dat/*; do
  [ "$(basename "$d")" = samples ] || ln -s "$d" "dat/$(basename "$d")"
done
play_and_quit silent.raw
[ "$(grep -c "^Couldn't load dat/samples/growl.wav: " game.err)" = 1 ] || e2e_fail "no growl message: $(cat game.err)"
[ "$(grep -c "^Couldn't load dat/samples/baby.wav: " game.err)" = 1 ] || e2e_fail "no baby message: $(cat game.err)"
python3 "$root/tests/audio/check_capture.py" silent.raw || exit 1
echo "PASS"
