#!/usr/bin/env bash
# Builds the readers' fuzz targets (tests/fuzz: libFuzzer, AddressSanitizer, UBSan, by Clang)
# in build-fuzz/ and runs each for SECONDS on its seeds and on what earlier runs found.
#   scripts/fuzz.sh SECONDS [TARGET...]   (default: every target tests/fuzz lists)
# A crash leaves its input as build-fuzz/tests/fuzz/TARGET-crash-*; the exit status is then 1.
set -euo pipefail
. "$(dirname "$0")/lib.sh"
[ $# -ge 1 ] || velmoor_fail "usage: scripts/fuzz.sh SECONDS [TARGET...]"
seconds=$1
shift
velmoor_build fuzz fuzz
out="$(velmoor_build_dir fuzz)/tests/fuzz"
src="$VELMOOR_ROOT/tests/fuzz"
targets=("$@")
[ ${#targets[@]} -gt 0 ] || mapfile -t targets <"$out/targets.txt"

status=0
for t in "${targets[@]}"; do
  [ -x "$out/${t}_fuzz" ] || velmoor_fail "no fuzz target $t (see tests/fuzz/CMakeLists.txt)"
  dirs=("$out/corpus-$t")
  mkdir -p "${dirs[0]}"
  for d in "$src/corpus/$t" "$out/seeds/$t"; do [ -d "$d" ] && dirs+=("$d"); done
  extra=()
  [ -f "$src/$t.dict" ] && extra=(-dict="$src/$t.dict")
  log="$out/$t.log"
  if timeout -k 10 $((seconds + 120)) "$out/${t}_fuzz" -max_total_time="$seconds" -timeout=10 \
    -rss_limit_mb=2048 -max_len=8192 -print_final_stats=1 -artifact_prefix="$out/$t-" \
    "${extra[@]}" "${dirs[@]}" >"$log" 2>&1; then
    runs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$log" | grep -o '[0-9]*$' || true)
    cov=$(grep -E '^#[0-9]+' "$log" | tail -1 | grep -o 'cov: [0-9]* ft: [0-9]*' || true)
    echo "fuzz.sh: $t: ${runs:-?} runs in ${seconds} s, ${cov:-no coverage line}, nothing found"
  else
    grep -E 'ERROR|SUMMARY|Test unit written' "$log" >&2 || tail -20 "$log" >&2
    echo "fuzz.sh: $t: FAILED (see $log)" >&2
    status=1
  fi
done
exit $status
