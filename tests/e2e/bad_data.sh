#!/usr/bin/env bash
# The game with bad data. "missing": each of its eleven files missing in turn, then
# VELMOOR_DATA naming an empty folder, then no dat/ at all (the source tree's is found).
# "corrupt": every file damaged at once, one way per run (bad_data.py): truncated, empty,
# random bytes behind a valid start, absurd counts and lengths. Each run plays a journey
# through three lighthouse visits at 50 ticks per 25 ms (babies burst and cry, the growl
# loops, the walls and plants come), then Escape: exit status 0, nothing on standard output
# and, on standard error, only one line per file it could not load, naming it. Under the
# sanitized build this also holds the loaders to no reads out of bounds.
# usage: bad_data.sh missing|corrupt VELMOOR REPO_ROOT
set -u
mode=$1 bin=$2 root=$3
. "$root/tests/e2e/lib.sh"
E2E_WORK=$(mktemp -d)

# The journey rowed to all four lighthouses, cut after tick 4000 so that it never reaches the
# ending; a still mouse at tick 100000 keeps its input from running out before Escape.
{
  echo "seed 7"
  awk '$1 ~ /^[0-9]+$/ && $1 <= 4000' "$root/tests/replays/four_visits.txt"
  echo "100000 0 0"
} >"$E2E_WORK/journey.txt"

ALL="models/sphere.ac models/sphere_s.ac models/boat.ac models/oar.ac models/edge.ac
     models/box.ac models/lighthouse.ac img/baby.png img/quellorn.png samples/growl.wav
     samples/baby.wav"
SAMPLES="samples/growl.wav samples/baby.wav"

# Plays the journey in a fresh folder whose dat/ bad_data.py builds for CASE (none for
# "no-dat" and "empty-data"); FILES names the files whose loading must fail, one line each,
# in the order they are loaded.
# usage: play_case CASE FILES...
play_case() {
  local case=$1; shift
  local dir="$E2E_WORK/${case//[:\/]/_}" file data=dat
  mkdir "$dir" && cd "$dir" || e2e_fail "cannot make $dir"
  if [ "$case" = empty-data ]; then
    data=$dir/empty
    mkdir empty && export VELMOOR_DATA=$data
  elif [ "$case" != no-dat ]; then
    python3 "$root/tests/e2e/bad_data.py" "$case" "$root/dat" dat || e2e_fail "$case: no data made"
  fi
  VELMOOR_PLAY="$E2E_WORK/journey.txt" VELMOOR_PLAY_SPEED=50 VELMOOR_RECORD="$dir/again.txt" \
    e2e_start_game "$bin" window
  e2e_wait_line again.txt '^sync 3500 ' 90
  xdotool key Escape
  e2e_wait_exit 30
  [ "$E2E_RC" = 0 ] || e2e_fail "$case: exit status $E2E_RC: $(head -c 600 game.err)"
  [ ! -s game.out ] || e2e_fail "$case: printed on stdout: $(head -c 300 game.out)"
  unset VELMOOR_DATA
  for file in "$@"; do echo "Couldn't load $data/$file"; done >expected.txt
  sed 's/^\(Couldn.t load [^:]*\): .*/\1/' game.err | cmp -s - expected.txt ||
    e2e_fail "$case: standard error is not one line per file that failed ($*): $(head -c 900 game.err)"
  echo "ok: $case: status 0${*:+; }$(tr '\n' ';' <game.err | sed 's/;$//; s/;/; /g')"
  cd "$E2E_WORK" || exit 1
}

e2e_start_xvfb
case $mode in
missing)
  for f in $ALL; do play_case "missing:$f" "$f"; done
  play_case empty-data $ALL
  play_case no-dat ;;
corrupt)
  # The model reader keeps whatever geometry it can read after a header of ours, so only the
  # empty models are refused.
  play_case empty $ALL
  for c in truncated noise absurd; do play_case "$c" img/baby.png img/quellorn.png $SAMPLES; done ;;
*) e2e_fail "usage: bad_data.sh missing|corrupt VELMOOR REPO_ROOT" ;;
esac
