#!/usr/bin/env bash
# Two builds of velmoor-sim must replay every golden journey (tests/replays/milestones.txt, the
# scripted four-visit game among them) to the same trace, state and WAV, byte for byte.
# usage: same_outputs.sh SIM_A SIM_B   (each a velmoor-sim, or a program taking its arguments)
set -euo pipefail
. "$(dirname "$0")/../../scripts/lib.sh"
[ $# = 2 ] || velmoor_fail "usage: same_outputs.sh SIM_A SIM_B"
replays="$VELMOOR_ROOT/tests/replays"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

status=0
for name in $(awk '!/^#/ && NF { print $1 }' "$replays/milestones.txt"); do
  mapfile -t args < <(python3 "$replays/replays.py" args "$name")
  for sim in "$1" "$2"; do
    out="$work/$([ "$sim" = "$1" ] && echo a || echo b)"
    timeout -k 2 300 "$sim" "${args[@]}" --data "$VELMOOR_ROOT/dat" --trace "$out.jsonl" \
      --state "$out.state" --wav "$out.wav" 2>"$out.err" || { cat "$out.err" >&2; velmoor_fail "$name: $sim failed"; }
    # A missing recording would leave both WAVs without it, and still the same.
    [ ! -s "$out.err" ] || { cat "$out.err" >&2; velmoor_fail "$name: $sim complained"; }
  done
  same=1
  for f in jsonl state wav; do
    cmp "$work/a.$f" "$work/b.$f" >&2 || { echo "same_outputs.sh: $name: the .$f outputs differ" >&2; same=0; }
  done
  [ $same = 1 ] || { status=1; continue; }
  echo "same_outputs.sh: $name: the same $(wc -l <"$work/a.jsonl") trace lines, state and $(stat -c %s "$work/a.wav") WAV bytes"
done
[ $status = 0 ] || velmoor_fail "$1 and $2 differ (see above)"
