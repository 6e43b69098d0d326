#!/bin/bash
# Print Screen in the running game: a screen0.tga from an earlier run is kept, and the two
# pictures land in screen1.tga and screen2.tga, upright, as on the screen.
# usage: screenshot_e2e.sh VELMOOR_BINARY REPO_ROOT
set -u
game=$(realpath "$1")
. "$2/tests/e2e/lib.sh"
e2e_workdir "$2"
e2e_start_xvfb
export LIBGL_ALWAYS_SOFTWARE=1

# Mean grey level (0..255) of a WxH+X+Y region of an image file or of the window (-window ID).
mean_of() {
  local crop=$1; shift
  convert "$@" -crop "$crop" +repage -colorspace gray -format '%[fx:int(255*mean)]' info: 2>/dev/null
}
window_mean() { import -silent -window "$1" "$E2E_WORK/window.png" 2>/dev/null && mean_of "$2" "$E2E_WORK/window.png"; }
# Mean red minus mean blue (levels) of a WxH+X+Y region; window_mean's last capture for the window.
warmth_of() {
  local crop=$1; shift
  convert "$@" -crop "$crop" +repage -format '%[fx:int(255*(mean.r-mean.b))]' info: 2>/dev/null
}

# Waits at most 10 s for a complete 640 x 480 24-bit TGA.
wait_for_tga() {
  local i
  for i in $(seq 1 100); do
    [ "$(stat -c %s "$1" 2>/dev/null)" = 921618 ] && return 0
    sleep 0.1
  done
  e2e_fail "$1 was not written"
}

printf 'a screenshot left by an earlier run' >screen0.tga
e2e_start_game "$game" windowed
wid=$(e2e_wait_window) || exit 1

# The black fade lifts over about 2.5 s of play. Wait (at most 60 s) until the lit sea has
# settled: at least 4 s after the window appeared, and two readings a second apart that agree.
# On a busy machine the game may present no new frame for a while, so agreement alone is
# not enough.
SECONDS=0
lit=0
for i in $(seq 1 60); do
  last=$lit
  sleep 1
  lit=$(window_mean "$wid" 200x60+220+380)
  [ $SECONDS -ge 4 ] && [ "${lit:-0}" -gt 40 ] && [ $((lit - last)) -le 1 ] &&
    [ $((last - lit)) -le 1 ] && break
done
[ "${lit:-0}" -gt 40 ] || e2e_fail "the sea never showed on the screen (mean $lit)"

# Each screenshot is compared with the window just before its key was pressed and just after
# the file appeared: the ripples move the lit patch a little in between.
before0=$(window_mean "$wid" 200x60+220+380)
warm_before=$(warmth_of 200x60+220+380 "$E2E_WORK/window.png")
xdotool key Print
wait_for_tga screen1.tga
after0=$(window_mean "$wid" 200x60+220+380)
warm_after=$(warmth_of 200x60+220+380 "$E2E_WORK/window.png")
before1=$after0
xdotool key Print
wait_for_tga screen2.tga
after1=$(window_mean "$wid" 200x60+220+380)
xdotool key Escape
e2e_wait_exit 20
rc=$E2E_RC
[ "$rc" = 0 ] || e2e_fail "the game exited with $rc"
[ -e screen3.tga ] && e2e_fail "one key press, one screenshot: screen3.tga should not exist"
[ "$(cat screen0.tga)" = "a screenshot left by an earlier run" ] ||
  e2e_fail "screen0.tga from an earlier run was replaced"

for f in screen1.tga screen2.tga; do
  size=$(identify -format '%wx%h' "$f" 2>/dev/null)
  [ "$size" = 640x480 ] || e2e_fail "$f does not open as a 640x480 image ($size)"
  top=$(mean_of 640x60+0+0 "$f")
  low=$(mean_of 200x60+220+380 "$f")
  # The lamp lights the sea around the boat low in the picture; the top is fog and night.
  [ "${low:-0}" -gt 30 ] || e2e_fail "$f is black where the screen showed the lit sea ($low)"
  # Plants may reach into the top, but it stays far darker than the lit sea.
  [ "${top:-99}" -le $((low / 4)) ] || e2e_fail "$f is not upright: its top is lit ($top)"
  # Within a few levels of what the window showed around the same moment.
  if [ "$f" = screen1.tga ]; then a=$before0 b=$after0; else a=$before1 b=$after1; fi
  lo=$((a < b ? a : b)) hi=$((a > b ? a : b))
  [ "$low" -ge $((lo - 6)) ] && [ "$low" -le $((hi + 6)) ] ||
    e2e_fail "$f differs from the screen: $low against $a before and $b after"
done
# The boat, brown, sits in the lower middle: red above blue there, as on the screen. Swapped
# channels would turn it blue.
warm=$(warmth_of 200x60+220+380 screen1.tga)
lo=$((warm_before < warm_after ? warm_before : warm_after))
hi=$((warm_before > warm_after ? warm_before : warm_after))
[ "${warm:-0}" -gt 20 ] && [ "$warm" -ge $((lo - 6)) ] && [ "$warm" -le $((hi + 6)) ] ||
  e2e_fail "screen1.tga's colours differ from the screen: red minus blue $warm, on the screen $warm_before to $warm_after"
echo "screenshots: lower middle $low, window $a to $b, top $top; red minus blue $warm"
exit 0
