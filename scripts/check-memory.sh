#!/usr/bin/env bash
# Valgrind's memcheck over velmoor-sim replaying the scripted game to all four lighthouses
# (sound mixed) and over the real game rowed for a few seconds in a window under Xvfb with
# SDL's disk audio, then Escape. Fails on any invalid read or write, use of uninitialised
# memory, or block lost at exit (definitely, indirectly or possibly) that tests/valgrind.supp
# does not put down to a library. Uses the normal build in build/. Prints one summary line; the
# logs are kept in build/memcheck/.
# usage: scripts/check-memory.sh [SECONDS]   (the game's rowing; default 3)
set -euo pipefail
. "$(dirname "$0")/../tests/e2e/lib.sh"
root=$VELMOOR_ROOT
seconds=${1:-3}
build=$(velmoor_build_dir normal)
logs="$build/memcheck"

bash "$root/scripts/deps.sh" --test
velmoor_build normal velmoor velmoor-sim
rm -rf "$logs" && mkdir -p "$logs"

# Valgrind serialises the threads; --fair-sched keeps the audio thread from starving the game's.
memcheck=(valgrind --error-exitcode=99 --leak-check=full --show-leak-kinds=definite,indirect,possible
  --errors-for-leak-kinds=definite,indirect,possible --fair-sched=yes --keep-debuginfo=yes
  --num-callers=40 --show-error-list=yes --suppressions="$root/tests/valgrind.supp")

# Errors and leaks left after suppression in the logs (each says so twice, before and after
# its list), and the records suppressed.
errors_in() { awk '/ERROR SUMMARY:/ { n[FILENAME] = $4 } END { for (f in n) s += n[f]; print s + 0 }' "$@"; }
suppressed_in() { awk '$2 == "used_suppression:" { n += $3 } END { print n + 0 }' "$@"; }
show_errors() {
  { grep -h -A14 -E '(Invalid|uninitialised|definitely lost|indirectly lost|possibly lost) ' "$@" || true; } |
    grep -v 'lost: ' | head -60 || true
}

e2e_workdir "$root"
# With a seed line the scripted game is a journey: its sound is mixed apart from the world.
{ echo "seed 7"; cat "$root/tests/replays/four_visits.txt"; } >journey.txt
sim_rc=0
timeout -k 5 600 "${memcheck[@]}" --log-file="$logs/sim.%p.txt" "$build/tools/velmoor-sim/velmoor-sim" \
  --input journey.txt --wav sim.wav --trace sim.trace --data "$root/dat" >sim.out 2>&1 || sim_rc=$?
if [ "$(errors_in "$logs"/sim.*)" != 0 ] || [ $sim_rc != 0 ]; then
  show_errors "$logs"/sim.*
  e2e_fail "velmoor-sim under memcheck: status $sim_rc, $(errors_in "$logs"/sim.*) errors (see $logs)"
fi

e2e_start_xvfb
LIBGL_ALWAYS_SOFTWARE=1 SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE="$E2E_WORK/sound.raw" \
  VELMOOR_RECORD="$E2E_WORK/game.txt" E2E_GAME_LIMIT=400 \
  e2e_start_game "${memcheck[@]}" --log-file="$logs/game.%p.txt" "$build/app/velmoor" window
e2e_wait_line game.txt '^sync 0 ' 180
strokes=$(e2e_row "$seconds")
xdotool key Escape
e2e_wait_exit 240
ticks=$(awk '$1 == "sync" { t = $2 } END { print t + 0 }' game.txt)
if [ "$(errors_in "$logs"/game.*)" != 0 ] || [ "$E2E_RC" != 0 ]; then
  show_errors "$logs"/game.*
  e2e_fail "the game under memcheck: status $E2E_RC, $(errors_in "$logs"/game.*) errors (see $logs)"
fi
echo "check-memory.sh: velmoor-sim to the fourth lighthouse and the game ($strokes strokes, $ticks ticks) under memcheck: no invalid access, nothing lost ($(suppressed_in "$logs"/*) library records suppressed)"
