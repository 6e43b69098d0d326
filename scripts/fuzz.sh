#!/usr/bin/env bash
# Builds the readers' fuzz targets with clang (libFuzzer, AddressSanitizer, UBSan) in build-fuzz/
# and runs each for a bounded time on its seeds and on what earlier runs found.
#   scripts/fuzz.sh SECONDS [TARGET...]   targets: ac3d png_check journey (default: all), SECONDS each
# A crash leaves its input as build-fuzz/TARGET-crash-*; the exit status is then 1.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:?usage: scripts/fuzz.sh SECONDS [TARGET...]}
shift
targets=("$@")
[ ${#targets[@]} -eq 0 ] && targets=(ac3d png_check journey)

out="$root/build-fuzz"
mkdir -p "$out"
cxx=(nice clang++ -std=c++17 -O1 -g -I"$root" -fno-omit-frame-pointer)
san=(-fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined)

# Rebuilt only when a source is newer than the target.
build() {
    local exe=$1; shift
    local fresh=1 f
    for f in "$@" "$root/assets/"*.h "$root/journey/"*.h "$root/tests/assets/png_maker.h" "$0"; do
        [ -f "$f" ] && ! [ "$exe" -nt "$f" ] && fresh=0
    done
    [ $fresh = 1 ] || timeout 600 "${cxx[@]}" "$@" -o "$exe"
}

status=0
for t in "${targets[@]}"; do
    seeds="$out/seeds-$t"
    mkdir -p "$out/corpus-$t" "$seeds"
    case $t in
    ac3d)
        build "$out/ac3d_fuzz" "${san[@]}" "$root/tests/fuzz/ac3d_fuzz.cpp" "$root/assets/ac3d.cpp"
        cp "$root/tests/fuzz/corpus/ac3d/"* "$seeds/"
        extra=(-dict="$root/tests/fuzz/ac3d.dict") ;;
    png_check)
        build "$out/png_check_fuzz" "${san[@]}" "$root/tests/fuzz/png_check_fuzz.cpp" \
            "$root/assets/png_check.cpp" -lSOIL -lGL -lz
        build "$out/png_seeds" "$root/tests/fuzz/png_seeds.cpp" "$root/tests/assets/png_maker.cpp" -lz
        "$out/png_seeds" "$seeds"
        extra=() ;;
    journey)
        build "$out/journey_fuzz" "${san[@]}" "$root/tests/fuzz/journey_fuzz.cpp" \
            "$root/journey/read.cpp" "$root/journey/replay.cpp"
        cp "$root/tests/fuzz/corpus/journey/"* "$seeds/"
        extra=(-dict="$root/tests/fuzz/journey.dict") ;;
    *) echo "fuzz.sh: no target $t" >&2; exit 2 ;;
    esac
    log="$out/$t.log"
    if timeout -k 10 $((seconds + 120)) "$out/${t}_fuzz" -max_total_time="$seconds" -timeout=10 \
        -rss_limit_mb=2048 -max_len=8192 -print_final_stats=1 -artifact_prefix="$out/$t-" \
        "${extra[@]}" "$out/corpus-$t" "$seeds" >"$log" 2>&1; then
        runs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$log" | grep -o '[0-9]*$' || true)
        cov=$(grep -E '^#[0-9]+' "$log" | tail -1 | grep -o 'cov: [0-9]* ft: [0-9]*' || true)
        echo "fuzz $t: ${runs:-?} runs in ${seconds} s, ${cov:-no coverage line}, nothing found"
    else
        echo "fuzz $t: FAILED, see $log:" >&2
        grep -E 'ERROR|SUMMARY|Test unit written' "$log" >&2 || tail -20 "$log" >&2
        status=1
    fi
done
exit $status
