#!/usr/bin/env bash
# The game's page in headless Chromium (SwiftShader's WebGL), against the native game: every
# golden journey, as the native velmoor-sim records it, played in the page with every sync
# line met, and hostile journeys each refused in one line on the page; the journey to the end
# played from the page's URL at speed 8, its screenshots compared with the native game's at
# the same ticks; a game rowed in the page with the mouse, through the DevTools protocol,
# replayed by the native velmoor-sim with every sync line met; the page's sound over the
# journey to its first lighthouse, as handed to Web Audio, judged as the native game's. Any
# console error, WebGL error, abort, uncaught exception or unmet sync line in the page fails
# it. Installs what it needs (emscripten, Chromium, the harness's npm packages), builds the
# native game and the page.
#   scripts/check-web.sh [PAGE_FOLDER]   (default: the page built by scripts/web.sh)
set -euo pipefail
. "$(dirname "$0")/lib.sh"
root=$VELMOOR_ROOT
bash "$root/scripts/deps.sh" --test --web
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

start=$SECONDS
velmoor_build normal velmoor velmoor-sim
native=$(velmoor_build_dir normal)
page=$(velmoor_web_page_folder "$@")
velmoor_web_harness
echo "check-web.sh: the native game, the page and the harness ready in $((SECONDS - start)) s"

start=$SECONDS
bash "$root/scripts/make-screenshots.sh" "$native/app/velmoor" "$work/native" >/dev/null
echo "check-web.sh: the native screenshots taken in $((SECONDS - start)) s"

cd "$root/tests/web"
status=0
start=$SECONDS
node journeys.mjs "$page" "$native/tools/velmoor-sim/velmoor-sim" 100 || status=1
echo "check-web.sh: the golden journeys replayed in $((SECONDS - start)) s"
start=$SECONDS
node screenshots.mjs "$page" "$work/native" 8 || status=1
echo "check-web.sh: the page's screenshots compared in $((SECONDS - start)) s"
start=$SECONDS
node rowed.mjs "$page" "$native/tools/velmoor-sim/velmoor-sim" 20 || status=1
echo "check-web.sh: the rowed game played and replayed in $((SECONDS - start)) s"
start=$SECONDS
node sound.mjs "$page" || status=1
echo "check-web.sh: the page's sound heard in $((SECONDS - start)) s"
[ $status = 0 ] || velmoor_fail "the page failed (see above)"
