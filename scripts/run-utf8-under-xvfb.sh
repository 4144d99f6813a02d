#!/usr/bin/env bash
# Opens a UTF-8 C file with comments in German, Greek and Chinese in the real program on a virtual
# screen, types an "ä" into it and saves: the file must hold the "ä" as C3 A4 and every other byte
# as it was; undo and save give back the file's bytes exactly. Then a screenshot with the caret
# after "°C", where the status bar shows column 36 and UTF-8.
# usage: scripts/run-utf8-under-xvfb.sh [BUILD_DIR] [SCREENSHOT]
#        (needs scripts/install-deps.sh --xvfb, which brings the Chinese and emoji fonts)
set -euo pipefail
run_name="UTF-8 run"
default_shot=docs/screenshots/utf8.png
# Written into the fresh home and named on the command line, so that it opens at the start.
prepare_home() {
  file="$home/demo/sensor.c"
  printf '%s\n' \
    '/* Temperatursensor: Messwert in °C, Abtastung alle 500 µs (±0,5 K). */' \
    '/* Αισθητήρας θερμοκρασίας: τιμή σε βαθμούς Κελσίου. */' \
    '/* 温度传感器：读取测量值并检查上限 🌡 */' \
    '#include <stdint.h>' \
    '' \
    'int16_t read_temperature(void)' \
    '{' \
    '    int16_t wert = 0;   /* Größe: zwei Bytes */' \
    '    return wert;        /* 返回值 — τιμή */' \
    '}' >"$file"
  cp "$file" "$work/original.c"
  open_files=("$file")
}
open_files=()
source scripts/xvfb-demo-session.sh "$@"
# The window opens inside the main window (no window of its own for xdotool to find): the save
# below shows whether the typing reached it.
sleep 1

# An "ä" typed at the start of the text goes in as its two UTF-8 bytes.
xdotool key --delay 50 ctrl+Home
xdotool type --delay 50 'ä'
xdotool key --delay 100 ctrl+s
sleep 1
{ printf '\xc3\xa4'; cat "$work/original.c"; } | cmp -s - "$file" || fail "the saved file is not the original with C3 A4 in front"

# Back to the original text, saved again: byte for byte what was opened.
xdotool key --delay 100 ctrl+z
xdotool key --delay 100 ctrl+s
sleep 1
cmp -s "$work/original.c" "$file" || fail "undo and save did not give back the original bytes"
# The caret after "/* Temperatursensor: Messwert in °" stands in column 36 (characters, not bytes).
xdotool key --delay 50 ctrl+Home
for _ in $(seq 35); do xdotool key Right; done
sleep 1
xwd -root -silent | convert xwd:- "$shot"
echo "UTF-8 run: opened sensor.c as UTF-8, typed and saved ä as C3 A4, undid it byte for byte; screenshot in $shot"
