# shellcheck shell=bash
# Running the program against the instrument simulator: the simulator on a
# pseudo-terminal, and a run folder whose settings select it, whatever
# serial ports the machine has. For run.sh and screenshot.sh.

# vexilor_start_simulator BUILD_DIR WORK_DIR [simulator options...]
# Starts the simulator in the background, answering as a counter at address
# 1 on WORK_DIR/ttyVEXILOR, steered through the pipe WORK_DIR/control, its
# output in WORK_DIR/sim.out and sim.err. Sets vexilor_sim_pid,
# vexilor_sim_port and vexilor_sim_control; the caller ends the simulator.
vexilor_start_simulator() {
    local build="$1" work="$2"
    shift 2
    vexilor_sim_port="$work/ttyVEXILOR"
    vexilor_sim_control="$work/control"
    "$build/sim/vexilor-sim" --link "$vexilor_sim_port" --control "$vexilor_sim_control" \
        --baud 9600 "$@" </dev/null >"$work/sim.out" 2>"$work/sim.err" &
    # shellcheck disable=SC2034 # the caller ends it
    vexilor_sim_pid=$!
    local _
    for _ in $(seq 100); do
        [ -e "$vexilor_sim_port" ] && break
        sleep 0.05
    done
    [ -e "$vexilor_sim_port" ] || {
        echo "The simulator did not start:" >&2
        cat "$work/sim.err" >&2
        exit 1
    }
}

# vexilor_select_port BUILD_DIR RUN_DIR PORT
# Adds PORT to the Port list (VEXILOR_EXTRA_PORTS, exported) and selects its
# row in RUN_DIR/preferences.pref; the other settings there are kept.
vexilor_select_port() {
    local build="$1" rundir="$2" port="$3"
    export VEXILOR_EXTRA_PORTS="$port"
    local position
    position="$("$build/sim/vexilor-ports" | grep -n -x -F "$port" | cut -d: -f1)"
    [ -n "$position" ] || { echo "The simulator's port does not open." >&2; exit 1; }
    mkdir -p "$rundir"
    local prefs="$rundir/preferences.pref"
    if [ -f "$prefs" ] && grep -q '^Port = ' "$prefs"; then
        sed -i "s/^Port = .*\r\$/Port = $position\r/" "$prefs"
    else
        printf '[Communication Setup]\r\nPort = %s\r\n' "$position" >"$prefs"
    fi
}
