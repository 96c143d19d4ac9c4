#!/usr/bin/env bash
# Installs every Debian package the project needs, then configures and builds.
# Idempotent; meant to run as root on a fresh Debian 12 machine. The package
# installation prints nothing; the build prints one line per finished step
# and, on a failure, the compiler's output. The first build compiles the
# whole tree and takes several minutes; later runs rebuild only what changed.
#   scripts/setup.sh            install + build (build/)
#   scripts/setup.sh --no-build install only
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)

packages=(
  build-essential cmake ninja-build pkg-config git
  clang libclang-rt-14-dev
  libgtest-dev libgmock-dev googletest libbenchmark-dev
  qt6-base-dev qt6-base-dev-tools qt6-multimedia-dev libqt6opengl6-dev
  qt6-qpa-plugins libgl-dev qt6-translations-l10n
  libqrencode-dev libopencore-amrnb-dev zlib1g-dev
  ncompress gzip xvfb xauth x11-utils fonts-wqy-microhei
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  SUDO=""
  [ "$(id -u)" -eq 0 ] || SUDO=sudo
  export DEBIAN_FRONTEND=noninteractive
  $SUDO apt-get update -qq
  $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

[ "${1:-}" = "--no-build" ] && exit 0

echo "Building in $here/build (the first build takes several minutes)"
cmake -S "$here" -B "$here/build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$here/build" --parallel "$(nproc)"
