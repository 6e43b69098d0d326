#!/usr/bin/env bash
# A play-through as a player would: the real game in a window with SDL's disk audio, rowed with
# real mouse strokes from the start to the first lighthouse. Its own recording says where the
# boat is; Print Screen photographs the opening fade, the lit sea and the babies after the
# visit; the captured sound holds the first melody note, the oars' hiss and the visit's chord;
# Escape ends it with status 0 and velmoor-sim confirms every sync line of the recording
# (playthrough_check.py judges the pictures and the sound).
# usage: playthrough.sh VELMOOR_BINARY VELMOOR_SIM REPO_ROOT
# PLAYTHROUGH_DISPLAY=:0 plays on that display instead of a private Xvfb, to watch it;
# PLAYTHROUGH_KEEP=DIR copies the recording, the sound and the screenshots there.
set -u
bin=$1 sim=$2 root=$3
. "$root/tests/e2e/lib.sh"
check="$root/tests/e2e/playthrough_check.py"
export LIBGL_ALWAYS_SOFTWARE=1

STEP=134        # pixels of one motion: a full stroke is ten of them, about 1340
MAX_STROKES=45  # straight rowing arrives after about 22

keep() {
  [ -n "${PLAYTHROUGH_KEEP:-}" ] || return 0
  mkdir -p "$PLAYTHROUGH_KEEP" && cp -f "$E2E_WORK"/*.txt "$E2E_WORK"/*.tga "$E2E_WORK"/*.raw \
    "$E2E_WORK"/*.jsonl "$E2E_WORK"/game.err "$PLAYTHROUGH_KEEP"/ 2>/dev/null
  return 0
}
trap 'keep; e2e_cleanup' EXIT

# The tick the game has reached: its latest audio or sync line (audio lines come every 46 ms).
now() { awk '$1 == "audio" || $1 == "sync" { t = $2 } END { print t + 0 }' journey.txt; }

# Waits at most SECONDS for the game to reach TICK.
wait_tick() {
  local tick=$1 limit=$2 i=0
  until [ "$(now)" -ge "$tick" ]; do
    i=$((i + 1))
    [ $i -gt $((limit * 10)) ] && e2e_fail "the game did not reach tick $tick within $limit s"
    kill -0 "$E2E_GAME_PID" 2>/dev/null || e2e_fail "the game ended early: $(head -c 300 game.err)"
    sleep 0.1
  done
}

# Presses Print Screen and waits at most 20 s for screen<N>.tga to be whole.
print_screen() {
  local shot="screen$1.tga" i=0
  xdotool key Print
  until [ "$(stat -c %s "$shot" 2>/dev/null)" = 921618 ]; do
    i=$((i + 1))
    [ $i -gt 200 ] && e2e_fail "$shot was not saved"
    sleep 0.1
  done
}

# One sweep of the oars: ten motions of STEP pixels (down pulls, up returns), 25 ms apart so
# that each falls in a tick of its own (a motion that shares a tick is only cut short), each
# also moving the oars' balance by XREL.
# usage: sweep DY [XREL]
sweep() {
  local dy=$1 dx=${2:-0} args=() i
  for i in $(seq 10); do args+=(mousemove_relative -- "$dx" "$dy" sleep 0.025); done
  xdotool "${args[@]}"
}

# Where the game is now: its recording so far (whole lines) replayed in velmoor-sim, which
# also proves it. Prints "STAGE XREL": the stage, and the motion across that balances the oars
# for the next stroke, turning the boat towards the lighthouse when it is off by 0.25 radians.
where() {
  cp journey.txt sofar.txt
  [ -z "$(tail -c 1 sofar.txt)" ] || sed -i '$d' sofar.txt
  timeout 20 "$sim" --input sofar.txt --state state.json >/dev/null 2>sim.err ||
    e2e_fail "velmoor-sim does not replay the recording so far: $(head -c 300 sim.err)"
  python3 - state.json <<'PY'
import json, math, sys
s = json.load(open(sys.argv[1]))
(bx, by, heading), (lx, ly) = s["boat"][:3], s["lighthouse"]
err = (math.atan2(ly - by, lx - bx) - heading + math.pi) % (2 * math.pi) - math.pi
target = -2.5 if err > 0.25 else 2.5 if err < -0.25 else 0.0  # a lifted oar turns the boat
# Spread over the ten motions of a return sweep; each moves the balance by 0.1 * 0.9 * 0.003.
xrel = max(-1000, min(1000, round((target - s["steer"]) / 10 / 0.00027)))
print(s["stage"], xrel, int(bx))
PY
}

e2e_workdir "$root"
if [ -n "${PLAYTHROUGH_DISPLAY:-}" ]; then
  export DISPLAY=$PLAYTHROUGH_DISPLAY
else
  e2e_start_xvfb
fi
SECONDS=0
SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE="$E2E_WORK/sound.raw" VELMOOR_RECORD="$E2E_WORK/journey.txt" \
  E2E_GAME_LIMIT=400 e2e_start_game "$bin" window
e2e_wait_window >/dev/null
print_screen 0   # under the opening fade

# The fade lifts over the first hundred ticks; the hiss the game starts with has died by then.
wait_tick 110 30
print_screen 1   # the lit sea and the lighthouse ahead

# Row to the lighthouse until the game has made the visit (the boat starts heading at it),
# asking where it is after every pull and every return sweep.
sweep -$STEP     # the oars from the middle back to the end of their arc
strokes=0 pulled=0
while where >where.txt && read -r stage xrel x <where.txt && [ "$stage" = 1 ]; do
  if [ ! -e screen2.tga ] && [ "$x" -ge 38 ]; then print_screen 2; fi  # the lighthouse near
  kill -0 "$E2E_GAME_PID" 2>/dev/null || e2e_fail "the game ended while rowing: $(head -c 300 game.err)"
  if [ $pulled = 1 ]; then
    sweep -$STEP "$xrel"
    pulled=0 strokes=$((strokes + 1))
  else
    [ $strokes -ge $MAX_STROKES ] && e2e_fail "no visit after $strokes strokes: $(head -c 200 state.json)"
    sweep $STEP
    pulled=1
  fi
done
[ "$stage" = 2 ] || e2e_fail "the game is at stage $stage after the first visit"
print_screen 3   # the babies, before the gliding boat reaches them
timeout 20 "$sim" --input sofar.txt --trace - 2>/dev/null >sofar.jsonl
visit=$(python3 -c 'import json, sys
print(next(t["tick"] for t in map(json.loads, sys.stdin) if t["stage"] == 2))' <sofar.jsonl) ||
  e2e_fail "no tick of the visit in the replay"
echo "arrived at tick $visit after $strokes strokes ($SECONDS s)"

# The chord lasts 70,000 samples (1.6 s): let it sound out before quitting.
wait_tick $((visit + 100)) 30
xdotool key Escape
e2e_wait_exit 30
[ "$E2E_RC" = 0 ] || e2e_fail "the game exited with $E2E_RC: $(head -c 300 game.err)"
echo "played $(grep '^sync' journey.txt | tail -n 1 | cut -d' ' -f2) ticks in $SECONDS s"

timeout 60 "$sim" --input journey.txt --trace trace.jsonl >/dev/null 2>sim.err ||
  e2e_fail "velmoor-sim does not confirm the recording: $(head -c 300 sim.err)"
echo "the recording replays with all $(grep -c '^sync' journey.txt) sync lines matching"
timeout 120 python3 "$check" journey.txt trace.jsonl sound.raw . || e2e_fail "see above"
echo "ok: rowed to the first lighthouse in $SECONDS s"
