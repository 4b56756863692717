#!/usr/bin/env bash
# Builds everything with a sanitizer and runs the test suite headless.
#   scripts/sanitize.sh [address|thread]     (default: address)
# address: AddressSanitizer with UndefinedBehaviorSanitizer, in build-asan.
# thread:  ThreadSanitizer, in build-tsan. Qt is not instrumented, so races
#          reported inside the Qt libraries are suppressed by scripts/tsan.supp;
#          that file never names our own code.
# Any finding fails the run.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
kind="${1:-address}"
source "$here/scripts/lib/deps.sh"
vexilor_install_deps

case "$kind" in
address)
    build="${VEXILOR_ASAN_BUILD_DIR:-$here/build-asan}"
    flags="-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined"
    export ASAN_OPTIONS="detect_leaks=1:abort_on_error=0:halt_on_error=1:detect_stack_use_after_return=1"
    export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
    ;;
thread)
    build="${VEXILOR_TSAN_BUILD_DIR:-$here/build-tsan}"
    flags="-fsanitize=thread -fno-omit-frame-pointer"
    export TSAN_OPTIONS="suppressions=$here/scripts/tsan.supp:halt_on_error=1:second_deadlock_stack=1:print_suppressions=0"
    ;;
*)
    echo "usage: $0 [address|thread]" >&2
    exit 2
    ;;
esac

cmake -S "$here" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DVEXILOR_WERROR=ON \
    -DCMAKE_CXX_FLAGS="$flags -O1 -g" \
    -DCMAKE_EXE_LINKER_FLAGS="$flags" -DCMAKE_SHARED_LINKER_FLAGS="$flags"
cmake --build "$build" --parallel "${VEXILOR_JOBS:-2}"

export QT_QPA_PLATFORM=offscreen
# Sanitized code runs several times slower; the time-out is generous.
ctest --test-dir "$build" --output-on-failure --parallel "${VEXILOR_JOBS:-2}" --timeout 900
