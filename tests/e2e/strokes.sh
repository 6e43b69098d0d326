#!/usr/bin/env bash
# Every stroke arrives: mouse motion sent with xdotool, some of it pushing on at the window's
# edge, reaches the game exactly as sent, in a window and full screen; the game's recording of
# what it received is the witness. The windowed game plays its sound through SDL's disk driver,
# so the audio thread really draws, and its recording must replay in velmoor-sim with every
# sync line matching.
# usage: strokes.sh VELMOOR_BINARY VELMOOR_SIM REPO_ROOT
set -u
bin=$1 sim=$2 root=$3
. "$root/tests/e2e/lib.sh"

# The strokes, one "XREL YREL" a line: full pulls and returns; a push to the bottom edge and
# pulls that go on past it; the same at the right edge and in the top left corner.
strokes() {
  local i
  for i in $(seq 10); do echo "0 150"; done
  for i in $(seq 10); do echo "0 -150"; done
  echo "0 3000"
  for i in $(seq 6); do echo "0 150"; done
  echo "3000 0"
  for i in $(seq 4); do echo "40 -150"; done
  echo "-3000 -3000"
  for i in $(seq 5); do echo "-25 -150"; done
}

# Plays with recording on, sends the strokes once start-up is done, quits with Escape, and
# checks the motion recorded. A motion of 0 0 (SDL reports one as the pointer is taken) moves
# nothing and is left out. Motion is recorded when its tick runs, so Escape waits for the
# second sync line after the last stroke was sent: by then every stroke has had its tick.
# usage: stroke_and_check RECORDING GAME_ARGS...
stroke_and_check() {
  local journey=$1; shift
  VELMOOR_RECORD="$E2E_WORK/$journey" e2e_start_game "$bin" "$@"
  e2e_wait_line "$journey" '^sync 0 ' 30
  strokes | while read -r x y; do xdotool mousemove_relative -- "$x" "$y"; done
  local now last
  now=$(awk '$1 == "sync" { t = $2 } END { print t }' "$journey")
  last=$(( (now / 100 + 2) * 100 ))
  e2e_wait_line "$journey" "^sync $last " 40
  xdotool key Escape
  e2e_wait_exit 30
  [ "$E2E_RC" = 0 ] || e2e_fail "the game exited with $E2E_RC: $(head -c 300 game.err)"
  awk '$1 ~ /^[0-9]+$/ && !($2 == 0 && $3 == 0) { print $2, $3 }' "$journey" >received.txt
  strokes >sent.txt
  cmp -s sent.txt received.txt ||
    e2e_fail "$journey: the game received $(wc -l <received.txt) motions, not the $(wc -l <sent.txt) sent: $(diff sent.txt received.txt | head -c 300)"
}

e2e_workdir "$root"

e2e_start_xvfb
SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE="$E2E_WORK/sound.raw" stroke_and_check window.txt window
[ "$(grep -c '^audio ' window.txt)" -gt 0 ] || e2e_fail "the audio thread drew nothing"
timeout 60 "$sim" --input window.txt >sim.out 2>sim.err ||
  e2e_fail "velmoor-sim does not replay the recording: $(head -c 300 sim.err)"
echo "ok: in a window, every stroke arrived and the journey replays"

# Full screen on a screen of the game's own size, so that motion is not scaled.
e2e_stop_xvfb
e2e_start_xvfb 640x480
stroke_and_check full.txt
echo "ok: full screen, every stroke arrived"
