#!/usr/bin/env bash
# Runs the register viewer in the real program on a virtual screen, as a user would: Shift+F1 in
# the demo's main.c, the MC68HC11 block, register SCCR2, TE and RE set with the keys, a screenshot
# of the register window, Enter, save, and the line checked on disk.
# usage: scripts/run-register-viewer-under-xvfb.sh [BUILD_DIR] [SCREENSHOT]
#        (needs scripts/install-deps.sh --xvfb)
set -euo pipefail
build=${1:-build}
shot=${2:-docs/screenshots/register-window.png}
if [ -z "${DISPLAY:-}" ] || [ "${QUARRY_XVFB_INNER:-}" != 1 ]; then
  exec env QUARRY_XVFB_INNER=1 xvfb-run -a -s "-screen 0 1280x900x24" "$0" "$build" "$shot"
fi

work=$(mktemp -d)
trap 'kill "$pid" 2>/dev/null || true; rm -rf "$work"' EXIT
home="$work/home"
scripts/make-demo-home.sh "$build/bin" "$home" >/dev/null
export XDG_RUNTIME_DIR="$work/run"
mkdir -m 700 "$XDG_RUNTIME_DIR"

fail() { echo "register viewer run: $*" >&2; exit 1; }
# Waits until a window whose title matches appears; prints its id.
window() {
  for _ in $(seq 100); do
    id=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -1 || true)
    [ -n "$id" ] && { echo "$id"; return 0; }
    sleep 0.1
  done
  return 1
}

QUARRY_HOME="$home" "$build/bin/quarry" >"$work/quarry.log" 2>&1 &
pid=$!
box=$(window '^Information$') || fail "no restore notice at the first start"
xdotool windowfocus --sync "$box"
xdotool key Return
main=$(window 'Quarry - \[demo.ppf\]') || fail "the demo project did not open"
sleep 2
xdotool windowfocus --sync "$main"

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
