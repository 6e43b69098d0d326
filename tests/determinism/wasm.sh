#!/usr/bin/env bash
# velmoor-sim compiled to WebAssembly by emscripten and run under Node must replay every golden
# journey exactly as the native build does: the same traces, states and WAVs, byte for byte.
# Builds the browser's velmoor-sim in build-web/ (emcmake; emscripten from scripts/deps.sh --web).
# usage: tests/determinism/wasm.sh NATIVE_VELMOOR_SIM
set -euo pipefail
. "$(dirname "$0")/../../scripts/lib.sh"
[ $# = 1 ] || velmoor_fail "usage: wasm.sh NATIVE_VELMOOR_SIM"
native=$(realpath "$1")

start=$SECONDS
web_sim=$(velmoor_build_web_sim)
echo "wasm.sh: WebAssembly velmoor-sim built in $((SECONDS - start)) s"
start=$SECONDS
bash "$(dirname "$0")/same_outputs.sh" "$native" "$web_sim"
echo "wasm.sh: both builds' runs took $((SECONDS - start)) s"
