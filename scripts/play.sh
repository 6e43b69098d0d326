#!/usr/bin/env bash
# Installs what is missing, builds a release build and starts Velmoor from the repository root.
#   scripts/play.sh          full screen
#   scripts/play.sh window   (any argument) a 640 x 480 window
set -euo pipefail
. "$(dirname "$0")/lib.sh"

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${SDL_VIDEODRIVER:-}" ]; then
  velmoor_fail "no display: Velmoor needs a graphical session (DISPLAY is not set)"
fi

bash "$VELMOOR_ROOT/scripts/deps.sh"
velmoor_build release velmoor
cd "$VELMOOR_ROOT"
exec "$(velmoor_build_dir release)/app/velmoor" "$@"
