#!/usr/bin/env bash
# The real game rowed for MINUTES (default 10) in a window under Xvfb, its sound going through
# SDL's disk driver, the normal build in build/. Its resident memory (VmRSS) is read every 10 s
# and printed as a series; after Escape, the game's own recording of the session is replayed
# by the headless soak, which checks every sync line and counts the voices and sparks alive
# tick by tick. Should the rowing reach the fourth lighthouse, the game ends by itself after
# the white fade: a new game is then started for the time left (a session each). Fails when a
# game does not exit with status 0, when its memory in its last minute stayed above the
# reading at the end of its first minute by more than MARGIN_KIB (default 1024), or when a
# replay fails. The last minute's lowest reading is the one judged: something the game shows
# for the first time (the chaser, the walls) costs Mesa a few hundred KiB once, for a moment
# or for good, while a leak keeps on growing.
# usage: scripts/soak-game.sh [MINUTES]
set -euo pipefail
. "$(dirname "$0")/../tests/e2e/lib.sh"
root=$VELMOOR_ROOT
minutes=${1:-10}
margin=${MARGIN_KIB:-1024}
build=$(velmoor_build_dir normal)
# The replay takes its first memory reading at tick 10,000 (4 min 10 s of play).
[ "$minutes" -ge 5 ] || e2e_fail "give at least 5 minutes"

bash "$root/scripts/deps.sh" --test
velmoor_build normal velmoor soak

# One game, rowed until END (in $SECONDS) or until it ends by itself; judged as it ends.
# usage: play_session N END
play_session() {
  local n=$1 end=$2 journey="journey$1.txt" game rower at rss series=()
  LIBGL_ALWAYS_SOFTWARE=1 SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE=/dev/null \
    VELMOOR_RECORD="$E2E_WORK/$journey" E2E_GAME_LIMIT=$((end - SECONDS + 120)) \
    e2e_start_game "$build/app/velmoor" window
  e2e_wait_line "$journey" '^sync 0 ' 60
  game=$(tr -d ' ' <"/proc/$E2E_GAME_PID/task/$E2E_GAME_PID/children" || true) # under timeout
  [ -n "$game" ] || e2e_fail "cannot find the game's process"
  e2e_row $((end - SECONDS)) >"strokes$n.txt" &
  rower=$!
  for ((at = SECONDS + 10; at <= end; at += 10)); do
    while [ $SECONDS -lt $at ]; do sleep 0.5; done
    rss=$(awk '/^VmRSS:/ { print $2 }' "/proc/$game/status" 2>/dev/null || true)
    [ -n "$rss" ] || break
    series+=("$rss")
  done
  wait $rower
  local ended=" (it reached the ending)"
  if kill -0 "$E2E_GAME_PID" 2>/dev/null; then
    ended=""
    xdotool key Escape
  fi
  e2e_wait_exit 60
  [ "$E2E_RC" = 0 ] || e2e_fail "game $n exited with status $E2E_RC: $(grep -v '^CRITICAL: ' game.err | head -c 300)"
  echo "soak-game.sh: game $n, $(cat "strokes$n.txt") strokes in $((${#series[@]} * 10)) s$ended; VmRSS (KiB) every 10 s: ${series[*]}"
  if [ ${#series[@]} -ge 12 ]; then
    local base=${series[5]} most=0 last=${series[-1]} # base: at the end of the first minute
    for rss in "${series[@]:5}"; do [ "$rss" -gt "$most" ] && most=$rss; done
    for rss in "${series[@]: -6}"; do [ "$rss" -lt "$last" ] && last=$rss; done
    echo "soak-game.sh: game $n: VmRSS $base KiB after the first minute, at most $most KiB after it, at least $last KiB in the last minute ($(printf %+d $((last - base))) KiB, margin $margin KiB)"
    [ $((last - base)) -le "$margin" ] || e2e_fail "game $n: resident memory grew by $((last - base)) KiB after the first minute"
  fi
  if [ "$(awk '$1 == "sync" { t = $2 } END { print t + 0 }' "$journey")" -gt 10000 ]; then
    "$build/tools/soak/soak" --input "$journey" --data "$root/dat" >"soak$n.txt" ||
      e2e_fail "game $n: the headless replay of its recording failed: $(tail -n 3 "soak$n.txt")"
    sed "s/^/soak-game.sh: game $n replayed: /" "soak$n.txt"
  else
    echo "soak-game.sh: game $n: too short for the headless soak's replay"
  fi
}

e2e_workdir "$root"
e2e_start_xvfb
end=$((SECONDS + minutes * 60)) n=0
while [ $((end - SECONDS)) -ge 60 ]; do # a new game only when a minute is left for it
  n=$((n + 1))
  play_session $n $end
done
echo "soak-game.sh: ok, $minutes min in $n game(s)"
