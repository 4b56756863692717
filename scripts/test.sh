#!/usr/bin/env bash
# Builds Vexilor and runs the whole test suite headless.
# Installs what it needs with apt-get when it is missing.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
source "$here/scripts/lib/deps.sh"
vexilor_install_deps

build="${VEXILOR_BUILD_DIR:-$here/build}"
cmake -S "$here" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVEXILOR_WERROR=ON
cmake --build "$build" --parallel "$(nproc)"
# A short fuzzing run of the settings reader (ASan, UBSan); a crash fails.
"$here/scripts/fuzz-settings.sh" "${VEXILOR_FUZZ_SECONDS:-20}" >"$build/fuzz.log" 2>&1 ||
    { tail -n 40 "$build/fuzz.log"; echo "settings fuzzer failed" >&2; exit 1; }
echo "settings fuzzer: $(grep -m1 -o 'stat::number_of_executed_units: *[0-9]*' "$build/fuzz.log" || echo 'done')"

# The widget-free libraries cross-built for Windows and tested under wine:
# always in CI, elsewhere with VEXILOR_WINDOWS_TESTS=true (it installs wine).
if [ "${VEXILOR_WINDOWS_TESTS:-${CI:-false}}" = true ]; then
    VEXILOR_SIM="$build/sim/vexilor-sim" "$here/scripts/windows-test.sh" >"$build/windows.log" 2>&1 ||
        { tail -n 100 "$build/windows.log"; echo "Windows tests failed" >&2; exit 1; }
    echo "Windows tests under wine: $(grep -m1 'tests passed' "$build/windows.log")"
fi

export QT_QPA_PLATFORM=offscreen
ctest --test-dir "$build" --output-on-failure --parallel "$(nproc)" --timeout 300
