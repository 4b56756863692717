#!/usr/bin/env bash
# Fuzzes the settings parser for a number of seconds (default 60).
# Builds the files core and the fuzzer with clang in build-fuzz, starts from
# the seed files in tests/files/fuzz_corpus and exits non-zero when the
# fuzzer finds a crash, a leak or undefined behaviour.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
seconds="${1:-60}"
source "$here/scripts/lib/deps.sh"
vexilor_install_deps clang libclang-rt-14-dev

build="${VEXILOR_FUZZ_BUILD_DIR:-$here/build-fuzz}"
CC=clang CXX=clang++ cmake -S "$here" -B "$build" -G Ninja \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVEXILOR_WITH_QT=OFF -DVEXILOR_FUZZ=ON
cmake --build "$build" --target vexilor_files_core settings_fuzzer --parallel 2

# New inputs go into the build folder; the committed seeds are only read.
work="$build/fuzz-corpus"
mkdir -p "$work"
"$build/tests/files/settings_fuzzer" \
    -max_total_time="$seconds" -max_len=16384 -print_final_stats=1 \
    -artifact_prefix="$build/" \
    "$work" "$here/tests/files/fuzz_corpus"
