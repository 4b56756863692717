#!/usr/bin/env bash
# Builds Vexilor and runs it against the bundled instrument simulator.
# Installs what it needs with apt-get when it is missing.
#
# The simulator answers as a counter at address 1 on a pseudo-terminal; its
# port is added to the Port list through VEXILOR_EXTRA_PORTS and selected in
# the run folder's preferences.pref, whatever serial ports the machine has.
# Environment: VEXILOR_BUILD_DIR (default build), VEXILOR_RUN_DIR (the
# program's working directory, default build/run), VEXILOR_SIM_ARGS (extra
# simulator options, for example "--mode ramp --al1 500").
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
source "$here/scripts/lib/deps.sh"
vexilor_install_deps

build="${VEXILOR_BUILD_DIR:-$here/build}"
cmake -S "$here" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build "$build" --parallel "$(nproc)" --target vexilor vexilor-sim vexilor-ports

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
    echo "No display: run this from a desktop session (or set QT_QPA_PLATFORM)." >&2
    exit 1
fi

work="$(mktemp -d)"
port="$work/ttyVEXILOR"
control="$work/control"
sim_pid=""
cleanup() {
    [ -n "$sim_pid" ] && kill "$sim_pid" 2>/dev/null || true
    wait 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

# shellcheck disable=SC2086 # extra options are meant to split
"$build/sim/vexilor-sim" --link "$port" --control "$control" --baud 9600 \
    ${VEXILOR_SIM_ARGS:-} </dev/null >"$work/sim.out" 2>"$work/sim.err" &
sim_pid=$!
for _ in $(seq 100); do
    [ -e "$port" ] && break
    sleep 0.05
done
[ -e "$port" ] || { echo "The simulator did not start:" >&2; cat "$work/sim.err" >&2; exit 1; }
echo "Simulator on $port ($(head -n 1 "$work/sim.out")); steer it with: echo 'fault silent' > $control"

export VEXILOR_EXTRA_PORTS="$port"
position="$("$build/sim/vexilor-ports" | grep -n -x -F "$port" | cut -d: -f1)"
[ -n "$position" ] || { echo "The simulator's port does not open." >&2; exit 1; }

# The run folder keeps the user's settings between runs; only the port row
# is pointed at the simulator each time.
rundir="${VEXILOR_RUN_DIR:-$build/run}"
mkdir -p "$rundir"
prefs="$rundir/preferences.pref"
if [ -f "$prefs" ] && grep -q '^Port = ' "$prefs"; then
    sed -i "s/^Port = .*\r\$/Port = $position\r/" "$prefs"
else
    printf '[Communication Setup]\r\nPort = %s\r\n' "$position" >"$prefs"
fi

cd "$rundir"
"$build/src/ui/vexilor"
