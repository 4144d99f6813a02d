#!/usr/bin/env bash
# Imports a device description in the real program on a virtual screen, as a user would:
# Environment > Import SVD..., the description's name typed, Import into the program directory,
# a screenshot of the dialog, then Shift+F1 lists the imported blocks and opens one of them.
# usage: scripts/run-svd-import-under-xvfb.sh [BUILD_DIR] [SCREENSHOT]
#        (needs scripts/install-deps.sh --xvfb)
set -euo pipefail
run_name="SVD import run"
default_shot=docs/screenshots/svd-import.png
source scripts/xvfb-demo-session.sh "$@"

svd="$(pwd)/tests/regview/svd/ARMCM3xxx.svd"
xdotool key --delay 100 alt+n i
dialog=$(window '^Import SVD$') || fail "no Import SVD dialog"
xdotool windowfocus --sync "$dialog"
xdotool windowsize --sync "$dialog" 900 620
xdotool type --delay 10 "$svd"
xdotool key Return
sleep 1
xdotool key alt+i
box=$(window '^Information$') || fail "no report of the files written"
xdotool windowfocus --sync "$box"
xdotool key Return
sleep 1
xwd -root -silent | convert xwd:- "$shot"
for f in TIMER0 TIMER1 TIMER2; do
  [ -f "$home/$f.reg" ] || fail "$f.reg was not written into the program directory"
done
[ "$(sed -n 2p "$home/TIMER1.reg")" = 'L*40010100 CR Control Register' ] || fail "TIMER1.reg does not start with CR"
xdotool windowfocus --sync "$dialog"
xdotool key Escape
sleep 1
xdotool windowfocus --sync "$main"
xdotool key shift+F1
files=$(window 'Choose a Register Block') || fail "no list of register files"
xdotool windowfocus --sync "$files"
xdotool type --delay 50 'AR'   # type-ahead: "ARMCM3xxx TIMER0: ..."
xdotool key Return
window 'ARMCM3xxx TIMER0' >/dev/null || fail "the imported block does not open"
xdotool key Escape
sleep 0.5
xdotool key Escape
echo "SVD import run: three register files written and listed by the register command; screenshot in $shot"
