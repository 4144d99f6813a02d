#!/usr/bin/env bash
# Opens the two preferences dialogs in the real program on a virtual screen, as a user would:
# Environment > Syntax Preferences with *.x68 typed into the assembly row (screenshot, OK, the
# pattern checked in quarry.dat), then Environment > Editor Options... on the demo's main.c, its
# Highlighting page with the first element made bold in the preview (screenshot, Cancel).
# usage: scripts/run-preferences-under-xvfb.sh [BUILD_DIR] [SYNTAX_SHOT] [OPTIONS_SHOT]
#        (needs scripts/install-deps.sh --xvfb)
set -euo pipefail
run_name="preferences run"
default_shot=docs/screenshots/syntax-preferences.png
options_shot=${3:-docs/screenshots/editor-options.png}
source scripts/xvfb-demo-session.sh "$@"

xdotool key --delay 100 alt+n p
syntax=$(window '^Syntax Preferences\.\.\.$') || fail "no Syntax Preferences dialog"
xdotool windowfocus --sync "$syntax"
sleep 0.5
# The list has the focus on its first row, Assembly: Return opens the box over its patterns.
xdotool key Return
sleep 0.3
xdotool key End
xdotool type --delay 20 ';*.x68'
sleep 0.5
xwd -root -silent | convert xwd:- "$shot"
# Return takes the text back into the row; Tab goes on to OK.
xdotool key Return Tab space
sleep 1
grep -q '^\*\.asm.*;\*\.x68$' "$home/quarry.dat" || fail "quarry.dat does not list *.x68 for assembly"

xdotool windowfocus --sync "$main"
xdotool key --delay 100 alt+n d
options=$(window '^Editor Options$') || fail "no Editor Options dialog"
xdotool windowfocus --sync "$options"
xdotool key ctrl+Tab
sleep 0.5
xdotool key alt+b
sleep 1
xwd -root -silent | convert xwd:- "$options_shot"
xdotool key Escape
sleep 0.5
echo "preferences run: *.x68 stored for assembly; screenshots in $shot and $options_shot"
