#!/usr/bin/env bash
# The pictures in docs/, made again: the golden journey to the end played back in the real
# game under Xvfb (Mesa's software OpenGL, no sound), Print Screen pressed at ticks set by the
# journey's milestones (tests/replays/milestones.txt), each TGA converted to a small PNG. The
# world is the recorded one, so the same ticks give the same pictures (the film grain aside).
# With a folder, the pictures go there instead, full 640 x 480 PNGs, with shots.txt naming
# each one's tick (the browser's test compares its own with them); --shots only prints the
# names and ticks.
#   scripts/make-screenshots.sh [VELMOOR_BINARY [FOLDER]]   (default build/app/velmoor, docs/)
#   scripts/make-screenshots.sh --shots
set -euo pipefail
. "$(dirname "$0")/../tests/e2e/lib.sh"
root=$VELMOOR_ROOT

# The journey's four visits and its quit, in order.
read -r v1 v2 v3 _ quit < <(velmoor_milestone_ticks to_the_end)
[ -n "$quit" ] || velmoor_fail "to_the_end has fewer than five milestones in milestones.txt"

# name and tick, the ticks rising (the game numbers its screenshots in the order taken): the
# picture shows the world after tick TICK - 1.
shots=(
  "rowing:125"
  "start:$((v1 - 78))"    # the lighthouse ahead
  "babies:$((v1 + 40))"
  "chaser:$((v2 + 45))"
  "walls:$((v3 + 114))"
  "ending:$((quit - 46))" # the white fade well on
)
if [ "${1:-}" = --shots ]; then
  for s in "${shots[@]}"; do echo "${s%%:*} ${s#*:}"; done
  exit 0
fi
bin=$(realpath "${1:-$(velmoor_build_dir normal)/app/velmoor}")
folder=${2:+$(mkdir -p "$2" && realpath "$2")}
[ -z "$folder" ] || : >"$folder/shots.txt"

e2e_workdir "$root"
ticks=()
for s in "${shots[@]}"; do ticks+=("${s#*:}"); done
e2e_play_pictures "$bin" 300 "${ticks[@]}"

# A few colours and no dithering keep the grain from bloating the files in docs/.
n=0
for s in "${shots[@]}"; do
  if [ -n "$folder" ]; then
    out="$folder/${s%%:*}.png"
    /usr/bin/convert "screen$n.tga" -strip "png24:$out"
    echo "${s%%:*} ${s#*:}" >>"$folder/shots.txt"
  else
    out="$root/docs/${s%%:*}.png"
    /usr/bin/convert "screen$n.tga" -colors 96 +dither -strip "png8:$out"
  fi
  echo "$out ($(stat -c %s "$out") bytes, tick ${s#*:})"
  n=$((n + 1))
done
