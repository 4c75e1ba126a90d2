#!/usr/bin/env bash
# Shared by run.sh and test.sh: makes sure the Debian packages the build needs
# are there, then configures and builds incrementally in ./build.
set -euo pipefail

BM_PACKAGES=(
  cmake ninja-build g++ pkg-config
  qt6-base-dev qt6-base-dev-tools libgl-dev
  googletest libgtest-dev libgmock-dev libbenchmark-dev
  libsqlite3-dev
  python3-dbfread libdbd-xbase-perl poppler-utils unrtf odt2txt
  clang libclang-rt-14-dev
  xvfb xdotool imagemagick
  xdg-utils
)

bm_missing_packages() {
  local missing=()
  for p in "${BM_PACKAGES[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
      missing+=("$p")
    fi
  done
  echo "${missing[@]:-}"
}

bm_install_packages() {
  local missing
  missing=$(bm_missing_packages)
  [ -z "$missing" ] && return 0
  if [ "$(id -u)" -ne 0 ]; then
    echo "Missing packages. Install them with:"
    echo "  sudo apt-get install -y $missing"
    exit 1
  fi
  echo "Installing: $missing"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  # shellcheck disable=SC2086
  apt-get install -y -qq --no-install-recommends $missing >/dev/null
}

bm_build() {
  local top
  top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
  if [ ! -f "$top/build/build.ninja" ]; then
    cmake -S "$top" -B "$top/build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
  fi
  cmake --build "$top/build" -j "$(nproc)"
}
