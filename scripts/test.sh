#!/usr/bin/env bash
# Sets up the machine, builds everything and runs the whole test suite.
#   scripts/test.sh              normal build in build/
#   scripts/test.sh --sanitize   AddressSanitizer + UBSan build in build-asan/
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
bash "$here/scripts/setup.sh" --no-build

dir="$here/build"
flags=(-DCMAKE_BUILD_TYPE=RelWithDebInfo -DVUX_BENCH=OFF -DVUX_WERROR=ON)
if [ "${1:-}" = "--sanitize" ]; then
  dir="$here/build-asan"
  flags=(-DCMAKE_BUILD_TYPE=Debug -DVUX_SANITIZE=ON -DVUX_BENCH=OFF -DVUX_WERROR=ON)
fi

cmake -S "$here" -B "$dir" -G Ninja "${flags[@]}" >/dev/null
cmake --build "$dir" --parallel "$(nproc)"

export QT_QPA_PLATFORM=offscreen
# Slow unwinding of allocations: fontconfig has no frame pointers, and only
# whole stacks reach the functions that scripts/lsan.supp names.
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:fast_unwind_on_malloc=0
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export LSAN_OPTIONS=suppressions=$here/scripts/lsan.supp
cd "$dir"
ctest --output-on-failure --parallel "$(nproc)" --timeout 600
