#!/usr/bin/env bash
# Sets up and builds (scripts/setup.sh), starts the local stand-in service with
# its demo data on a loopback port, and starts the launcher pointed at it; the
# launcher checks the client and starts it ("orbel shell"). When the client
# closes, the service is stopped: no process of the run is left behind.
#   scripts/run.sh               set up, build, run
#   scripts/run.sh --no-setup    run what is built already
# VUX_BUILD names another build folder (default: build/).
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
[ "${1:-}" = "--no-setup" ] || bash "$here/scripts/setup.sh"
bin="${VUX_BUILD:-$here/build}/bin"
for program in quellmark_service tessin orbel; do
  [ -x "$bin/$program" ] || { echo "run.sh: $bin/$program is not built" >&2; exit 1; }
done
if [ -z "${DISPLAY:-}${WAYLAND_DISPLAY:-}${QT_QPA_PLATFORM:-}" ]; then
  echo "run.sh: no display to show the client on (set DISPLAY, or QT_QPA_PLATFORM)" >&2
  exit 1
fi

work=$(mktemp -d)
service_pid=""
stop() {
  if [ -n "$service_pid" ]; then
    kill "$service_pid" 2>/dev/null || true
    wait "$service_pid" 2>/dev/null || true
  fi
  rm -rf "$work"
}
trap stop EXIT
trap 'exit 130' INT TERM

# The service serves the very client it was built with, so the launcher's
# upgrade check finds it current and starts it as it is.
"$bin/quellmark_service" --client "$bin/orbel" --auto-activate 0 >"$work/address" 2>"$work/service.log" &
service_pid=$!
for _ in $(seq 100); do
  [ -s "$work/address" ] && break
  kill -0 "$service_pid" 2>/dev/null || { cat "$work/service.log" >&2; exit 1; }
  sleep 0.1
done
address=$(head -n 1 "$work/address")
[ -n "$address" ] || { echo "run.sh: the service did not start" >&2; exit 1; }
echo "Local service at $address. Log on as demo@quellmark.com with the password demo1234."

# The launcher hands its output on to the client it starts, so this pipe
# stays open until the client, too, has ended.
QUELLMARK_SERVICE="$address" "$bin/tessin" 2>&1 | cat
