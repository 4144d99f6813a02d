# Sourced by the scripts that drive the real program on a virtual screen. Runs the calling script
# again under xvfb-run, makes a fresh demo home, starts Quarry there, answers the restore notice
# of the first start and waits for the demo project. The caller sets `run_name` and
# `default_shot`, and may set `open_project` (a project file in the demo home to start on, instead
# of the demo project), define `prepare_home` (run in the fresh home before the start) and set
# `open_files` (an array of files to name on the command line); afterwards `build`, `shot`, `home`, `pid` and `main` (the main window) are set,
# and `fail` and `window` are defined.
build=${1:-build}
shot=${2:-$default_shot}
if [ -z "${DISPLAY:-}" ] || [ "${QUARRY_XVFB_INNER:-}" != 1 ]; then
  exec env QUARRY_XVFB_INNER=1 xvfb-run -a -s "-screen 0 1280x900x24" "$0" "$@"
fi

work=$(mktemp -d)
trap 'kill "$pid" 2>/dev/null || true; rm -rf "$work"' EXIT
home="$work/home"
scripts/make-demo-home.sh "$build/bin" "$home" >/dev/null
export XDG_RUNTIME_DIR="$work/run"
mkdir -m 700 "$XDG_RUNTIME_DIR"

fail() { echo "$run_name: $*" >&2; exit 1; }
# Waits until a window whose title matches appears; prints its id.
window() {
  for _ in $(seq 100); do
    id=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -1 || true)
    [ -n "$id" ] && { echo "$id"; return 0; }
    sleep 0.1
  done
  return 1
}

if declare -F prepare_home >/dev/null; then prepare_home; fi
project=${open_project:-demo/demo.ppf}
QUARRY_HOME="$home" "$build/bin/quarry" ${open_project:+"$home/$open_project"} ${open_files[@]+"${open_files[@]}"} \
  >"$work/quarry.log" 2>&1 &
pid=$!
# A fresh home has no Quarry.ini: the first start says it restores the default settings.
box=$(window '^Information$') || fail "no restore notice at the first start"
xdotool windowfocus --sync "$box"
xdotool key Return
main=$(window "Quarry - \\[$(basename "$project")\\]") || fail "the project did not open"
sleep 2
xdotool windowfocus --sync "$main"
