#!/usr/bin/env bash
# glibc picks its maths by processor; with its FMA and AVX2 paths turned off the C library's
# sin, cos and pow change in their last bits, and the game must not: every golden journey gives
# the same trace, state and WAV either way.
# usage: fma_off.sh VELMOOR_SIM LIBRARY_DIGEST
set -euo pipefail
. "$(dirname "$0")/../../scripts/lib.sh"
[ $# = 2 ] || velmoor_fail "usage: fma_off.sh VELMOOR_SIM LIBRARY_DIGEST"
sim=$(realpath "$1") digest=$2
off=glibc.cpu.hwcaps=-AVX2,-FMA
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

read -r _ lib_on _ ours_on < <("$digest")
read -r _ lib_off _ ours_off < <(GLIBC_TUNABLES=$off "$digest")
if [ "$lib_on" != "$lib_off" ]; then
  echo "fma_off.sh: the C library's sin/cos/pow change with its FMA paths off ($lib_on, then $lib_off)"
else
  echo "fma_off.sh: the C library's sin/cos/pow did not change here (a processor without FMA?)"
fi
[ "$ours_on" = "$ours_off" ] || velmoor_fail "our sine/cosine/2^y changed: $ours_on, then $ours_off"

printf '#!/bin/sh\nGLIBC_TUNABLES=%s exec %s "$@"\n' "$off" "$sim" >"$work/sim-fma-off"
chmod +x "$work/sim-fma-off"
bash "$(dirname "$0")/same_outputs.sh" "$sim" "$work/sim-fma-off"
