#!/usr/bin/env bash
# Builds the demo home's ColdFire project in the real program on a virtual screen, as a user
# would: F4 writes build.sh and builds main.s19 with the cross compiler; a semicolon taken away,
# F4 again (Enter to replace the script) and the error log names that line. Then the
# Environment Settings dialog and the Target Options form of m68k-elf, with a screenshot each.
# usage: scripts/run-coldfire-under-xvfb.sh [BUILD_DIR] [SCREENSHOT_DIR]
#        (needs scripts/install-deps.sh --xvfb)
set -euo pipefail
run_name="ColdFire run"
default_shot=docs/screenshots
open_project=coldfire/coldfire.ppf
source scripts/xvfb-demo-session.sh "$@"
shots=$shot
cf="$home/coldfire"

# Waits until a file exists and is not empty.
appears() {
  for _ in $(seq 300); do [ -s "$1" ] && return 0; sleep 0.1; done
  return 1
}

xdotool key F4
appears "$cf/main.s19" || fail "F4 built no main.s19: $(cat "$cf/main.err" 2>/dev/null)"
grep -q '^S315FFE00000' "$cf/main.s19" || fail "main.s19 holds no record at the origin 0xFFE00000"
[ ! -s "$cf/main.err" ] || fail "the build reported: $(cat "$cf/main.err")"

# Line 15 is "    PPDDR = 0x03;": its semicolon goes.
xdotool key --delay 50 ctrl+Home
for _ in $(seq 14); do xdotool key Down; done
xdotool key --delay 50 End BackSpace
rm -f "$cf/main.s19"
xdotool key F4
box=$(window '^Warning$') || fail "no question before the script is replaced"
xdotool windowfocus --sync "$box"
xdotool key Return
appears "$cf/main.err" || fail "the broken line gave no error"
grep -q "main.c:15:.*error" "$cf/main.err" || fail "the error is not on line 15: $(cat "$cf/main.err")"

xdotool windowfocus --sync "$main"
xdotool key --delay 100 alt+n e
dialog=$(window '^Environment Settings$') || fail "no Environment Settings dialog"
sleep 1
xwd -root -silent | convert xwd:- "$shots/environment-settings.png"
# From the kind list: the name, its Select button, then the four form buttons.
xdotool windowfocus --sync "$dialog"
xdotool key --delay 100 Tab Tab Tab Tab Tab Tab space
form=$(window 'GNU M68K-ELF Target Options') || fail "no Target Options form"
sleep 1
xwd -root -silent | convert xwd:- "$shots/gnu-target.png"
xdotool windowfocus --sync "$form"
xdotool key Escape
xdotool windowfocus --sync "$dialog"
xdotool key Escape
echo "ColdFire run: main.s19 built, the broken line reported, screenshots in $shots"
