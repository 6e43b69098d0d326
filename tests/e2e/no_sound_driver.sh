#!/usr/bin/env bash
# An audio driver that cannot start leaves the game silent, not dead: one line says why, the
# window comes up and Escape still ends it with status 0.
# usage: no_sound_driver.sh VELMOOR REPO_ROOT
set -u
. "$(dirname "$0")/lib.sh"
game=$1 root=$2
e2e_workdir "$root"
e2e_start_xvfb
SDL_AUDIODRIVER=no-such-driver e2e_start_game "$game" windowed
e2e_wait_window >/dev/null
sleep 0.5
xdotool key Escape
e2e_wait_exit 20
[ "$E2E_RC" = 0 ] || e2e_fail "exit status $E2E_RC, expected 0"
[ "$(wc -l <game.err)" = 1 ] || e2e_fail "expected one line on stderr, got: $(cat game.err)"
grep -q '^velmoor: no sound: ' game.err || e2e_fail "the line does not say why: $(cat game.err)"
echo "ok: $(cat game.err); the game ran and quit with status 0"
