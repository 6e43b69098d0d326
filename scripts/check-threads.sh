#!/usr/bin/env bash
# The real game under ThreadSanitizer: built in build-tsan/ (the game alone), rowed with
# xdotool for SECONDS (default 60) in a window under Xvfb, its sound going through SDL's disk
# driver so that the audio thread mixes all the while, then Escape. Fails on any report that
# tests/tsan.supp does not suppress (those lie inside Mesa and SDL), or an exit status other than
# 0. Prints one summary line; the reports are kept in build-tsan/tsan-reports/.
# usage: scripts/check-threads.sh [SECONDS]
set -euo pipefail
. "$(dirname "$0")/../tests/e2e/lib.sh"
root=$VELMOOR_ROOT
seconds=${1:-60}
build=$(velmoor_build_dir tsan)
reports="$build/tsan-reports"

bash "$root/scripts/deps.sh" --test
velmoor_build tsan velmoor
rm -rf "$reports" && mkdir -p "$reports"

e2e_workdir "$root"
e2e_start_xvfb
LIBGL_ALWAYS_SOFTWARE=1 SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE="$E2E_WORK/sound.raw" \
  TSAN_OPTIONS="halt_on_error=0 exitcode=66 second_deadlock_stack=1 print_suppressions=1 log_path=$reports/tsan suppressions=$root/tests/tsan.supp" \
  VELMOOR_RECORD="$E2E_WORK/journey.txt" E2E_GAME_LIMIT=$((seconds + 120)) \
  e2e_start_game "$build/app/velmoor" window
e2e_wait_line journey.txt '^sync 0 ' 60
strokes=$(e2e_row "$seconds")
xdotool key Escape
e2e_wait_exit 60
ticks=$(awk '$1 == "sync" { t = $2 } END { print t + 0 }' journey.txt)
audio=$(grep -c '^audio ' journey.txt || true)

cat "$reports"/tsan.* >"$reports/all.txt" 2>/dev/null || true
found=$(grep -c 'WARNING: ThreadSanitizer' "$reports/all.txt" || true)
# "N TYPE:LIBRARY" lines under "Matched N suppressions".
matched() { awk -v s="$1" '$2 == s { n += $1 } END { print n + 0 }' "$reports/all.txt"; }
mesa=$(matched race:swrast_dri.so) sdl=$(matched deadlock:libSDL2-2.0.so)
if [ "$found" != 0 ]; then
  grep -A12 'WARNING: ThreadSanitizer' "$reports/all.txt" | head -60 || true
  e2e_fail "$found reports from ThreadSanitizer (see $reports/all.txt)"
fi
# SDL's audio lock is an SDL mutex too: a cycle between it and one of ours would carry an SDL
# frame and be suppressed with SDL's own. SDL alone makes one cycle; a second is not SDL's.
[ "$sdl" -le 1 ] || e2e_fail "$sdl lock-order cycles through SDL's mutexes, where SDL alone makes one (see $reports/all.txt)"
[ "$E2E_RC" = 0 ] || e2e_fail "the game exited with status $E2E_RC: $(grep -v '^CRITICAL: ' game.err | head -c 300)"
[ "$strokes" -gt 0 ] && [ "$audio" -gt 0 ] || e2e_fail "no rowing ($strokes strokes) or no mixing ($audio audio lines)"
echo "check-threads.sh: ${seconds} s of the game under ThreadSanitizer, $strokes strokes, $ticks ticks, the mixer drew before $audio of them: no report; suppressed: $mesa in Mesa, $sdl in SDL"
