#!/usr/bin/env bash
# Creates the demo home once: the program's shipped data files, with the demo project open at the
# first start and the ColdFire project (coldfire/coldfire.ppf) beside it. There is no Quarry.ini: the first start restores it from the home's QUARRY.DEF (with
# the usual notice), and that template names the demo project as the open project, so the project,
# its highlighted sources and the Re-open list (quarry.dat) show at once.
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

# The settings of QUARRY.DEF without its comment lines and without its PROJECT section.
settings() {
  awk '/^;/ { next } /^\[/ { skip = ($0 == "[PROJECT]") } !skip' "$1"
}

# The home's template: the demo project is the open one; DEFAULTD stays for the program to replace.
{
  printf '[PROJECT]\nNAME=DEFAULTD/demo/demo.ppf\nOPEN=1\nSOURCEPATH=DEFAULTD/demo\nPROJECTPATH=DEFAULTD/demo\n'
  settings "$home/QUARRY.DEF"
} > "$home/QUARRY.DEF.new"
mv "$home/QUARRY.DEF.new" "$home/QUARRY.DEF"

# A project file is not a template: it gets the home directory now, and the same settings.
{
  sed "s|DEFAULTD|$escaped|g" "$demo/demo.ppf" | grep -v '^;'
  sed "s|DEFAULTD|$escaped|g" "$home/QUARRY.DEF" | settings /dev/stdin
} > "$demo/demo.ppf.new"
mv "$demo/demo.ppf.new" "$demo/demo.ppf"

# The ColdFire project: its own COMPILER keys take the place of the template's.
coldfire="$home/coldfire"
sed "s|DEFAULTD|$escaped|g" "$coldfire/coldfire.ppf" | grep -v '^;' > "$coldfire/coldfire.ppf.own"
{
  awk '/^\[/ { skip = ($0 == "[COMPILER]") } !skip' "$coldfire/coldfire.ppf.own"
  sed "s|DEFAULTD|$escaped|g" "$home/QUARRY.DEF" | settings /dev/stdin |
    awk -v own="$coldfire/coldfire.ppf.own" '
      BEGIN { while ((getline line < own) > 0) {
                if (line ~ /^\[/) section = line
                else if (section == "[COMPILER]" && index(line, "=")) key[substr(line, 1, index(line, "=") - 1)] = line } }
      /^\[/ { section = $0 }
      section == "[COMPILER]" && index($0, "=") { k = substr($0, 1, index($0, "=") - 1); if (k in key) { print key[k]; next } }
      { print }'
} > "$coldfire/coldfire.ppf.new"
rm "$coldfire/coldfire.ppf.own"
mv "$coldfire/coldfire.ppf.new" "$coldfire/coldfire.ppf"

printf '[MRU]\n%s\n%s\n%s\n' "$demo/README.txt" "$demo/board.h" "$demo/startup.asm" > "$home/quarry.dat"
echo "Demo home created at $home"
