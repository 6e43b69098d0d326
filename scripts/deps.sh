#!/usr/bin/env bash
# Installs the Debian packages Velmoor needs; quiet and quick when they are all there.
# Usage: scripts/deps.sh [--test]   (--test adds what the test suite needs)
set -euo pipefail

build_pkgs=(
  cmake g++ make pkg-config
  libsdl1.2-compat-dev   # SDL 1.2's API on SDL2: exact relative motion, scaled full screen, proper resampling
  libgl-dev libglu1-mesa-dev
  libsoil-dev
  zlib1g-dev             # the PNG check before SOIL: chunk CRCs and the image data inflated
  libboost-dev
  zlib1g-dev             # our PNG writer (gen-art)
)
test_pkgs=(
  libgtest-dev
  xvfb xauth xdotool x11-utils libx11-dev
  libgl1-mesa-dri
  sox imagemagick
  python3
  clang libfuzzer-14-dev libclang-rt-14-dev   # the loaders' fuzz targets (sanitizer runtimes)
)

pkgs=("${build_pkgs[@]}")
[ "${1:-}" = "--test" ] && pkgs+=("${test_pkgs[@]}")

missing=()
for p in "${pkgs[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
if [ "$(id -u)" -ne 0 ]; then
  command -v sudo >/dev/null || { echo "deps.sh: need root or sudo to install: ${missing[*]}" >&2; exit 1; }
  sudo=sudo
fi
echo "deps.sh: installing ${missing[*]}" >&2
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq >/dev/null
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
