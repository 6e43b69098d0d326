#!/usr/bin/env bash
# The pictures in docs/, made again: the golden journey to the end played back in the real
# game under Xvfb (Mesa's software OpenGL, no sound), Print Screen pressed at chosen ticks,
# each TGA converted to a small PNG. The world is the recorded one, so the same ticks give the
# same pictures (the film grain aside).
#   scripts/make-screenshots.sh [VELMOOR_BINARY]     (default build/app/velmoor)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bin=$(realpath "${1:-$root/build/app/velmoor}")
journey="$root/tests/replays/to_the_end.txt"

# name and tick, the ticks rising (the game numbers its screenshots in the order taken): the
# picture shows the world after tick TICK - 1. The visits are at ticks 438, 1595, 2536 and
# 3772; the game quits by itself at 3976.
shots=(
  "rowing:125"
  "start:360"
  "babies:478"
  "chaser:1640"
  "walls:2650"
  "ending:3930"
)

work=$(mktemp -d)
xvfb_pid=""
game_pid=""
cleanup() {
  [ -n "$game_pid" ] && kill -9 "$game_pid" 2>/dev/null
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

{
  cat "$journey"
  for s in "${shots[@]}"; do echo "print ${s#*:}"; done
} >"$work/journey.txt"
ln -s "$root/dat" "$work/dat"

fifo="$work/display"
mkfifo "$fifo"
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset 3>"$fifo" >/dev/null 2>&1 &
xvfb_pid=$!
read -r -t 20 num <"$fifo" || { echo "Xvfb did not start" >&2; exit 1; }

cd "$work"
DISPLAY=":$num" LIBGL_ALWAYS_SOFTWARE=1 SDL_AUDIODRIVER=dummy VELMOOR_PLAY=journey.txt \
  VELMOOR_PLAY_SPEED=8 timeout -k 2 300 "$bin" window >game.out 2>game.err &
game_pid=$!
wait "$game_pid" || { echo "the game failed: $(head -c 300 game.err)" >&2; exit 1; }
game_pid=""

# A few colours and no dithering keep the grain from bloating the files.
n=0
for s in "${shots[@]}"; do
  out="$root/docs/${s%%:*}.png"
  /usr/bin/convert "screen$n.tga" -colors 96 +dither -strip "png8:$out"
  echo "$out ($(stat -c %s "$out") bytes, tick ${s#*:})"
  n=$((n + 1))
done
