#!/usr/bin/env bash
# Closing the window (WM_DELETE_WINDOW, as a window manager's close button sends) ends the game.
# usage: quit_by_close.sh VELMOOR XCLOSE REPO_ROOT
set -u
. "$(dirname "$0")/lib.sh"
game=$1 xclose=$2 root=$3
e2e_workdir "$root"
e2e_start_xvfb
e2e_start_game "$game" windowed
wid=$(e2e_wait_window)
sleep 0.5
"$xclose" "$wid" || e2e_fail "could not send the close request"
e2e_wait_exit 20
[ "$E2E_RC" = 0 ] || e2e_fail "exit status $E2E_RC, expected 0"
[ ! -s game.out ] || e2e_fail "printed on stdout: $(head -c 300 game.out)"
[ ! -s game.err ] || e2e_fail "printed on stderr: $(head -c 300 game.err)"
echo "ok: closing the window ends the game with status 0 and no output"
