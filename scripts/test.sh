#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test with CTest (summary last).
#   scripts/test.sh              the normal build, in build/, and the fuzz targets briefly
#   scripts/test.sh --sanitize   everything with AddressSanitizer and UBSan, in build-asan/
set -euo pipefail
. "$(dirname "$0")/lib.sh"

variant=normal
case "$*" in
  "") ;;
  --sanitize) variant=asan ;;
  *) velmoor_fail "usage: scripts/test.sh [--sanitize]" ;;
esac
bash "$VELMOOR_ROOT/scripts/deps.sh" --test
velmoor_build $variant   # a compiler warning fails it

# The readers' fuzz targets, briefly, so that a regression in a reader shows here too; they are
# built with the sanitizers already, so the sanitized run leaves them out.
fuzz_status=0
if [ $variant = normal ]; then bash "$VELMOOR_ROOT/scripts/fuzz.sh" 15 || fuzz_status=1; fi

cd "$(velmoor_build_dir $variant)"
# Software OpenGL for every rendering test; no sound card is needed anywhere.
export LIBGL_ALWAYS_SOFTWARE=1
status=$fuzz_status
if [ $variant = normal ]; then
  ctest --output-on-failure --no-label-summary -j2 --timeout 600 || status=1
else
  # SDL2 and Mesa load and unload libraries of their own whose few start-up allocations the
  # leak checker cannot name; programs that open a window are checked for everything else.
  ASAN_OPTIONS=detect_leaks=0 ctest --output-on-failure --no-label-summary -j2 --timeout 600 -L display || status=1
  ctest --output-on-failure --no-label-summary -j2 --timeout 600 -LE display || status=1
fi
[ $status = 0 ] || velmoor_fail "some tests failed (see above)"
