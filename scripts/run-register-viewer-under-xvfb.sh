#!/usr/bin/env bash
# Runs the register viewer in the real program on a virtual screen, as a user would: Shift+F1 in
# the demo's main.c, the MC68HC11 block, register SCCR2, TE and RE set with the keys, a screenshot
# of the register window, Enter, save, and the line checked on disk.
# usage: scripts/run-register-viewer-under-xvfb.sh [BUILD_DIR] [SCREENSHOT]
#        (needs scripts/install-deps.sh --xvfb)
set -euo pipefail
run_name="register viewer run"
default_shot=docs/screenshots/register-window.png
source scripts/xvfb-demo-session.sh "$@"

# main.c is the active window: the line goes above its first line.
xdotool key --delay 50 ctrl+Home
xdotool key shift+F1
files=$(window 'Choose a Register Block') || fail "no list of register files"
xdotool windowfocus --sync "$files"
xdotool type --delay 50 'MO'   # type-ahead: "Motorola MC68HC11 ports and SCI"
xdotool key Return
regs=$(window 'Motorola MC68HC11') || fail "no register list"
xdotool windowfocus --sync "$regs"
xdotool key --delay 50 Down Down Down Down Down Down Down Down Return
reg=$(window '^Register Window$') || fail "no register window"
xdotool windowfocus --sync "$reg"
xdotool key --delay 100 Down Down Down Down Right Down Right
sleep 1
xwd -root -silent | convert xwd:- "$shot"
xdotool key Return
sleep 1
xdotool windowfocus --sync "$main"
xdotool key --delay 100 ctrl+s
sleep 1
expected='        $0C ;0000102D SCCR2  SCI control register 2'
[ "$(head -1 "$home/demo/main.c")" = "$expected" ] || fail "main.c does not start with the register line"
[ "$(sed -n 2p "$home/demo/main.c")" = '/* Quarry demo: blinks the LEDs of the demo board and answers on the serial port. */' ] ||
  fail "the first line of main.c did not move down"
echo "register viewer run: SCCR2 composed and written above main.c's first line; screenshot in $shot"
