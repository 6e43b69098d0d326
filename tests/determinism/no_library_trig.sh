#!/usr/bin/env bash
# The world and its sound take no sine, cosine or power from the C library (whose last bits
# vary by library and processor): no object of the given static libraries may call one, under
# whatever name the source or the compiler gave the call (sinf, sincos, __sin_finite, ...).
# usage: no_library_trig.sh LIBRARY.a...
set -euo pipefail
[ $# -ge 1 ] || { echo "usage: $0 LIBRARY.a..." >&2; exit 2; }
status=0
for lib in "$@"; do
  calls=$(nm -A -u "$lib" | awk '{print $NF}' |
          grep -E '^(__)?(sin|cos|sincos|tan|pow|exp|exp2|exp10|log|log2)(f|l|f32|f64)?(_finite)?(@.*)?$' |
          sort -u || true)
  if [ -n "$calls" ]; then
    echo "FAIL: $lib calls the C library's $(echo $calls)" >&2
    nm -A -u "$lib" | grep -wE "$(echo $calls | tr ' ' '|')" >&2
    status=1
  fi
done
[ $status = 0 ] && echo "no C library sine, cosine or power in: $*"
exit $status
