#!/usr/bin/env bash
# Builds the game for the browser into build-webgame/page/ (velmoor.html, velmoor.js, its
# WebAssembly and its data package, ready for any static web host), the webgame variant of
# scripts/lib.sh; with --serve, then serves that folder on http://127.0.0.1:PORT/velmoor.html.
#   scripts/web.sh [--serve [PORT]]     (PORT 8000 by default; scripts/deps.sh --web first)
set -euo pipefail
. "$(dirname "$0")/lib.sh"
serve=false port=8000
case "${1:-}" in
  --serve) serve=true; port=${2:-8000} ;;
  "") ;;
  *) velmoor_fail "usage: scripts/web.sh [--serve [PORT]]" ;;
esac
velmoor_build webgame velmoor
dir=$(velmoor_build_dir webgame)
echo "$dir/page/velmoor.html"
if $serve; then
  echo "serving http://127.0.0.1:$port/velmoor.html (Ctrl-C ends it)"
  cd "$dir/page" && exec python3 -m http.server --bind 127.0.0.1 "$port"
fi
