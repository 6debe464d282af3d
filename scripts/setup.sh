#!/usr/bin/env bash
# Installs what the program, its tests and its tools need (Debian 12), then
# configures and builds into ./build. Quick when everything is already there.
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(
  cmake g++ make qt6-base-dev libxkbcommon-dev
  fonts-liberation2 poppler-utils xvfb xauth imagemagick
  libreoffice-writer-nogui libreoffice-dev
  clang libclang-rt-14-dev
)
missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done
if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  $sudo apt-get update -qq
  $sudo env DEBIAN_FRONTEND=noninteractive apt-get -o DPkg::Lock::Timeout=600 install -y -qq \
    --no-install-recommends "${missing[@]}"
fi

build_dir="${SART_BUILD_DIR:-build}"
if [ ! -f "$build_dir/CMakeCache.txt" ]; then
  cmake -S . -B "$build_dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo ${SART_CMAKE_ARGS:-}
fi
cmake --build "$build_dir" -j"$(nproc)"
