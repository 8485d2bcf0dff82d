#!/usr/bin/env bash
# Installs every system package the build, the tests and the benchmarks need.
# Safe to run again: apt-get leaves installed packages alone.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  libcoin-dev libsoqt520-dev qtbase5-dev
  libgl1-mesa-dri libglu1-mesa-dev mesa-utils libx11-dev
  xvfb xauth
  googletest libgtest-dev libgmock-dev libbenchmark-dev
  clang libclang-rt-14-dev
  chromium
  libopenmpi-dev openmpi-bin
  # poview writes posters as PNG row by row
  libpng-dev
  # the Python module: built with SWIG for Debian's python3, which has pivy
  swig python3-dev python3-pivy python3-numpy python3-pytest
)

missing=()
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" ||
    missing+=("$package")
done
# Node.js runs the independent VRML97 parser of the export check and drives
# Chromium (Debian's, above) through puppeteer-core in the browser check; a
# machine may have it from elsewhere than Debian, so only missing commands are
# asked for.
command -v node >/dev/null || missing+=(nodejs)
command -v npm >/dev/null || missing+=(npm)
if [ "${#missing[@]}" -eq 0 ]; then
  exit 0
fi

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
$sudo apt-get update
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends "${missing[@]}"
