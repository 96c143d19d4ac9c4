#!/usr/bin/env bash
# Sets up, builds, starts the local service and the launcher against it.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
bash "$here/scripts/setup.sh"
echo "The launcher and client are not built yet." >&2
