#!/usr/bin/env bash
# Installs what is missing, builds a release build and starts Velmoor from the repository root.
#   scripts/play.sh          full screen
#   scripts/play.sh window   (any argument) a 640 x 480 window
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${SDL_VIDEODRIVER:-}" ]; then
  echo "play.sh: no display: Velmoor needs a graphical session (DISPLAY is not set)" >&2
  exit 1
fi

bash "$root/scripts/deps.sh"
build="$root/build-release"
log=$(mktemp)
trap 'rm -f "$log"' EXIT
if ! { cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DVELMOOR_TESTS=OFF &&
       cmake --build "$build" -j"$(nproc)" --target velmoor; } >"$log" 2>&1; then
  cat "$log" >&2
  echo "play.sh: the build failed" >&2
  exit 1
fi
cd "$root"
exec "$build/app/velmoor" "$@"
