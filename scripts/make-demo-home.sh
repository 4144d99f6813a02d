#!/usr/bin/env bash
# Creates the demo home once: the program's shipped data files, with the demo project open at the
# first start. Quarry.ini is made from QUARRY.DEF as the program itself would make it (the home
# directory in place of each DEFAULTD marker) and names the demo project as the open project; the
# project file gets the same settings; quarry.dat lists the demo sources in the Re-open menu.
# Programs stay in the build folder.
# usage: scripts/make-demo-home.sh BIN_DIR HOME_DIR
set -euo pipefail
bin=$1 home=$2
[ -d "$home" ] && exit 0
mkdir -p "$home"
cp -r "$bin"/. "$home"/
# Programs of the build (the IDE, its helpers, tests, benchmarks) are not data.
for f in "$home"/*; do
  if [ -f "$f" ] && [ "$(head -c 4 "$f" | tr -d '\000' | tail -c 3)" = "ELF" ]; then rm -f "$f"; fi
done
rm -f "$home"/Quarry.ini "$home"/quarry.dat
home=$(cd "$home" && pwd)
demo="$home/demo"

# A sed replacement text with its special characters escaped.
escaped=$(printf '%s' "$home" | sed 's/[&|\\]/\\&/g')

# The settings of QUARRY.DEF without its comment lines and without its PROJECT section, which the
# two files below write themselves.
settings() {
  sed "s|DEFAULTD|$escaped|g" "$home/QUARRY.DEF" |
    awk '/^;/ { next } /^\[/ { skip = ($0 == "[PROJECT]") } !skip'
}

{
  printf '[PROJECT]\nNAME=%s\nOPEN=1\nSOURCEPATH=%s\nPROJECTPATH=%s\n' "$demo/demo.ppf" "$demo" "$demo"
  settings
} > "$home/Quarry.ini"

{
  sed "s|DEFAULTD|$escaped|g" "$demo/demo.ppf" | grep -v '^;'
  settings
} > "$demo/demo.ppf.new"
mv "$demo/demo.ppf.new" "$demo/demo.ppf"

printf '[MRU]\n%s\n%s\n%s\n' "$demo/README.txt" "$demo/board.h" "$demo/startup.asm" > "$home/quarry.dat"
echo "Demo home created at $home"
