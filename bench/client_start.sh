#!/usr/bin/env bash
# Client start against a bare Qt dialog program (bench/bare_dialog.cpp), under
# Xvfb: the time from starting each program to its "登录" window being
# viewable, started alternately (10 starts each unless told), each with a
# fresh home, so no setting of an earlier start is read. Prints both medians
# and their ratio; asserts nothing. Builds both optimised in build-bench/ (or
# $VUX_BENCH_DIR) first, with $JOBS jobs (3 unless told).
#   bench/client_start.sh [starts]
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
dir=${VUX_BENCH_DIR:-$here/build-bench}
starts=${1:-10}
for tool in Xvfb xwininfo; do
  command -v "$tool" >/dev/null || { echo "$tool is missing: scripts/setup.sh installs it (xvfb, x11-utils)"; exit 1; }
done
cmake -S "$here" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Release -DVUX_BENCH=ON >/dev/null
cmake --build "$dir" --parallel "${JOBS:-3}" --target orbel bench_bare_dialog >/dev/null

work=$(mktemp -d)
xvfb=
cleanup() {
  [ -z "$xvfb" ] || kill "$xvfb" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset 3>"$work/display" 2>"$work/xvfb.log" &
xvfb=$!
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.05; done
[ -s "$work/display" ] || { echo "Xvfb did not start"; exit 1; }
export DISPLAY=":$(cat "$work/display")" QT_QPA_PLATFORM=xcb
unset QT_QPA_PLATFORMTHEME

# Microseconds from starting the program to its logon window being viewable.
one_start() {
  local home start end pid
  home=$(mktemp -d "$work/home.XXXX")
  mkdir -m 700 "$home/run"
  start=$(date +%s%N)
  HOME=$home XDG_RUNTIME_DIR=$home/run TMPDIR=$home "$@" >/dev/null 2>"$home/stderr" &
  pid=$!
  until xwininfo -name "登录" 2>/dev/null | grep -q IsViewable; do
    kill -0 "$pid" 2>/dev/null || { echo "$1 ended before its window showed:" >&2; cat "$home/stderr" >&2; return 1; }
  done
  end=$(date +%s%N)
  kill "$pid"
  wait "$pid" 2>/dev/null || true
  echo $(((end - start) / 1000))
}

median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

one_start "$dir/bench/bench_bare_dialog" >/dev/null  # warm the disk cache for both
one_start "$dir/bin/orbel" shell >/dev/null
: >"$work/bare"
: >"$work/client"
for _ in $(seq "$starts"); do
  one_start "$dir/bench/bench_bare_dialog" >>"$work/bare"
  one_start "$dir/bin/orbel" shell >>"$work/client"
done
bare=$(median <"$work/bare")
client=$(median <"$work/client")
awk -v b="$bare" -v c="$client" -v n="$starts" 'BEGIN {
  printf "bare dialog  median of %d starts: %.1f ms\n", n, b / 1000
  printf "client       median of %d starts: %.1f ms\n", n, c / 1000
  printf "client / bare: %.2f\n", c / b
}'
