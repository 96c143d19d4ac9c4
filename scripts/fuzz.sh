#!/usr/bin/env bash
# libFuzzer harnesses (fuzz/<name>_fuzz.cpp -> fuzz_<name>), built with clang
# in build-fuzz/ (or $VUX_FUZZ_DIR).
#   scripts/fuzz.sh --regression       build all harnesses, run each once over
#                                      its seed corpus fuzz/corpus/<name>/ (seconds)
#   scripts/fuzz.sh --ci               build all, fuzz each harness for
#                                      $VUX_FUZZ_SECONDS (30) from its seeds, several
#                                      at once; new inputs stay in build-fuzz/ci-corpus/;
#                                      a crash fails and prints its reproducer
#   scripts/fuzz.sh <name> <seconds>   build, then fuzz one harness that long;
#                                      new inputs go to build-fuzz/corpus/<name>/,
#                                      crashes to build-fuzz/crashes/<name>/
#   scripts/fuzz.sh --build            build all harnesses only
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

usage() { sed -n '2,16p' "$0" | sed 's/^# \{0,1\}//'; exit 2; }

build() {
  cmake -S "$here" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
    -DVUX_FUZZ=ON -DVUX_BENCH=OFF -DVUX_WERROR=ON >/dev/null
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
  --ci)
    [ ${#names[@]} -gt 0 ] || exit 0
    build "${names[@]}"
    seconds=${VUX_FUZZ_SECONDS:-30}
    # Harnesses are single-threaded: run as many at once as there are cores.
    jobs=${VUX_FUZZ_JOBS:-$(nproc)}
    rm -rf "$dir/ci-crashes"
    mkdir -p "$dir/ci-crashes" "$dir/ci-log"
    run_one() {
      local n=$1 corpus="$here/fuzz/corpus/$1" out="$dir/ci-corpus/$1"
      mkdir -p "$out" "$dir/ci-crashes/$n"
      rm -f "$dir/ci-log/$n.failed"
      if [ ! -d "$corpus" ]; then
        echo "fuzz_$n: no seed corpus in fuzz/corpus/$n" | tee "$dir/ci-log/$n.log"
        touch "$dir/ci-log/$n.failed"
        return 0
      fi
      if "$dir/fuzz/fuzz_$n" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
          -print_final_stats=1 -artifact_prefix="$dir/ci-crashes/$n/" \
          "$out" "$corpus" >"$dir/ci-log/$n.log" 2>&1; then
        echo "fuzz_$n: ${seconds} s clean, $(grep -o 'stat::number_of_executed_units: *[0-9]*' "$dir/ci-log/$n.log" | grep -o '[0-9]*$' || echo '?') runs"
        return 0
      fi
      echo "fuzz_$n FAILED"
      touch "$dir/ci-log/$n.failed"
    }
    failed=()
    running=0
    for n in "${names[@]}"; do
      run_one "$n" &
      running=$((running + 1))
      if [ "$running" -ge "$jobs" ]; then
        wait -n || true
        running=$((running - 1))
      fi
    done
    wait
    for n in "${names[@]}"; do
      [ ! -e "$dir/ci-log/$n.failed" ] || failed+=("$n")
    done
    for n in "${failed[@]}"; do
      echo "==== fuzz_$n: log" >&2
      tail -n 60 "$dir/ci-log/$n.log" >&2
      for a in "$dir/ci-crashes/$n"/*; do
        [ -f "$a" ] || continue
        echo "==== fuzz_$n: reproducer $(basename "$a") ($(stat -c %s "$a") bytes), hex:" >&2
        od -An -v -tx1 "$a" | tr -d ' \n' | fold -w 128 >&2; echo >&2
        echo "base64:" >&2
        base64 -w 128 "$a" >&2
        echo "rerun: base64 -d >crash <<<'$(base64 -w 0 "$a")'; scripts/fuzz.sh --build; build-fuzz/fuzz/fuzz_$n crash" >&2
      done
    done
    [ ${#failed[@]} -eq 0 ]
    ;;
  --build)
    build "${names[@]}"
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
