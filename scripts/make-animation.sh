#!/usr/bin/env bash
# The README's moving picture (docs/play.webp), made again: the golden journey to the end played
# back in the real game under Xvfb (Mesa's software OpenGL, no sound), Print Screen pressed every
# few ticks through five short scenes set by the journey's milestones
# (tests/replays/milestones.txt), and the pictures joined by ImageMagick into one small animated
# WebP. The world is the recorded one, so the same ticks give the same scenes (the film grain
# aside).
#   scripts/make-animation.sh [VELMOOR_BINARY]   (default: the game of build/, built first)
set -euo pipefail
. "$(dirname "$0")/../tests/e2e/lib.sh"
root=$VELMOOR_ROOT
out="$root/docs/play.webp"
step=4    # ticks between pictures: 10 a second of play
if [ $# -gt 0 ]; then
  bin=$(realpath "$1")
else
  velmoor_build normal velmoor
  bin="$(velmoor_build_dir normal)/app/velmoor"
fi
begun=$SECONDS

# The journey's four visits and its quit, in order.
read -r v1 v2 v3 v4 quit < <(velmoor_milestone_ticks to_the_end)
[ -n "$quit" ] || velmoor_fail "to_the_end has fewer than five milestones in milestones.txt"

# The scenes, FIRST:LAST ticks, in the journey's order: rowing up to the first lighthouse, the
# babies let loose, the chaser awake, the walls, and the white ending.
scenes=(
  "$((v1 - 80)):$((v1 + 4))"
  "$((v1 + 24)):$((v1 + 84))"
  "$((v2 + 10)):$((v2 + 70))"
  "$((v3 + 90)):$((v3 + 150))"
  "$((v4 + 100)):$((quit - 8))"
)

e2e_workdir "$root"
ticks=()
for s in "${scenes[@]}"; do
  for ((t = ${s%:*}; t <= ${s#*:}; t += step)); do ticks+=("$t"); done
done
# Speed 8 runs through the quiet stretches between the scenes; each picture waits for its frame.
e2e_play_pictures "$bin" 600 "${ticks[@]}"

# Half size and lossy WebP keep the picture small (a GIF of it, even in 64 colours, is ten
# times the size: the film grain changes every pixel of every frame); the last frame of a
# scene is held a little longer.
frames=()
n=0
for s in "${scenes[@]}"; do
  for ((t = ${s%:*}; t <= ${s#*:}; t += step)); do
    [ $((t + step)) -gt "${s#*:}" ] && frames+=(-delay 60) || frames+=(-delay 10)
    frames+=("screen$n.tga")
    n=$((n + 1))
  done
done
/usr/bin/convert "${frames[@]}" -resize 320x240 -strip -loop 0 -quality 80 \
  -define webp:method=6 "$out"
echo "$out: $n pictures, $(stat -c %s "$out") bytes, made in $((SECONDS - begun)) s"
