#!/usr/bin/env bash
# Installs what is missing, builds the game and its asset pack (nothing else), and starts it.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
bash script/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
# The game and its asset pack only; script/test.sh builds everything.
cmake --build build -j "$(nproc)" --target CSQ.exe asset_pack
cd build
exec ./CSQ.exe
