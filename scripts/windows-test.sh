#!/usr/bin/env bash
# Cross-builds the widget-free libraries and their tests for 64-bit Windows
# (MinGW-w64) and runs every test executable under wine. The serial tests
# get two ports: COM1 on a pseudo terminal whose far end answers like an
# instrument at address 1 (vexilor-sim when it builds, otherwise a small
# stand-in), COM3 on a pseudo terminal where nothing answers.
#
# Environment: VEXILOR_WIN_BUILD_DIR (default build-win), VEXILOR_JOBS
# (default: number of processors), VEXILOR_SIM (a vexilor-sim to use).
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
# shellcheck source=scripts/lib/deps.sh
source "$here/scripts/lib/deps.sh"
# Only what the cross build and wine need, not the Qt of the host build.
# shellcheck disable=SC2034 # read by vexilor_install_deps
vexilor_packages=(cmake ninja-build g++ googletest g++-mingw-w64-x86-64-posix wine64 python3)
# shellcheck disable=SC2119 # no extra packages
vexilor_install_deps

build="${VEXILOR_WIN_BUILD_DIR:-$here/build-win}"
jobs="${VEXILOR_JOBS:-$(nproc)}"
work="$(mktemp -d)"
far_end_pids=()

cleanup() {
    if [ -n "${WINEPREFIX:-}" ] && [ -n "${wineserver:-}" ]; then
        "$wineserver" -k >/dev/null 2>&1 || true
    fi
    local pid
    for pid in "${far_end_pids[@]}"; do
        kill "$pid" 2>/dev/null || true
    done
    rm -rf "$work"
}
trap cleanup EXIT

# --- build ------------------------------------------------------------------
cmake -S "$here" -B "$build" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$here/cmake/mingw-w64-x86_64.cmake" \
    -DVEXILOR_WITH_QT=OFF -DVEXILOR_WERROR=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo
# Keep going past a broken target so that everything else still gets tested;
# the script fails at the end all the same.
build_status=0
cmake --build "$build" --parallel "$jobs" -- -k 0 || build_status=$?

# --- wine -----------------------------------------------------------------
wine="$(command -v wine64 || true)"
[ -n "$wine" ] || wine="$(ls /usr/lib/wine/wine64 2>/dev/null || command -v wine || true)"
wineserver="$(command -v wineserver || ls /usr/lib/wine/wineserver 2>/dev/null || true)"
if [ -z "$wine" ] || [ -z "$wineserver" ]; then
    echo "wine64 not found" >&2
    exit 1
fi
export WINEPREFIX="$build/wineprefix"
export WINEDEBUG=-all
# No Mono or Gecko: nothing here needs them, and their installers would ask.
export WINEDLLOVERRIDES="mscoree,mshtml="
if [ ! -f "$WINEPREFIX/system.reg" ]; then
    echo "Creating the wine prefix $WINEPREFIX"
    "$wine" wineboot -i >"$work/wineboot.log" 2>&1 || { cat "$work/wineboot.log"; exit 1; }
fi
"$wineserver" -k >/dev/null 2>&1 || true

# --- far ends of the two ports ------------------------------------------------
cat >"$work/far_end.py" <<'PY'
# A pseudo terminal whose slave path is the first line on stdout. "answer":
# every address byte 1 brings a six-byte instrument reply (123456.78, AL1);
# "silent": input is read and dropped. The slave stays open here so that the
# line settings outlive every open and close on the other side.
import os, pty, select, sys, tty

mode = sys.argv[1]
master, slave = pty.openpty()
tty.setraw(slave)
print(os.ttyname(slave), flush=True)
body = bytes([0x65, 0x02, 0x34, 0x56, 0x78])
check = 0
for b in body:
    check ^= b
reply = body + bytes([check])
while True:
    select.select([master], [], [])
    data = os.read(master, 256)
    if mode == "answer":
        for b in data:
            if b == 0x01:
                os.write(master, reply)
PY

# Starts a far end with its output in $1, in this shell so that cleanup
# can end it.
start_far_end() {
    local out="$1"
    shift
    "$@" >"$out" 2>"$out.err" &
    far_end_pids+=($!)
}

# The first line of a far end's output in $1, its slave path.
far_end_path() {
    local out="$1"
    local _
    for _ in $(seq 100); do
        if [ -s "$out" ]; then
            head -n 1 "$out"
            return 0
        fi
        sleep 0.1
    done
    echo "far end did not start" >&2
    cat "$out.err" >&2
    return 1
}

sim="${VEXILOR_SIM:-}"
if [ -z "$sim" ]; then
    simbuild="$here/build-win-sim"
    if cmake -S "$here" -B "$simbuild" -G Ninja -DVEXILOR_WITH_QT=OFF -DVEXILOR_BUILD_TESTS=OFF \
        >"$work/sim-build.log" 2>&1 &&
        cmake --build "$simbuild" --parallel "$jobs" --target vexilor-sim >>"$work/sim-build.log" 2>&1; then
        sim="$(find "$simbuild" -name vexilor-sim -type f -perm -u+x | head -n 1)"
    fi
fi
if [ -n "$sim" ]; then
    echo "COM1 far end: $sim"
    # shellcheck disable=SC2086 # VEXILOR_SIM_ARGS is a list of words
    start_far_end "$work/com1.out" "$sim" ${VEXILOR_SIM_ARGS:-}
else
    echo "COM1 far end: stand-in (vexilor-sim did not build)"
    start_far_end "$work/com1.out" python3 "$work/far_end.py" answer
fi
start_far_end "$work/com3.out" python3 "$work/far_end.py" silent
com1="$(far_end_path "$work/com1.out")"
com3="$(far_end_path "$work/com3.out")"
echo "COM1 -> $com1, COM3 -> $com3"

# wine gives every serial device of the host a COM name too. Ports 2 and 4
# to 256 are switched off in its registry; what it still maps on its own
# (it puts the first host device on COM256 when all are taken) is covered
# with /dev/null inside a private mount namespace, so it fails to open.
{
    printf 'REGEDIT4\n\n[HKEY_LOCAL_MACHINE\\Software\\Wine\\Ports]\n'
    printf '"COM1"="%s"\n"COM3"="%s"\n' "$com1" "$com3"
    for n in 2 $(seq 4 256); do
        printf '"COM%d"=""\n' "$n"
    done
} >"$work/ports.reg"

cat >"$work/run-tests.sh" <<'SH'
set -uo pipefail
if [ "$hide_host_ports" = 1 ]; then
    for device in /dev/ttyS* /dev/ttyUSB* /dev/ttyACM* /dev/ttyAMA* /dev/rfcomm*; do
        [ -c "$device" ] && mount --bind /dev/null "$device"
    done
fi
"$wine" regedit /S "$work/ports.reg" >/dev/null 2>&1
"$wineserver" -k >/dev/null 2>&1
"$wineserver" -p
# The device manager starts with the first program and maps the ports.
"$wine" cmd /c exit >/dev/null 2>&1
echo "COM ports wine maps:"
ls -l "$WINEPREFIX/dosdevices" | grep -i ' com' | sed 's/^.* \(com[0-9]*\) -> /  \1 -> /'
ctest --test-dir "$build" --output-on-failure --timeout 300 --output-junit "$work/ctest.xml" 2>&1 |
    tee "$work/ctest.log"
status=${PIPESTATUS[0]}
# A test whose program never reached the test failed in wine's start-up, not
# in the code under test: those alone get one second run. A test that ran and
# failed stays failed.
if [ "$status" -ne 0 ] && [ -f "$work/ctest.xml" ]; then
    python3 "$here/scripts/lib/failed_tests.py" "$work/ctest.xml" show >"$work/failed.txt"
    retry="$(python3 "$here/scripts/lib/failed_tests.py" "$work/ctest.xml" retry)"
    if [ -n "$retry" ]; then
        echo "wine did not start these tests; running them once more: $retry" |
            tee -a "$work/retried.txt"
        ctest --test-dir "$build" --output-on-failure --timeout 300 -R "$retry" 2>&1 |
            tee "$work/ctest-again.log"
        status=${PIPESTATUS[0]}
    fi
fi
"$wineserver" -k >/dev/null 2>&1
exit "$status"
SH
export wine wineserver work build here
test_status=0
if unshare -m true 2>/dev/null; then
    hide_host_ports=1 unshare -m bash "$work/run-tests.sh" || test_status=$?
else
    echo "No mount namespace here: the host's own serial devices stay visible to wine" >&2
    hide_host_ports=0 bash "$work/run-tests.sh" || test_status=$?
fi

# --- summary ----------------------------------------------------------------
echo
# The failed tests' output comes first, so that the last lines of this
# script's output always name what failed.
if [ -s "$work/failed.txt" ]; then
    echo "=== Output of the failed tests ==="
    cat "$work/failed.txt"
fi
echo "=== Windows test summary ==="
grep -E 'tests passed|tests failed' "$work/ctest.log" || true
if grep -q 'Skipped' "$work/ctest.log"; then
    echo "Skipped:"
    grep -E '\*\*\*Skipped' "$work/ctest.log" | sed 's/^ */  /' || true
fi
grep -A1000 'The following tests FAILED' "$work/ctest.log" || true
if [ -s "$work/retried.txt" ]; then
    cat "$work/retried.txt"
    grep -E 'tests passed|tests failed' "$work/ctest-again.log" || true
fi
if [ "$build_status" -ne 0 ]; then
    echo "The build failed (status $build_status); the tests above are those that built."
fi
[ "$build_status" -eq 0 ] && [ "$test_status" -eq 0 ]
