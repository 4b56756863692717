#!/usr/bin/env bash
# Builds the benchmark programs (Release, build-bench) and runs them; they
# print figures and assert nothing.
#   bench/run.sh [seconds]   seconds of each CPU run (default 60)
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
source "$here/scripts/lib/deps.sh"
vexilor_install_deps

seconds="${1:-60}"
build="${VEXILOR_BENCH_DIR:-$here/build-bench}"
cmake -S "$here" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DVEXILOR_WERROR=ON >/dev/null
cmake --build "$build" --parallel "${VEXILOR_BENCH_JOBS:-2}" \
    --target bench_link bench_worker bench_display bench_download bench_log_table bench_startup \
    bench_files
export QT_QPA_PLATFORM=offscreen

# The simulator's own messages go to stderr; only the figures are shown.
run() {
    echo "== $*"
    "$@" 2>/dev/null
}
run "$build/bench/link/bench_link" "$seconds"
run "$build/bench/acquisition/bench_worker" "$seconds"
run "$build/bench/acquisition/bench_display"
run "$build/bench/programming/bench_download"
run "$build/bench/ui/bench_log_table"
run "$build/bench/ui/bench_startup"
# On a real X server too when Xvfb is installed (scripts/screenshot.sh
# installs it).
if command -v xvfb-run >/dev/null; then
    run env QT_QPA_PLATFORM=xcb xvfb-run -a "$build/bench/ui/bench_startup"
fi
run "$build/bench/files/bench_files"
