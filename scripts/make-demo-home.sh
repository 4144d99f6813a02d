#!/usr/bin/env bash
# Creates the demo home once: the program's shipped data files without Quarry.ini, so that the
# first start restores the default settings from QUARRY.DEF. Programs stay in the build folder.
set -euo pipefail
bin=$1 home=$2
[ -d "$home" ] && exit 0
mkdir -p "$home"
cp -r "$bin"/. "$home"/
# Programs of the build (the IDE, its helpers, tests, benchmarks) are not data.
for f in "$home"/*; do
  if [ -f "$f" ] && [ "$(head -c 4 "$f" | tr -d '\000' | tail -c 3)" = "ELF" ]; then rm -f "$f"; fi
done
rm -f "$home"/Quarry.ini
echo "Demo home created at $home"
