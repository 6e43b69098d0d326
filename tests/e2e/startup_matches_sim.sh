#!/usr/bin/env bash
# The game's start-up and velmoor-sim's make the same world: with one seed, the whole state
# after the reset, draw count included, is the same to the byte. The game opens its window
# under Xvfb with an audio driver that cannot start, so no mixer draws from the random source.
# usage: startup_matches_sim.sh STARTUP_STATE VELMOOR_SIM REPO_ROOT
set -u
. "$(dirname "$0")/lib.sh"
game=$1 sim=$2 root=$3
seed=90210
e2e_workdir "$root"
e2e_start_xvfb
SDL_AUDIODRIVER=no-such-driver timeout -k 2 60 "$game" $seed >game.state 2>game.err ||
  e2e_fail "the game's start-up failed: $(cat game.err)"
[ "$(wc -l <game.err)" = 1 ] && grep -q '^velmoor: no sound: ' game.err ||
  e2e_fail "expected only the no-sound line from the game, got: $(cat game.err)"
timeout -k 2 60 "$sim" --seed $seed --ticks 0 --state - --data "$root/dat" >sim.state 2>sim.err ||
  e2e_fail "velmoor-sim failed: $(cat sim.err)"
[ -s sim.err ] && e2e_fail "velmoor-sim complained: $(cat sim.err)"
cmp game.state sim.state || e2e_fail "the game's world and velmoor-sim's differ"
echo "ok: the same world, $(grep -o '"draws":[0-9]*' game.state) after the reset"
