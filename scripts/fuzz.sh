#!/usr/bin/env bash
# libFuzzer harnesses (fuzz/<name>_fuzz.cpp -> fuzz_<name>), built with clang
# in build-fuzz/ (or $VUX_FUZZ_DIR).
#   scripts/fuzz.sh --regression       build all harnesses, run each once over
#                                      its seed corpus fuzz/corpus/<name>/ (seconds)
#   scripts/fuzz.sh <name> <seconds>   build, then fuzz one harness that long;
#                                      new inputs go to build-fuzz/corpus/<name>/,
#                                      crashes to build-fuzz/crashes/<name>/
#   scripts/fuzz.sh --list             the harness names
# Extra libFuzzer flags for a long run: VUX_FUZZ_FLAGS="-jobs=2 -workers=2" ...
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
dir=${VUX_FUZZ_DIR:-$here/build-fuzz}

names=()
for f in "$here"/fuzz/*_fuzz.cpp; do
  [ -e "$f" ] || continue
  b=$(basename "$f" .cpp)
  names+=("${b%_fuzz}")
done

usage() { sed -n '2,11p' "$0" | sed 's/^# \{0,1\}//'; exit 2; }

build() {
  cmake -S "$here" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
    -DVUX_FUZZ=ON -DVUX_BENCH=OFF >/dev/null
  local targets=()
  for n in "$@"; do targets+=("fuzz_$n"); done
  cmake --build "$dir" --parallel "$(nproc)" --target "${targets[@]}"
}

export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1:allocator_may_return_null=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}

case "${1:-}" in
  --list)
    printf '%s\n' "${names[@]}"
    ;;
  --regression)
    [ ${#names[@]} -gt 0 ] || exit 0
    build "${names[@]}"
    mkdir -p "$dir/crashes"
    for n in "${names[@]}"; do
      corpus="$here/fuzz/corpus/$n"
      if [ ! -d "$corpus" ]; then
        echo "fuzz_$n: no seed corpus in fuzz/corpus/$n" >&2
        exit 1
      fi
      log="$dir/regression-$n.log"
      if ! "$dir/fuzz/fuzz_$n" -runs=0 -timeout=10 -rss_limit_mb=2048 \
          -artifact_prefix="$dir/crashes/$n-" "$corpus" >"$log" 2>&1; then
        cat "$log" >&2
        echo "fuzz_$n FAILED over fuzz/corpus/$n" >&2
        exit 1
      fi
      echo "fuzz_$n: $(grep -c . <(ls "$corpus")) seeds ok"
    done
    ;;
  ""|-*)
    usage
    ;;
  *)
    n=$1
    seconds=${2:-600}
    [ -f "$here/fuzz/${n}_fuzz.cpp" ] || { echo "no harness fuzz/${n}_fuzz.cpp" >&2; exit 2; }
    build "$n"
    mkdir -p "$dir/corpus/$n" "$dir/crashes/$n"
    # shellcheck disable=SC2086
    exec "$dir/fuzz/fuzz_$n" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
      -print_final_stats=1 -artifact_prefix="$dir/crashes/$n/" ${VUX_FUZZ_FLAGS:-} \
      "$dir/corpus/$n" "$here/fuzz/corpus/$n"
    ;;
esac
