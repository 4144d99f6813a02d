#!/usr/bin/env bash
# Runs every benchmark program of the build; each prints its own reference ratios.
set -euo pipefail
build=$1
for b in "$build"/bin/bench_*; do
  [ -x "$b" ] || continue
  echo "== $(basename "$b")"
  "$b" --benchmark_counters_tabular=true
done
