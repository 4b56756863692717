#!/usr/bin/env bash
# Screenshots of the program's window, one per tab, on a virtual X server
# (Xvfb), against the instrument simulator. Installs what it needs with
# apt-get when it is missing.
#   scripts/screenshot.sh [output folder]   (default docs/screenshots)
# Writes capture.png (once live readings show), programming.png and
# datalogger.png (logging ticked, a few rows logged). The tabs and the check box are clicked as a user would,
# at their places in the window (src/ui/control_layout.cpp).
# Environment: VEXILOR_BUILD_DIR (default build), VEXILOR_SIM_ARGS
# (simulator options; by default a counter that rises by 111.11 a second
# and sets AL1 at 400, so the lamp lights while the pictures are taken).
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
source "$here/scripts/lib/deps.sh"
source "$here/scripts/lib/build.sh"
source "$here/scripts/lib/simulator.sh"
vexilor_install_deps xvfb xdotool imagemagick fonts-dejavu-core

out="$(realpath -m "${1:-$here/docs/screenshots}")"
build="${VEXILOR_BUILD_DIR:-$here/build}"
vexilor_build_program "$build"
mkdir -p "$out"

work="$(mktemp -d)"
vexilor_sim_pid=""
xvfb_pid=""
program_pid=""
cleanup() {
    local pid
    for pid in "$program_pid" "$vexilor_sim_pid" "$xvfb_pid"; do
        if [ -n "$pid" ]; then kill "$pid" 2>/dev/null || true; fi
    done
    wait 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

# Xvfb picks a free display and writes its number to descriptor 3.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.err" &
xvfb_pid=$!
for _ in $(seq 100); do
    [ -s "$work/display" ] && break
    sleep 0.05
done
[ -s "$work/display" ] || { echo "Xvfb did not start:" >&2; cat "$work/xvfb.err" >&2; exit 1; }
DISPLAY=":$(head -n 1 "$work/display")"
export DISPLAY
export QT_QPA_PLATFORM=xcb

# shellcheck disable=SC2086 # extra options are meant to split
vexilor_start_simulator "$build" "$work" ${VEXILOR_SIM_ARGS:---step 111.11 --al1 400}
# Fresh settings each time, so the pictures show the program's defaults.
rundir="$work/run"
vexilor_select_port "$build" "$rundir" "$vexilor_sim_port"
(cd "$rundir" && exec "$build/src/ui/vexilor") >"$work/program.out" 2>&1 &
program_pid=$!

window="$(timeout 20 xdotool search --sync --onlyvisible --name '^Vexilor$' | head -n 1)" || true
[ -n "$window" ] || { echo "The window did not show:" >&2; cat "$work/program.out" >&2; exit 1; }

# Places in the window, which has no frame here (Xvfb runs no window
# manager). The client area starts below the menu bar (MENU pixels with
# Fusion and the default font) and holds the tab panel at (5, 130); its
# headers are a row of TAB pixels ("Capture" from x 5 to 77, "DataLogger"
# to 171, "Programming" to 275); a page starts below them, inside the
# panel's 2-pixel frame.
menu=19
tab=24
tab_y=$((menu + 130 + tab / 2))
page_x=$((5 + 2))
page_y=$((menu + 130 + tab + 1))
click() {
    xdotool mousemove --window "$window" "$1" "$2" click 1
    sleep 0.5
}
shot() {
    import -window "$window" "$out/$1.png"
    echo "Wrote $out/$1.png"
}
# 1 once the picture (350 x 150 at (15, 30) of the Capture page) has a lit
# segment, 0 while it is still the black of start-up or shows an error text.
reading_shown() {
    import -window "$window" miff:- |
        convert miff:- -crop "350x150+$((page_x + 15))+$((page_y + 30))" +repage \
            -fx 'r > 0.9 && g < 0.1' -format '%[fx:maxima]' info:
}

for _ in $(seq 40); do
    [ "$(reading_shown)" = 1 ] && break
    sleep 0.25
done
[ "$(reading_shown)" = 1 ] || { echo "No live reading showed." >&2; exit 1; }
# Three more cycles: the counter passes AL1's set-point.
sleep 3.2
shot capture

click 223 "$tab_y"
shot programming

click 125 "$tab_y"
# The check box at (20, 10) of the page, 250 x 20: its box at the left.
click $((page_x + 28)) $((page_y + 20))
# A row at once, then one a second.
sleep 4.5
shot datalogger
