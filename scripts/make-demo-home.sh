#!/usr/bin/env bash
# Creates the demo home once: the program's shipped files without Quarry.ini, plus the demo sources.
set -euo pipefail
bin=$1 home=$2
[ -d "$home" ] && exit 0
mkdir -p "$home"
cp -r "$bin"/. "$home"/
rm -f "$home"/quarry "$home"/quarryhl "$home"/test_* "$home"/bench_* "$home"/Quarry.ini
echo "Demo home created at $home"
