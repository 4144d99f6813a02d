#!/usr/bin/env bash
# Rewrites the golden token lists and HTML pages from the current quarryhl.
# usage: tests/quarryhl/update-golden.sh [BUILD_DIR]   (default: build)
set -euo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
build="${1:-$root/build}"
exe="$build/bin/quarryhl"
golden="$root/tests/quarryhl/golden"
for sample in sample.asm sample.pas sample.c Sample.java sample.html sample.txt; do
  "$exe" tokens --data "$root/data" "$golden/$sample" > "$golden/$sample.tokens"
  "$exe" html --data "$root/data" --date 'golden date' "$golden/$sample" > "$golden/$sample.html"
done
rm -f "$golden"/*.new
echo "golden files rewritten in $golden"
