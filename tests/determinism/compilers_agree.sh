#!/usr/bin/env bash
# velmoor-sim built by Clang (the clang variant, in build-clang/) replays every golden journey
# to the same trace, state and WAV as the given build.
# usage: compilers_agree.sh VELMOOR_SIM
set -euo pipefail
. "$(dirname "$0")/../../scripts/lib.sh"
[ $# = 1 ] || velmoor_fail "usage: compilers_agree.sh VELMOOR_SIM"
velmoor_build clang velmoor-sim
bash "$(dirname "$0")/same_outputs.sh" "$1" "$(velmoor_build_dir clang)/tools/velmoor-sim/velmoor-sim"
