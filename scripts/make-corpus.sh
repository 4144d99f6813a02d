#!/usr/bin/env bash
# Builds a C text of at least SIZE_MB megabytes by concatenating the system headers (repeated as
# needed) and prints its path. Benchmarks share it so every figure is measured on the same bytes.
# usage: scripts/make-corpus.sh SIZE_MB [DIR]
set -euo pipefail
size_mb=$1
dir=${2:-/tmp/quarry-corpus}
out="$dir/c-${size_mb}mb.c"
if [ -f "$out" ]; then echo "$out"; exit 0; fi
mkdir -p "$dir"
list="$dir/headers.txt"
[ -f "$list" ] || find /usr/include -name '*.h' -type f -size -2M | LC_ALL=C sort > "$list"
want=$((size_mb * 1024 * 1024))
tmp="$out.part"
: > "$tmp"
while [ "$(stat -c %s "$tmp")" -lt "$want" ]; do
  xargs -a "$list" cat >> "$tmp"
done
truncate -s "$want" "$tmp"
mv "$tmp" "$out"
echo "$out"
