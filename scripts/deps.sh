#!/usr/bin/env bash
# Installs the Debian packages Velmoor needs; quiet and quick when they are all there.
# Usage: scripts/deps.sh [--test] [--package] [--web]   (--test adds what the test suite needs;
# --package that and what building and checking the Debian package needs; --web the
# WebAssembly builds (velmoor-sim for Node, the game's page) and zlib's source for the page)
set -euo pipefail

build_pkgs=(
  cmake g++ make
  libsdl1.2-compat-dev   # SDL 1.2's API on SDL2: exact relative motion, scaled full screen, proper resampling
  libgl-dev libglu1-mesa-dev
  libsoil-dev
  zlib1g-dev             # the PNG check before SOIL (CRCs, inflating); our PNG writer (gen-art)
  libboost-dev
)
test_pkgs=(
  libgtest-dev
  xvfb xauth             # Xvfb, and xvfb-run's cookie
  xdotool                # keys for the running game
  libx11-dev             # the window-closing helper
  libgl1-mesa-dri        # llvmpipe
  imagemagick            # convert, identify, import: the screenshots' checks
  python3                # the driver's and the sound capture's checks
  clang                  # the second compiler velmoor-sim is built with, and the fuzz targets'
  libfuzzer-14-dev libclang-rt-14-dev   # the loaders' fuzz targets (sanitizer runtimes)
  valgrind               # memcheck over velmoor-sim and the game (scripts/check-memory.sh)
)

web_pkgs=(
  emscripten             # emcc 3.1.6 with its SDL 1.2, clang, Node
  dpkg-dev               # apt-get source unpacks zlib's source with dpkg-source
  chromium               # the page tested headless (SwiftShader's WebGL)
)

package_pkgs=(
  dpkg-dev file          # dpkg-shlibdeps for the package's Depends; cpack finds the programs with file
  lintian
  desktop-file-utils     # desktop-file-validate
  appstream              # appstreamcli validate
  man-db                 # man --warnings
)

# The page's PNG check inflates with zlib, which emscripten cannot fetch for itself: Debian's
# own source of it is unpacked here and built with emcc by the web build.
ZLIB_SOURCE_DIR=/usr/local/src/velmoor-zlib

pkgs=("${build_pkgs[@]}")
web=false
for arg in "$@"; do
  case "$arg" in
    --test) pkgs+=("${test_pkgs[@]}") ;;
    --package) pkgs+=("${test_pkgs[@]}" "${package_pkgs[@]}") ;;
    --web) pkgs+=("${web_pkgs[@]}"); web=true ;;
    *) echo "usage: scripts/deps.sh [--test] [--package] [--web]" >&2; exit 2 ;;
  esac
done

installed() {
  dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q 'install ok installed'
}
missing=()
for p in "${pkgs[@]}"; do
  installed "$p" || missing+=("$p")
done
zlib_missing() {
  $web && ! compgen -G "$ZLIB_SOURCE_DIR/zlib-*/inflate.c" >/dev/null
}
[ ${#missing[@]} -eq 0 ] && ! zlib_missing && exit 0

sudo=""
if [ "$(id -u)" -ne 0 ]; then
  command -v sudo >/dev/null || { echo "deps.sh: need root or sudo to install: ${missing[*]}" >&2; exit 1; }
  sudo=sudo
fi
if [[ " ${missing[*]} " == *" libsdl1.2-compat-dev "* ]] && installed libsdl1.2-dev; then
  echo "deps.sh: replacing the classic libsdl1.2-dev with libsdl1.2-compat-dev (they conflict; see docs/DEVELOPING.md)" >&2
fi
export DEBIAN_FRONTEND=noninteractive
# Another apt or dpkg at work (an unattended upgrade, a colleague) holds its locks: wait for
# them, five minutes at most. The install waits by itself; the update gives up at once, so it
# is tried again.
apt=($sudo apt-get -o DPkg::Lock::Timeout=300)
err=$(mktemp)
trap 'rm -f "$err"' EXIT
apt_update() {
  for try in $(seq 60); do
    "${apt[@]}" update -qq >/dev/null 2>"$err" && return
    grep -q 'Could not get lock' "$err" && [ "$try" -lt 60 ] || { cat "$err" >&2; exit 1; }
    sleep 5
  done
}
if [ ${#missing[@]} -gt 0 ]; then
  echo "deps.sh: installing ${missing[*]}" >&2
  apt_update
  "${apt[@]}" install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi
# Debian's source packages need a deb-src line, added for the same suite as the system's.
if zlib_missing; then
  echo "deps.sh: unpacking zlib's Debian source in $ZLIB_SOURCE_DIR" >&2
  list=/etc/apt/sources.list.d/velmoor-deb-src.sources
  if [ ! -e "$list" ]; then
    suite=$(. /etc/os-release && echo "$VERSION_CODENAME")
    printf 'Types: deb-src\nURIs: http://deb.debian.org/debian\nSuites: %s\nComponents: main\nSigned-By: /usr/share/keyrings/debian-archive-keyring.gpg\n' "$suite" |
      $sudo tee "$list" >/dev/null
  fi
  apt_update
  $sudo mkdir -p "$ZLIB_SOURCE_DIR"
  (cd "$ZLIB_SOURCE_DIR" && $sudo apt-get source -qq zlib >/dev/null 2>"$err") || { cat "$err" >&2; exit 1; }
fi
