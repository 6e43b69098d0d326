#!/usr/bin/env bash
# velmoor-sim compiled to WebAssembly by emscripten and run under Node must play the scripted
# four-visit game and both golden journeys exactly as the native build does: the same traces,
# states and WAVs, byte for byte. Builds the browser's velmoor-sim in WEB_BUILD (emcmake).
# usage: tests/determinism/wasm.sh NATIVE_VELMOOR_SIM WEB_BUILD
#   (emscripten from scripts/deps.sh --web)
set -euo pipefail
[ $# = 2 ] || { echo "usage: $0 NATIVE_VELMOOR_SIM WEB_BUILD" >&2; exit 2; }
root=$(cd "$(dirname "$0")/../.." && pwd)
native=$(realpath "$1") build=$2
. "$root/tests/determinism/outputs.sh"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export NODE_PATH=/usr/share/nodejs # emcc's JavaScript parser, on Debian's Node

start=$SECONDS
if ! { emcmake cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVELMOOR_WEB_ONLY=ON \
         -DVELMOOR_WERROR=ON && nice cmake --build "$build" -j2 --target velmoor-sim; } \
       >"$work/build.log" 2>&1; then
  cat "$work/build.log" >&2
  echo "FAIL: the WebAssembly build of velmoor-sim failed" >&2
  exit 1
fi
echo "WebAssembly velmoor-sim built in $((SECONDS - start)) s"
web_sim() { node --no-experimental-fetch "$build/tools/velmoor-sim/velmoor-sim.js" "$@"; }

write_outputs "$root" "$work/native" "$native"
start=$SECONDS
write_outputs "$root" "$work/web" web_sim 2>"$work/web.err" || { cat "$work/web.err" >&2; exit 1; }
echo "WebAssembly runs took $((SECONDS - start)) s"
# A missing recording would leave both WAVs without it, and still the same.
[ ! -s "$work/web.err" ] || { cat "$work/web.err" >&2; echo "FAIL: the WebAssembly run complained" >&2; exit 1; }
compare_outputs "$work/native" "$work/web" "native and WebAssembly"
