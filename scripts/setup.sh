# Shared set-up of ./scripts/run and ./scripts/test: installs the Debian
# packages the build needs when they are missing, then configures and builds
# the plain build ($BUILD): only the program and its simulator (obx,
# obx-sim) when OBX_SOLO_PROGRAMMA=1 (./scripts/run), else every target.
# Costruisce DIR [cmake options] configures and builds one more build folder;
# with OBX_SOLO_PROGRAMMA=1 only those two targets.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD="${OBX_BUILD_DIR:-$ROOT/build}"

PACKAGES=(g++ cmake make pkg-config qt6-base-dev qt6-base-dev-tools libqt6sql6-sqlite libsqlite3-dev
          libgl-dev libgtest-dev googletest libbenchmark-dev xvfb xauth alsa-utils
          qt6-translations-l10n fonts-liberation fonts-dejavu-core poppler-utils)

missing=()
for p in "${PACKAGES[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
  echo "Installazione pacchetti mancanti: ${missing[*]}"
  SUDO=""
  [ "$(id -u)" -ne 0 ] && SUDO="sudo"
  export DEBIAN_FRONTEND=noninteractive
  $SUDO apt-get update -q
  $SUDO apt-get install -y -q --no-install-recommends "${missing[@]}"
fi

Costruisce() {
  local dir="$1"
  shift
  cmake -S "$ROOT" -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
  if [ "${OBX_SOLO_PROGRAMMA:-0}" = 1 ]; then
    cmake --build "$dir" -j"$(nproc)" --target obx obx-sim
  else
    cmake --build "$dir" -j"$(nproc)"
  fi
}

Costruisce "$BUILD"
