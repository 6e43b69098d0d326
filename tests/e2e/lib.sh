# Helpers for running the real game headless under Xvfb; sourced by the end-to-end tests and
# the scripts that play the game. Every wait is bounded and every process we start is killed by
# its PID on the way out. Failures are one line on standard error (scripts/lib.sh).
. "$(dirname "${BASH_SOURCE[0]}")/../../scripts/lib.sh"

E2E_GAME_PID=""
E2E_WORK=""
E2E_RC=""

e2e_cleanup() {
  if [ -n "$E2E_GAME_PID" ]; then kill -9 "$E2E_GAME_PID" 2>/dev/null || true; fi
  xvfb_stop
  if [ -n "$E2E_WORK" ]; then rm -rf "$E2E_WORK"; fi
}
trap e2e_cleanup EXIT

e2e_fail() { velmoor_fail "$@"; }

# A scratch working directory that sees the repository's dat/ (screenshots land here).
# usage: e2e_workdir REPO_ROOT
e2e_workdir() {
  E2E_WORK=$(mktemp -d)
  ln -s "$1/dat" "$E2E_WORK/dat"
  cd "$E2E_WORK" || e2e_fail "cannot enter $E2E_WORK"
}

# A private Xvfb, DISPLAY exported (scripts/lib.sh).
# usage: e2e_start_xvfb [WIDTHxHEIGHT]   (default 1024x768)
e2e_start_xvfb() { xvfb_start "$@"; }

# Starts the game in the background; stdout and stderr go to game.out and game.err.
# usage: e2e_start_game BINARY [ARGS...]   (SDL_AUDIODRIVER defaults to dummy; the game is
# stopped after E2E_GAME_LIMIT seconds, default 60)
e2e_start_game() {
  local bin=$1; shift
  SDL_AUDIODRIVER=${SDL_AUDIODRIVER:-dummy} timeout -k 2 "${E2E_GAME_LIMIT:-60}" "$bin" "$@" \
    >game.out 2>game.err &
  E2E_GAME_PID=$!
}

# Stops the private Xvfb, so that another can be started.
e2e_stop_xvfb() { xvfb_stop; }

# Waits at most SECONDS for a line matching the extended regular expression in FILE; fails
# when the game ends first.
# usage: e2e_wait_line FILE REGEX SECONDS
e2e_wait_line() {
  local file=$1 regex=$2 limit=$3 i=0
  until grep -Eq "$regex" "$file" 2>/dev/null; do
    i=$((i + 1))
    [ $i -gt $((limit * 10)) ] && e2e_fail "no line matching '$regex' in $file within $limit s"
    kill -0 "$E2E_GAME_PID" 2>/dev/null || e2e_fail "the game ended early: $(head -c 300 game.err)"
    sleep 0.1
  done
}

# Prints the id of the game's visible window, waiting at most 20 s for it.
e2e_wait_window() {
  local wid
  wid=$(timeout 20 xdotool search --sync --onlyvisible --name '^Velmoor$' 2>/dev/null | tail -n 1)
  [ -n "$wid" ] || e2e_fail "no window captioned Velmoor appeared"
  echo "$wid"
}

# Waits at most SECONDS for the game to end and sets E2E_RC to its exit status; on time-out it
# kills the game and fails. Call it directly, not in $( ): only this shell can wait for the game.
e2e_wait_exit() {
  local limit=$1 i=0
  while kill -0 "$E2E_GAME_PID" 2>/dev/null; do
    i=$((i + 1))
    if [ $i -gt $((limit * 10)) ]; then
      # TERM first: timeout passes it on to the game (KILL would leave the game running on),
      # and kills it itself 2 s later.
      kill "$E2E_GAME_PID" 2>/dev/null
      sleep 3
      kill -9 "$E2E_GAME_PID" 2>/dev/null
      e2e_fail "the game did not end within $limit s"
    fi
    sleep 0.1
  done
  E2E_RC=0
  wait "$E2E_GAME_PID" || E2E_RC=$?
  E2E_GAME_PID=""
}

# Plays the golden journey to the end back in the game, windowed under a private Xvfb at 8
# ticks a frame, with Print Screen before each TICK: the pictures are screen0.tga, screen1.tga,
# ... in the working folder, in the order of the ticks, each showing the world after TICK - 1.
# Fails unless the game ends by itself within SECONDS, with status 0, having taken them all.
# usage: e2e_play_pictures VELMOOR SECONDS TICK...
e2e_play_pictures() {
  local bin=$1 limit=$2
  shift 2
  { cat "$VELMOOR_ROOT/tests/replays/to_the_end.txt"; printf 'print %s\n' "$@"; } >journey.txt
  e2e_start_xvfb
  LIBGL_ALWAYS_SOFTWARE=1 VELMOOR_PLAY=journey.txt VELMOOR_PLAY_SPEED=8 E2E_GAME_LIMIT=$limit \
    e2e_start_game "$bin" window
  e2e_wait_exit $((limit + 10))
  [ "$E2E_RC" = 0 ] || e2e_fail "the game failed: $(head -c 300 game.err)"
  [ -s "screen$(($# - 1)).tga" ] ||
    e2e_fail "the game took fewer than $# pictures: $(head -c 300 game.err)"
}

# Rows the running game for SECONDS with xdotool, as a player would: strokes (ten pulls of
# 140 px, a tick apart, so that the game's per-tick limit drops nothing) and return sweeps (ten
# pushes); every fourth stroke the mouse goes 400 px to the side, turning the boat right, back,
# left and back again, so that it wanders the sea. Stops early when the game has ended.
# Prints the number of strokes rowed.
# usage: e2e_row SECONDS
e2e_row() {
  local until=$((SECONDS + $1)) strokes=0 i pull push sides=(400 -400 -400 400)
  pull=$(for i in $(seq 10); do printf 'mousemove_relative -- 0 140 sleep 0.03 '; done)
  push=${pull//0 140/0 -140}
  while [ $SECONDS -lt $until ] && kill -0 "$E2E_GAME_PID" 2>/dev/null; do
    # shellcheck disable=SC2086 # the chained xdotool commands are meant to split
    xdotool $pull >/dev/null 2>&1 || break
    [ $((strokes % 4)) = 3 ] &&
      xdotool mousemove_relative -- "${sides[strokes / 4 % 4]}" 0 >/dev/null 2>&1
    # shellcheck disable=SC2086
    xdotool $push >/dev/null 2>&1 || break
    strokes=$((strokes + 1))
  done
  echo "$strokes"
}
