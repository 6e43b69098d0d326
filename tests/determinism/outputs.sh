# Sourced by the comparisons of builds: the outputs of one velmoor-sim for the scripted
# four-visit game and both golden journeys, and their comparison with another's.
# The journeys are played with their sync lines left out and run to their recorded length, so
# that builds compare over the whole motion even where their last bits leave the recording.

# write_outputs SRC OUT SIM...: the traces, states and WAVs of SIM (a command) in OUT.
write_outputs() {
  local src=$1 out=$2 j last
  shift 2
  mkdir -p "$out"
  "$@" --seed 7 --ticks 5000 --input "$src/tests/sim/data/four_visits.txt" --data "$src/dat" \
    --trace "$out/four.trace" --state "$out/four.state" --wav "$out/four.wav" || return 1
  for j in to_the_end caught; do
    grep -v '^sync ' "$src/tests/replays/$j.txt" >"$out/$j.txt"
    last=$(awk '$1 == "sync" { t = $2 } END { print t }' "$src/tests/replays/$j.txt")
    "$@" --input "$out/$j.txt" --ticks "$last" --data "$src/dat" --trace "$out/$j.trace" \
      --state "$out/$j.state" --wav "$out/$j.wav" || return 1
    rm "$out/$j.txt"
  done
}

# compare_outputs A B WHAT: every file of A equal to B's, byte for byte; names what differs.
compare_outputs() {
  local a=$1 b=$2 what=$3 f status=0
  for f in "$a"/*; do
    cmp -s "$f" "$b/$(basename "$f")" ||
      { echo "FAIL: $what: $(basename "$f") differs" >&2; status=1; }
  done
  [ $status = 0 ] && echo "$what: $(ls "$a" | wc -l) outputs identical" \
    "($(cat "$a"/*.trace | wc -l) trace lines, $(cat "$a"/*.wav | wc -c) WAV bytes)"
  return $status
}
