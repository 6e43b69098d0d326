#!/usr/bin/env bash
# The browser's figures beside the native game's, in one run (figures, not a test): frames per
# second of bench-frame's late world, the same scene, in headless Chromium (SwiftShader) and
# natively (under Xvfb, Mesa's llvmpipe), and of the page playing the journey to the end; ticks per second of velmoor-sim under Node and natively over the
# golden journeys; the time from loading the page to its first frame; the page's download
# size, compressed.
#   scripts/bench-web.sh [PAGE_FOLDER]   (default: the page built by scripts/web.sh; the web
#                                         bench-frame is built beside it in build-webgame/bench)
set -euo pipefail
. "$(dirname "$0")/lib.sh"
root=$VELMOOR_ROOT
bash "$root/scripts/deps.sh" --test --web
trap xvfb_stop EXIT

velmoor_build normal bench-frame velmoor-sim
native=$(velmoor_build_dir normal)
web_sim=$(velmoor_build_web_sim)
page=$(velmoor_web_page_folder "$@")
velmoor_build webgame bench-frame
web_bench=$(velmoor_build_dir webgame)/bench
velmoor_web_harness

echo "== in Chromium (SwiftShader)"
node "$root/tests/web/bench.mjs" "$page" "$web_bench"

echo "== natively (bench-frame, llvmpipe under Xvfb)"
xvfb_start
# The late world's first description and its frame rate, 400 frames.
LIBGL_ALWAYS_SOFTWARE=1 SDL_AUDIODRIVER=dummy "$native/tools/bench-frame/bench-frame" 400 "$root/dat" |
  awk '/^-- the full late world/ { late = 1; next } late && /^stage/ && !said { print "scene       " $0; said = 1 }
       late && /^frames per second/ { print "frames      " $0; late = 0 }
       /^  of which: making/ { calls = $(NF - 1) }
       END { print "frames      making the GL calls natively: " calls " ms a frame (the late world, median)" }'
xvfb_stop

echo "== velmoor-sim over the golden journeys, best of 3"
# Seconds for all the golden journeys, the best of three runs, less a one-tick run's start-up.
sim_seconds() {
  local best="" t name args
  for _ in 1 2 3; do
    t=$( { TIMEFORMAT=%R; time for name in $(awk '!/^#/ && NF { print $1 }' "$root/tests/replays/milestones.txt"); do
      mapfile -t args < <(python3 "$root/tests/replays/replays.py" args "$name")
      "$1" "${args[@]}" --data "$root/dat" >/dev/null; done; } 2>&1)
    best=$(echo "${best:-$t} $t" | awk '{ print ($1 < $2 ? $1 : $2) }')
  done
  echo "$best"
}
ticks=$(awk '!/^#/ && NF { split($NF, m, ":"); n += m[2] } END { print n }' "$root/tests/replays/milestones.txt")
runs=$(awk '!/^#/ && NF { n++ } END { print n }' "$root/tests/replays/milestones.txt")
for which in native node; do
  sim=$native/tools/velmoor-sim/velmoor-sim
  [ $which = native ] || sim=$web_sim
  s=$(sim_seconds "$sim")
  up=$( { TIMEFORMAT=%R; time "$sim" --seed 1 --ticks 1 --data "$root/dat" >/dev/null; } 2>&1)
  awk -v w=$which -v s="$s" -v up="$up" -v t="$ticks" -v r="$runs" 'BEGIN {
    printf "ticks       velmoor-sim %-6s %8.0f ticks per second (%d ticks in %.2f s; %.0f without its start-up of %.2f s a run)\n",
      w, t / s, t, s, t / (s - r * up), up }'
done
