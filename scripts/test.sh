#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test with CTest (summary last).
#   scripts/test.sh              the normal build, in build/
#   scripts/test.sh --sanitize   everything with AddressSanitizer and UBSan, in build-asan/
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

bash "$root/scripts/deps.sh" --test

build="$root/build"
extra=()
if [ "${1:-}" = "--sanitize" ]; then
  build="$root/build-asan"
  extra=(-DVELMOOR_SANITIZE=ON)
fi

# A compiler warning fails the build.
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVELMOOR_WERROR=ON "${extra[@]}" >/dev/null
cmake --build "$build" -j"$(nproc)" 2>&1 | grep -v -E '^\[ *[0-9]+%\]' || true
cmake --build "$build" -j"$(nproc)" >/dev/null   # fails loudly if the build above failed

# The loaders' fuzz targets, briefly, so that a regression in a reader shows here too; they are
# built with the sanitizers already, so the sanitized run leaves them out.
fuzz_status=0
[ ${#extra[@]} -eq 0 ] && { bash "$root/scripts/fuzz.sh" 15 || fuzz_status=1; }

cd "$build"
# Software OpenGL for every rendering test; no sound card is needed anywhere.
export LIBGL_ALWAYS_SOFTWARE=1
if [ ${#extra[@]} -eq 0 ]; then
  ctest --output-on-failure --no-label-summary -j2 --timeout 600 || exit 1
  exit $fuzz_status
else
  # SDL2 and Mesa load and unload libraries of their own whose few start-up allocations the
  # leak checker cannot name; programs that open a window are checked for everything else.
  status=$fuzz_status
  ASAN_OPTIONS=detect_leaks=0 ctest --output-on-failure --no-label-summary -j2 --timeout 600 -L display || status=1
  ctest --output-on-failure --no-label-summary -j2 --timeout 600 -LE display || status=1
  exit $status
fi
