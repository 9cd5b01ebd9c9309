#!/usr/bin/env bash
# Installs every Debian package the build, the tests and the game need.
# Does nothing when they are all present already.
set -euo pipefail
pkgs=(
  cmake g++ make pkg-config ninja-build clang libclang-rt-14-dev clang-format
  libsdl2-dev libepoxy-dev libx11-dev
  libpng-dev libjpeg-dev zlib1g-dev libminizip-dev
  libogg-dev libvorbis-dev vorbis-tools
  libfreetype-dev fonts-dejavu-core
  libgtest-dev libgmock-dev libbenchmark-dev
  xvfb xauth libgl1-mesa-dri xdotool x11-apps
  tesseract-ocr tesseract-ocr-eng
  unzip git ca-certificates
)
missing=()
for p in "${pkgs[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  SUDO=""
  [ "$(id -u)" -ne 0 ] && SUDO="sudo"
  export DEBIAN_FRONTEND=noninteractive
  $SUDO apt-get update -qq
  $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
