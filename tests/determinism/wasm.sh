#!/usr/bin/env bash
# velmoor-sim compiled to WebAssembly by emscripten and run under Node must replay every golden
# journey exactly as the native build does: the same traces, states and WAVs, byte for byte.
# Builds the browser's velmoor-sim in build-web/ (emcmake; emscripten from scripts/deps.sh --web).
# usage: tests/determinism/wasm.sh NATIVE_VELMOOR_SIM
set -euo pipefail
. "$(dirname "$0")/../../scripts/lib.sh"
[ $# = 1 ] || velmoor_fail "usage: wasm.sh NATIVE_VELMOOR_SIM"
native=$(realpath "$1") build=$(velmoor_build_dir web)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export NODE_PATH=/usr/share/nodejs # emcc's JavaScript parser, on Debian's Node

start=$SECONDS
mkdir -p "$build"
if ! { emcmake cmake -S "$VELMOOR_ROOT" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
         -DVELMOOR_WEB_ONLY=ON -DVELMOOR_WERROR=ON &&
       nice cmake --build "$build" -j"$(nproc)" --target velmoor-sim; } >"$build/build.log" 2>&1; then
  tail -n 40 "$build/build.log" >&2
  velmoor_fail "the WebAssembly build of velmoor-sim failed (see $build/build.log)"
fi
echo "wasm.sh: WebAssembly velmoor-sim built in $((SECONDS - start)) s"
printf '#!/bin/sh\nexec node --no-experimental-fetch %s "$@"\n' \
  "$build/tools/velmoor-sim/velmoor-sim.js" >"$work/web-sim"
chmod +x "$work/web-sim"
start=$SECONDS
bash "$(dirname "$0")/same_outputs.sh" "$native" "$work/web-sim"
echo "wasm.sh: both builds' runs took $((SECONDS - start)) s"
