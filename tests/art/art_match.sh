#!/usr/bin/env bash
# The committed models and sprite images are exactly what our generator makes: run it twice into
# scratch folders and compare both runs with dat/ byte for byte; then ImageMagick must read each
# image back as 8-bit RGBA of its size, with both clear and solid pixels.
# usage: art_match.sh GEN_ART REPO_ROOT IDENTIFY
set -u
gen=$1 root=$2 identify=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
timeout 120 "$gen" "$work/a" || { echo "FAIL: generator failed" >&2; exit 1; }
timeout 120 "$gen" "$work/b" || { echo "FAIL: generator failed" >&2; exit 1; }
files="models/sphere.ac models/sphere_s.ac models/boat.ac models/oar.ac models/edge.ac
       models/box.ac models/lighthouse.ac img/baby.png img/quellorn.png"
for f in $files; do
  cmp "$work/a/$f" "$work/b/$f" || { echo "FAIL: $f differs between two runs" >&2; exit 1; }
  cmp "$work/a/$f" "$root/dat/$f" || { echo "FAIL: dat/$f is not the generator's" >&2; exit 1; }
done
for pic in "baby 256" "quellorn 256"; do
  set -- $pic
  got=$("$identify" -regard-warnings -format '%w %h %z %[channels] %[fx:minima.a] %[fx:maxima.a]' \
        "$root/dat/img/$1.png") || { echo "FAIL: $1.png does not decode" >&2; exit 1; }
  [ "$got" = "$2 $2 8 srgba 0 1" ] || { echo "FAIL: $1.png reads as '$got'" >&2; exit 1; }
done
echo "models and images reproduced"
