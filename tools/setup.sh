#!/usr/bin/env bash
# Installs what a fresh Debian 12 lacks for Kosmolux, then configures and
# builds it into build/. Extra CMake options may come in KOSMOLUX_CMAKE_ARGS.
set -euo pipefail
cd "$(dirname "$0")/.."

# desktop-file-utils lets the install test validate the desktop entry; the
# CMake files of qt6-charts-dev need Qt's OpenGL ones, which it does not pull in.
packages=(cmake g++ make qt6-base-dev qt6-charts-dev libqt6opengl6-dev libgtest-dev libgmock-dev libbenchmark-dev desktop-file-utils)
missing=()
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" \
    || missing+=("$package")
done
if ((${#missing[@]})); then
  sudo=""
  [ "$(id -u)" -ne 0 ] && sudo=sudo
  $sudo apt-get update
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends "${missing[@]}"
fi

# shellcheck disable=SC2086
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release ${KOSMOLUX_CMAKE_ARGS:-}
cmake --build build -j"$(nproc)"
