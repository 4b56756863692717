#!/usr/bin/env bash
# Soak test: the program runs on the simulator at 9600 baud with the data
# logger on while random line faults and unplugged spells come and go, then
# the run is checked (alive, a row for every cycle, gaps between rows only
# where a fault allows, resident memory growth after the first minute).
#   scripts/soak.sh [minutes] [seed]     (default 10 minutes, a random seed)
# Exits non-zero when a check fails.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
minutes="${1:-10}"
seed="${2:-}"
source "$here/scripts/lib/deps.sh"
vexilor_install_deps

build="${VEXILOR_SOAK_BUILD_DIR:-$here/build-soak}"
cmake -S "$here" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DVEXILOR_WERROR=ON
cmake --build "$build" --target vexilor vexilor-sim soak_driver --parallel "${VEXILOR_JOBS:-2}"

export QT_QPA_PLATFORM=offscreen
# shellcheck disable=SC2086
"$build/bench/soak/soak_driver" "$((minutes * 60))" $seed
