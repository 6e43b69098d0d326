#!/usr/bin/env bash
# The committed recordings are exactly what our generator makes: run it twice into a scratch
# directory and compare both runs with dat/samples byte for byte.
# usage: samples_match.sh GEN_SAMPLES REPO_ROOT
set -u
gen=$1 root=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/a" "$work/b"
timeout 60 "$gen" "$work/a" || { echo "FAIL: generator failed" >&2; exit 1; }
timeout 60 "$gen" "$work/b" || { echo "FAIL: generator failed" >&2; exit 1; }
for f in growl.wav baby.wav; do
  cmp "$work/a/$f" "$work/b/$f" || { echo "FAIL: $f differs between two runs" >&2; exit 1; }
  cmp "$work/a/$f" "$root/dat/samples/$f" || { echo "FAIL: dat/samples/$f is not the generator's" >&2; exit 1; }
done
echo "recordings reproduced"
