#!/usr/bin/env bash
# glibc picks its maths by processor; with its FMA and AVX2 paths turned off the C library's
# sin, cos and pow change in their last bits, and the game must not: the four-visit game and
# both golden journeys give the same traces, states and WAVs either way.
# usage: fma_off.sh SOURCE_TREE VELMOOR_SIM LIBRARY_DIGEST
set -euo pipefail
src=$1 sim=$2 digest=$3
. "$src/tests/determinism/outputs.sh"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
off=glibc.cpu.hwcaps=-AVX2,-FMA

read -r _ lib_on _ ours_on < <("$digest")
read -r _ lib_off _ ours_off < <(GLIBC_TUNABLES=$off "$digest")
if [ "$lib_on" != "$lib_off" ]; then
  echo "the C library's sin/cos/pow change with its FMA paths off ($lib_on, then $lib_off)"
else
  echo "the C library's sin/cos/pow did not change here (a processor without FMA?)"
fi
[ "$ours_on" = "$ours_off" ] || { echo "FAIL: our sine/cosine/2^y changed: $ours_on, then $ours_off" >&2; exit 1; }

write_outputs "$src" "$work/on" "$sim"
GLIBC_TUNABLES=$off write_outputs "$src" "$work/off" "$sim"
compare_outputs "$work/on" "$work/off" "FMA paths on and off"
