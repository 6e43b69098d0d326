#!/usr/bin/env bash
# With no display at all the game says so in one line and exits with status 1, quickly.
# usage: no_display.sh VELMOOR REPO_ROOT
set -u
. "$(dirname "$0")/lib.sh"
game=$1 root=$2
e2e_workdir "$root"
check() { # check WHAT: runs the game with the current environment
  local rc=0
  timeout -k 2 20 "$game" "$@" >game.out 2>game.err || rc=$?
  [ "$rc" = 1 ] || e2e_fail "exit status $rc, expected 1 ($*)"
  [ ! -s game.out ] || e2e_fail "printed on stdout: $(head -c 300 game.out)"
  [ "$(wc -l <game.err)" = 1 ] || e2e_fail "expected one line on stderr, got: $(cat game.err)"
  grep -qi 'display' game.err || e2e_fail "the line does not name the display: $(cat game.err)"
  echo "  $(cat game.err)"
}
unset DISPLAY WAYLAND_DISPLAY SDL_VIDEODRIVER
export SDL_AUDIODRIVER=dummy
check windowed
check
# An X display that is not there: still one clear line, no invisible game.
DISPLAY=:97 check windowed
echo "ok: no display gives one line and status 1"
