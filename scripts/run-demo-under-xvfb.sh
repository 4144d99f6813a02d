#!/usr/bin/env bash
# Runs the real program on a virtual screen the way a new user meets it: a fresh demo home shows
# the restore notice and opens the demo project; the script types a line into main.c, saves it (Ctrl+S), closes the window
# (Ctrl+D), reopens it from File > Re-open..., checks the file on disk and the reopened window,
# and takes a screenshot. Then it breaks a line of main.c and presses F4: Debian's gcc compiles
# the file, the caret goes to the error, and the error list and build output show the run
# (second screenshot).
# usage: scripts/run-demo-under-xvfb.sh [BUILD_DIR] [SCREENSHOT] [BUILD_SCREENSHOT]
#        (needs scripts/install-deps.sh --xvfb)
set -euo pipefail
run_name="demo run"
default_shot=docs/screenshots/ide.png
build_shot=${3:-docs/screenshots/build-errors.png}
source scripts/xvfb-demo-session.sh "$@"

# Type a line at the top of main.c (the active window) and save.
xdotool key --delay 50 ctrl+Home
xdotool type --delay 30 '/* Edited on a virtual screen. */'
xdotool key Return
xdotool key --delay 100 ctrl+s
sleep 1
head -1 "$home/demo/main.c" | grep -q 'Edited on a virtual screen' || fail "main.c was not saved"
head -1 "$home/demo/main.~c" | grep -q '^/\* Quarry demo' || fail "no backup main.~c of the old text"

# Close it and take it back from the Re-open list, where closing put it first (File,
# Re-open..., first entry).
xdotool key --delay 100 ctrl+d
sleep 1
xdotool key --delay 300 alt+f Down Down Right Return
sleep 1
# The reopened window holds the saved text: a second line typed and saved lands above it.
xdotool key --delay 50 ctrl+Home
xdotool type --delay 30 '/* Reopened from the Re-open list. */'
xdotool key Return
xdotool key --delay 100 ctrl+s
sleep 1
[ "$(head -2 "$home/demo/main.c")" = "$(printf '%s\n%s' '/* Reopened from the Re-open list. */' \
  '/* Edited on a virtual screen. */')" ] || fail "main.c did not come back with its saved text"
xdotool key --delay 100 ctrl+Home
sleep 1
xwd -root -silent | convert xwd:- "$shot"
echo "demo run: opened the demo project, typed, saved, closed, reopened; screenshot in $shot"

# Break line 28 ("serial_write(greeting);", two lines lower now) by taking its semicolon away,
# then F4: the files are saved, gcc runs, its error lands in main.ERR and the caret on it.
xdotool key --delay 50 ctrl+Home
for _ in $(seq 29); do xdotool key Down; done
xdotool key --delay 50 End BackSpace
xdotool key --delay 100 F4
for _ in $(seq 100); do
  grep -q "main.c:30:27: error: expected ';' before 'for'" "$home/demo/main.ERR" 2>/dev/null && break
  sleep 0.1
done
grep -q "main.c:30:27: error: expected ';' before 'for'" "$home/demo/main.ERR" || fail "F4 left no gcc error in main.ERR"
grep -q 'serial_write(greeting)$' "$home/demo/main.c" || fail "F4 did not save main.c first"
sleep 2
xwd -root -silent | convert xwd:- "$build_shot"
echo "demo run: broke main.c, F4 ran gcc and listed its error; screenshot in $build_shot"
