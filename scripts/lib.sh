# What the scripts share, sourced by them and by the end-to-end tests: one style of failure
# line, the build folders and a private Xvfb. It sets no shell options: each script does.
#
# The build folders, all at the repository's root: build/ is the normal build (RelWithDebInfo,
# warnings are errors, the tests); build-VARIANT/ beside it holds each other variant.

VELMOOR_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
VELMOOR_XVFB_PID=""

# One line on standard error, "SCRIPT: WHAT FAILED", and exit status 1.
velmoor_fail() {
  echo "${0##*/}: $*" >&2
  exit 1
}

# Sets VELMOOR_OPTIONS to the configure options of a variant:
#   normal   build/          the tests and the longer checks (memcheck, the soak)
#   release  build-release/  what scripts/play.sh starts
#   asan     build-asan/     everything with AddressSanitizer and UBSan
#   tsan     build-tsan/     the game with ThreadSanitizer
#   clang    build-clang/    velmoor-sim by Clang, compared with the normal build's
#   fuzz     build-fuzz/     the readers' libFuzzer targets (Clang, ASan and UBSan)
#   web      build-web/      velmoor-sim in WebAssembly (emcmake; tests/determinism/wasm.sh builds it)
#   webgame  build-webgame/  the game's page (emcmake; scripts/web.sh builds it)
velmoor_variant_options() {
  local checked=(-DCMAKE_BUILD_TYPE=RelWithDebInfo -DVELMOOR_WERROR=ON)
  local clang=(-DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++)
  case $1 in
  normal) VELMOOR_OPTIONS=("${checked[@]}") ;;
  release) VELMOOR_OPTIONS=(-DCMAKE_BUILD_TYPE=Release -DVELMOOR_TESTS=OFF) ;;
  asan) VELMOOR_OPTIONS=("${checked[@]}" -DVELMOOR_SANITIZE=ON) ;;
  tsan) VELMOOR_OPTIONS=("${checked[@]}" -DVELMOOR_TSAN=ON -DVELMOOR_TESTS=OFF) ;;
  clang) VELMOOR_OPTIONS=("${checked[@]}" -DVELMOOR_TESTS=OFF "${clang[@]}") ;;
  fuzz) VELMOOR_OPTIONS=("${checked[@]}" -DVELMOOR_FUZZ=ON -DVELMOOR_TESTS=OFF "${clang[@]}") ;;
  web) VELMOOR_OPTIONS=("${checked[@]}" -DVELMOOR_WEB_ONLY=ON) ;;
  webgame) VELMOOR_OPTIONS=(-DCMAKE_BUILD_TYPE=Release -DVELMOOR_WERROR=ON -DVELMOOR_TESTS=OFF
                            -DVELMOOR_WEB=ON) ;;
  *) velmoor_fail "no build variant '$1'" ;;
  esac
}

# The folder of a variant.
velmoor_build_dir() {
  if [ "$1" = normal ]; then echo "$VELMOOR_ROOT/build"; else echo "$VELMOOR_ROOT/build-$1"; fi
}

# Configures a variant and builds TARGETS (all of them if none), quietly: the output goes to
# build.log in its folder, and its errors (or its end) are shown if the build fails. ccache is
# used when there. The web variants configure through emscripten's CMake wrapper (emscripten
# from scripts/deps.sh --web).
# usage: velmoor_build VARIANT [TARGET...]
velmoor_build() {
  local variant=$1 dir targets=() configure=(cmake)
  shift
  velmoor_variant_options "$variant"
  dir=$(velmoor_build_dir "$variant")
  case $variant in
  web | webgame)
    command -v emcmake >/dev/null || velmoor_fail "no emscripten: run scripts/deps.sh --web"
    configure=(emcmake cmake)
    # emcc finds its JavaScript parser only through Node's system path.
    export NODE_PATH=${NODE_PATH:-/usr/share/nodejs} ;;
  esac
  if command -v ccache >/dev/null; then
    VELMOOR_OPTIONS+=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
  fi
  if [ $# -gt 0 ]; then targets=(--target "$@"); fi
  mkdir -p "$dir"
  if ! { "${configure[@]}" -S "$VELMOOR_ROOT" -B "$dir" "${VELMOOR_OPTIONS[@]}" &&
         nice cmake --build "$dir" -j"${VELMOOR_JOBS:-$(nproc)}" "${targets[@]}"; } \
       >"$dir/build.log" 2>&1; then
    { grep -E -A5 'error:|CMake Error' "$dir/build.log" || tail -n 30 "$dir/build.log"; } | head -60 >&2
    velmoor_fail "the $variant build failed (see $dir/build.log)"
  fi
}

# Builds velmoor-sim in WebAssembly (the web variant) and prints the path of a command running
# it under Node.
velmoor_build_web_sim() {
  local dir
  velmoor_build web velmoor-sim
  dir=$(velmoor_build_dir web)
  # emscripten's output loads its .wasm by file, not by Node's fetch.
  printf '#!/bin/sh\nexec node --no-experimental-fetch %s "$@"\n' \
    "$dir/tools/velmoor-sim/velmoor-sim.js" >"$dir/velmoor-sim-node"
  chmod +x "$dir/velmoor-sim-node"
  echo "$dir/velmoor-sim-node"
}

# Prints the folder of the game's page: FOLDER if given, else the page of the webgame variant,
# built first (what scripts/web.sh builds); fails when it holds no velmoor.html.
# usage: page=$(velmoor_web_page_folder [FOLDER])
velmoor_web_page_folder() {
  local page
  if [ $# -gt 0 ]; then
    page=$(realpath "$1")
  else
    velmoor_build webgame velmoor
    page=$(velmoor_build_dir webgame)/page
  fi
  [ -f "$page/velmoor.html" ] || velmoor_fail "no velmoor.html in $page"
  echo "$page"
}

# Installs the browser harness's npm packages in tests/web, as its lock file pins them.
velmoor_web_harness() {
  (cd "$VELMOOR_ROOT/tests/web" && npm ci --no-audit --no-fund --loglevel=error >/dev/null) ||
    velmoor_fail "npm ci in tests/web failed"
}

# The ticks of a golden journey's milestones (tests/replays/milestones.txt), in order, on one
# line; fails when the file does not list the journey.
# usage: read -r first second ... < <(velmoor_milestone_ticks NAME)
velmoor_milestone_ticks() {
  local ticks
  ticks=$(awk -v name="$1" '$1 == name {
    for (i = 3; i <= NF; i++) { split($i, m, ":"); printf "%s ", m[2] } }'     "$VELMOOR_ROOT/tests/replays/milestones.txt")
  [ -n "$ticks" ] || velmoor_fail "no milestones of $1 in tests/replays/milestones.txt"
  echo "$ticks"
}

# Starts a private Xvfb and exports DISPLAY; -noreset keeps it alive between clients.
# usage: xvfb_start [WIDTHxHEIGHT]   (default 1024x768)
xvfb_start() {
  local fifo num=""
  fifo=$(mktemp -u)
  mkfifo "$fifo"
  Xvfb -displayfd 3 -screen 0 "${1:-1024x768}x24" -nolisten tcp -noreset 3>"$fifo" \
    >/dev/null 2>&1 &
  VELMOOR_XVFB_PID=$!
  read -r -t 20 num <"$fifo" || true
  rm -f "$fifo"
  [ -n "$num" ] || velmoor_fail "Xvfb did not start"
  export DISPLAY=":$num"
}

# Stops the private Xvfb, if one runs, so that another can be started.
xvfb_stop() {
  if [ -n "$VELMOOR_XVFB_PID" ]; then
    kill "$VELMOOR_XVFB_PID" 2>/dev/null || true
    wait "$VELMOOR_XVFB_PID" 2>/dev/null || true
  fi
  VELMOOR_XVFB_PID=""
}
trap xvfb_stop EXIT
