#!/usr/bin/env bash
# The real game in a window under Xvfb: captioned Velmoor, Escape ends it silently with status 0.
# usage: quit_by_escape.sh VELMOOR REPO_ROOT
set -u
. "$(dirname "$0")/lib.sh"
game=$1 root=$2
e2e_workdir "$root"
e2e_start_xvfb
e2e_start_game "$game" windowed
e2e_wait_window >/dev/null
sleep 0.5
xdotool key Escape
e2e_wait_exit 20
[ "$E2E_RC" = 0 ] || e2e_fail "exit status $E2E_RC, expected 0"
[ ! -s game.out ] || e2e_fail "printed on stdout: $(head -c 300 game.out)"
[ ! -s game.err ] || e2e_fail "printed on stderr: $(head -c 300 game.err)"
echo "ok: Escape ends the game with status 0 and no output"
