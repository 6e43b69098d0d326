#!/usr/bin/env bash
# Builds the game for the browser into build-webgame/page/ (velmoor.html, velmoor.js, its
# WebAssembly and its data package, ready for any static web host) with emscripten's CMake
# wrapper; with --serve, then serves that folder on http://127.0.0.1:PORT/velmoor.html.
#   scripts/web.sh [--serve [PORT]]     (PORT 8000 by default; scripts/deps.sh --web first)
set -euo pipefail
. "$(dirname "$0")/lib.sh"
dir="$VELMOOR_ROOT/build-webgame"
serve=false port=8000
case "${1:-}" in
  --serve) serve=true; port=${2:-8000} ;;
  "") ;;
  *) velmoor_fail "usage: scripts/web.sh [--serve [PORT]]" ;;
esac
command -v emcmake >/dev/null || velmoor_fail "no emscripten: run scripts/deps.sh --web"
# emcc finds its JavaScript parser only through Node's system path.
export NODE_PATH=${NODE_PATH:-/usr/share/nodejs}
launcher=()
if command -v ccache >/dev/null; then
  launcher=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi
mkdir -p "$dir"
if ! { emcmake cmake -S "$VELMOOR_ROOT" -B "$dir" -DVELMOOR_WEB=ON -DCMAKE_BUILD_TYPE=Release \
         -DVELMOOR_WERROR=ON -DVELMOOR_TESTS=OFF "${launcher[@]}" &&
       nice cmake --build "$dir" -j"${VELMOOR_JOBS:-$(nproc)}" --target velmoor; } \
     >"$dir/build.log" 2>&1; then
  { grep -E -A5 'error:|CMake Error' "$dir/build.log" || tail -n 30 "$dir/build.log"; } | head -60 >&2
  velmoor_fail "the web build failed (see $dir/build.log)"
fi
echo "$dir/page/velmoor.html"
if $serve; then
  echo "serving http://127.0.0.1:$port/velmoor.html (Ctrl-C ends it)"
  cd "$dir/page" && exec python3 -m http.server --bind 127.0.0.1 "$port"
fi
