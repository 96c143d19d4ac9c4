#!/usr/bin/env bash
# Builds the benchmarks (bench/<name>_bench.cpp -> bench_<name>) optimised in
# build-bench/ (or $VUX_BENCH_DIR) and runs them; they print throughput, they
# assert nothing. The normal and test builds leave them out (VUX_BENCH=OFF).
#   scripts/bench.sh            build and run every benchmark
#   scripts/bench.sh <name>...  only these; extra Google Benchmark flags in
#                               $VUX_BENCH_FLAGS (e.g. --benchmark_filter=lzw)
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
dir=${VUX_BENCH_DIR:-$here/build-bench}
names=("$@")
if [ ${#names[@]} -eq 0 ]; then
  for f in "$here"/bench/*_bench.cpp; do
    [ -e "$f" ] || continue
    b=$(basename "$f" .cpp)
    names+=("${b%_bench}")
  done
fi
[ ${#names[@]} -gt 0 ] || exit 0
cmake -S "$here" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Release -DVUX_BENCH=ON >/dev/null
targets=()
for n in "${names[@]}"; do targets+=("bench_$n"); done
cmake --build "$dir" --target "${targets[@]}"
for n in "${names[@]}"; do
  # shellcheck disable=SC2086
  "$dir/bench/bench_$n" ${VUX_BENCH_FLAGS:-}
done
