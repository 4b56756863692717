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
source "$here/scripts/lib/build.sh"
source "$here/scripts/lib/simulator.sh"
vexilor_install_deps

build="${VEXILOR_BUILD_DIR:-$here/build}"
vexilor_build_program "$build"

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
    echo "No display: run this from a desktop session (or set QT_QPA_PLATFORM)." >&2
    exit 1
fi

work="$(mktemp -d)"
vexilor_sim_pid=""
cleanup() {
    [ -n "$vexilor_sim_pid" ] && kill "$vexilor_sim_pid" 2>/dev/null || true
    wait 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

# shellcheck disable=SC2086 # extra options are meant to split
vexilor_start_simulator "$build" "$work" ${VEXILOR_SIM_ARGS:-}
echo "Simulator on $vexilor_sim_port ($(head -n 1 "$work/sim.out")); steer it with: echo 'fault silent' > $vexilor_sim_control"

# The run folder keeps the user's settings between runs; only the port row
# is pointed at the simulator each time.
rundir="${VEXILOR_RUN_DIR:-$build/run}"
vexilor_select_port "$build" "$rundir" "$vexilor_sim_port"

cd "$rundir"
"$build/src/ui/vexilor"
