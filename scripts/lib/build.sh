# shellcheck shell=bash
# Building the program with the simulator and the port lister, for the
# scripts that run it (run.sh, screenshot.sh).
vexilor_root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"

# vexilor_build_program BUILD_DIR
vexilor_build_program() {
    local build="$1"
    cmake -S "$vexilor_root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
    cmake --build "$build" --parallel "$(nproc)" --target vexilor vexilor-sim vexilor-ports
}
