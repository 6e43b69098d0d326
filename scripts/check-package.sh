#!/usr/bin/env bash
# The Debian package, as a player meets it: built with Debian's flags (cpack -G DEB, Depends
# from dpkg-shlibdeps), held to lintian (no error), desktop-file-validate, appstreamcli and
# man --warnings; installed with dpkg -i; /usr/games/velmoor started from / under Xvfb until
# the boat shows, and quit with Escape (status 0); started again as the menu entry starts it,
# its screenshot found in the player's folder; purged, and nothing of it left on disk.
# Run as root, on a machine where velmoor is not installed. Every check runs, a failed one
# named in a line on standard error, and the last line is "N passed, N failed"; a failure of the
# shared helpers (no Xvfb, a game that does not quit) ends the script at once, counted as one.
# usage: scripts/check-package.sh
set -uo pipefail
. "$(dirname "$0")/../tests/e2e/lib.sh"
root=$VELMOOR_ROOT
build="$root/build-package"
work=$(mktemp -d)
cd "$work" || velmoor_fail "cannot enter $work"
passed=0 failed=0 finished=false

cleanup() {
  $finished || echo "$passed passed, $((failed + 1)) failed"
  e2e_cleanup
  dpkg -s velmoor >/dev/null 2>&1 && dpkg --purge velmoor >/dev/null 2>&1
  rm -rf "$work"
}
trap cleanup EXIT

check() { # NAME, then the command that must succeed
  local name=$1; shift
  if "$@"; then
    echo "check-package.sh: ok: $name"; passed=$((passed + 1))
  else
    echo "check-package.sh: FAILED: $name" >&2; failed=$((failed + 1)); return 1
  fi
}
finish() {
  finished=true
  echo "$passed passed, $failed failed"
  [ "$failed" = 0 ]
  exit
}

[ "$(id -u)" = 0 ] || velmoor_fail "run as root (dpkg -i)"
dpkg -s velmoor >/dev/null 2>&1 && velmoor_fail "velmoor is installed already; remove it first"
bash "$root/scripts/deps.sh" --package || velmoor_fail "scripts/deps.sh --package failed"

# Debian's compiler and linker flags (hardening included), as a package build has them.
build_package() {
  local flags
  flags=$(DEB_BUILD_MAINT_OPTIONS=hardening=+all dpkg-buildflags --export=sh) && eval "$flags" &&
    cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVELMOOR_TESTS=OFF \
      -DVELMOOR_FIND_SOURCE_DATA=OFF -DCMAKE_INSTALL_PREFIX=/usr -DCMAKE_C_FLAGS="$CPPFLAGS $CFLAGS" \
      -DCMAKE_CXX_FLAGS="$CPPFLAGS $CXXFLAGS" -DCMAKE_EXE_LINKER_FLAGS="$LDFLAGS" >/dev/null &&
    cmake --build "$build" -j"$(nproc)" >"$work/build.log" 2>&1 &&
    (cd "$build" && rm -f ./*.deb && cpack -G DEB >"$work/cpack.log" 2>&1) ||
    { tail -n 30 "$work/build.log" "$work/cpack.log" 2>/dev/null; return 1; }
}
check "the package builds" build_package || finish
deb=$(ls "$build"/velmoor_*.deb 2>/dev/null | head -n 1)
[ -n "$deb" ] || { echo "check-package.sh: no .deb made" >&2; failed=$((failed + 1)); finish; }
echo "check-package.sh: $(basename "$deb"), $(stat -c %s "$deb") bytes; $(dpkg-deb -f "$deb" Depends | sed 's/^/Depends: /')"

# Lintian's errors fail; its warnings and notes are shown.
lint() {
  lintian --display-info "$deb" 2>&1 | grep -v 'running with root privileges' |
    tee "$work/lintian.txt" | sed 's/^/lintian: /'
  ! grep -q '^E: ' "$work/lintian.txt"
}
check "lintian reports no error" lint

# The files as installed, unpacked from the package itself.
dpkg-deb -x "$deb" "$work/unpacked"
check "desktop-file-validate" desktop-file-validate "$work/unpacked/usr/share/applications/velmoor.desktop"
check "appstreamcli validate" appstreamcli validate --no-net "$work/unpacked/usr/share/metainfo/"*.xml
man_quiet() { # PAGE: no warning from groff, and the page says something
  local page="$work/unpacked/usr/share/man/man6/$1.6.gz" said
  said=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l "$page" 2>&1 >"$work/$1.txt")
  [ -z "$said" ] && grep -q "$1" "$work/$1.txt" || { echo "$said"; return 1; }
}
check "man --warnings velmoor(6)" man_quiet velmoor
check "man --warnings velmoor-sim(6)" man_quiet velmoor-sim

# Every path where a package or the game could leave something: the system's folders, the
# homes, and the top of the disk (the game's working folder was /); but not the places that
# change on their own (logs, caches, apt's lists).
disk_list() {
  {
    find / -mindepth 1 -maxdepth 1
    find /usr /etc /var /opt /srv /home /root -xdev \( -path /var/tmp -o -path /var/log \
      -o -path /var/cache -o -path /var/lib/apt -o -path "$root" \
      -o -path "${HOME:-/root}/.cache" \
      -o -path "${HOME:-/root}/.ccache" \) -prune -o -print 2>/dev/null
  } | LC_ALL=C sort
}
disk_list >"$work/before.txt"
check "dpkg -i" dpkg -i "$deb"

# Red minus blue, in levels, of the lower middle of the game's window, where the boat is.
boat_warmth() {
  local wid
  wid=$(xdotool search --onlyvisible --name '^Velmoor$' 2>/dev/null | tail -n 1)
  [ -n "$wid" ] && import -silent -window "$wid" "$work/window.png" 2>/dev/null &&
    convert "$work/window.png" -crop 200x60+220+380 +repage \
      -format '%[fx:int(255*(mean.r-mean.b))]' info: 2>/dev/null
}
# Starts the game in the background, working in / with ARGS (env's: settings, then the
# command); its output goes to game.out and game.err here, in $work.
start_game() {
  LIBGL_ALWAYS_SOFTWARE=1 E2E_GAME_LIMIT=90 e2e_start_game env --chdir=/ "$@"
}
# Waits (at most 60 s) for the boat, brown, to show in the lower middle of the window.
sees_boat() {
  local i warm=""
  for i in $(seq 60); do
    sleep 1
    warm=$(boat_warmth)
    [ "${warm:-0}" -gt 20 ] && { echo "check-package.sh: the boat shows (red above blue by $warm)"; return 0; }
    kill -0 "$E2E_GAME_PID" 2>/dev/null || break
  done
  echo "check-package.sh: no boat (red above blue by ${warm:-nothing}): $(head -c 400 game.err)" >&2
  return 1
}
quits_with_escape() {
  xdotool key Escape
  e2e_wait_exit 20
  [ "$E2E_RC" = 0 ] && [ ! -s game.err ] ||
    { echo "status $E2E_RC: $(head -c 400 game.err)" >&2; return 1; }
}

answers() { # --version names the package's version; --help says how to play; both exit 0
  local version
  version=$(dpkg-deb -f "$deb" Version)
  [ "$(/usr/games/velmoor --version)" = "velmoor $version" ] &&
    [ "$(/usr/games/velmoor-sim --version)" = "velmoor-sim $version" ] &&
    /usr/games/velmoor --help | grep -q '^usage: velmoor'
}
check "velmoor and velmoor-sim answer --version and --help" answers
check "Xvfb starts" xvfb_start
start_game /usr/games/velmoor window
check "/usr/games/velmoor window, started from /, shows the boat" sees_boat
check "Escape quits with status 0 and nothing said" quits_with_escape
check "the game wrote nothing into /" test ! -e /screen0.tga

# As the menu entry starts it: the player's folder is made, and Print Screen saves there.
menu_entry() {
  local exec
  exec=$(sed -n 's/^Exec=//p' /usr/share/applications/velmoor.desktop)
  mkdir -p "$work/home"
  # shellcheck disable=SC2086 # the Exec line's words
  start_game HOME="$work/home" XDG_DATA_HOME="" PATH="/usr/games:$PATH" $exec
  sees_boat || return 1
  xdotool key Print
  local shot="$work/home/.local/share/velmoor/screen0.tga" i
  for i in $(seq 100); do [ "$(stat -c %s "$shot" 2>/dev/null)" = 921618 ] && break; sleep 0.1; done
  [ -s "$shot" ] || { echo "no $shot" >&2; return 1; }
  quits_with_escape
}
check "the menu entry's game saves its screenshot in ~/.local/share/velmoor" menu_entry
xvfb_stop

check "dpkg --purge" dpkg --purge velmoor
disk_list >"$work/after.txt"
nothing_left() {
  local diff
  diff=$(comm -3 "$work/before.txt" "$work/after.txt")
  [ -z "$diff" ] || { echo "changed on disk:"; echo "$diff" | head -n 40; return 1; }
}
check "nothing of the package is left on disk" nothing_left
finish
