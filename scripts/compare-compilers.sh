#!/usr/bin/env bash
# velmoor-sim built by Clang must replay the scripted four-visit game exactly as the GCC build
# does: the same trace and the same WAV, byte for byte. Builds the Clang copy (velmoor-sim
# alone, no tests) in CLANG_BUILD, then runs both.
# usage: scripts/compare-compilers.sh GCC_VELMOOR_SIM CLANG_BUILD [CC CXX]   (clang, clang++)
set -euo pipefail
if [ $# -lt 2 ] || [ $# -gt 4 ]; then
  echo "usage: $0 GCC_VELMOOR_SIM CLANG_BUILD [CC CXX]" >&2
  exit 2
fi
root=$(cd "$(dirname "$0")/.." && pwd)
gcc_sim=$(realpath "$1") build=$2 cc=${3:-clang} cxx=${4:-clang++}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

if ! { cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVELMOOR_TESTS=OFF \
         -DVELMOOR_WERROR=ON -DCMAKE_C_COMPILER="$cc" -DCMAKE_CXX_COMPILER="$cxx" &&
       nice cmake --build "$build" -j2 --target velmoor-sim; } >"$work/build.log" 2>&1; then
  cat "$work/build.log" >&2
  echo "FAIL: the Clang build of velmoor-sim failed" >&2
  exit 1
fi
clang_sim="$(cd "$build" && pwd)/tools/velmoor-sim/velmoor-sim"

for who in gcc clang; do
  sim=$gcc_sim
  [ "$who" = clang ] && sim=$clang_sim
  timeout -k 2 300 "$sim" --seed 7 --ticks 5000 --input "$root/tests/sim/data/four_visits.txt" \
    --data "$root/dat" --trace "$work/$who.jsonl" --wav "$work/$who.wav" 2>"$work/$who.err" ||
    { cat "$work/$who.err" >&2; echo "FAIL: the $who build's velmoor-sim failed" >&2; exit 1; }
  # A missing recording would leave both WAVs without it, and still the same.
  if [ -s "$work/$who.err" ]; then
    cat "$work/$who.err" >&2
    echo "FAIL: the $who build's velmoor-sim complained" >&2
    exit 1
  fi
done
status=0
for f in jsonl wav; do
  cmp "$work/gcc.$f" "$work/clang.$f" || { echo "FAIL: the .$f outputs differ" >&2; status=1; }
done
[ $status = 0 ] || exit 1
echo "GCC and Clang agree: $(wc -l <"$work/gcc.jsonl") trace lines, $(stat -c %s "$work/gcc.wav") WAV bytes"
