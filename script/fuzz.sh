#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (AddressSanitizer on) and runs each
# for a bounded time: script/fuzz.sh [seconds per target, default 30].
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
seconds=${1:-30}
dir=build-fuzz
CC=clang CXX=clang++ cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCSQ_FUZZ=ON -DCSQ_BUILD_TESTS=OFF -DCSQ_BUILD_BENCH=OFF \
  -DCMAKE_C_FLAGS="-fsanitize=fuzzer-no-link,address" \
  -DCMAKE_CXX_FLAGS="-fsanitize=fuzzer-no-link,address" \
  -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address" >/dev/null
targets=$(find tools/fuzz -name 'fuzz_*.cpp' -exec basename {} .cpp \; | sort)
cmake --build "$dir" -j "$(nproc)" --target $targets
for t in $targets; do
  echo "== $t (${seconds}s)"
  corpus="$dir/corpus/$t"
  mkdir -p "$corpus"
  "$dir/tools/fuzz/$t" -max_total_time="$seconds" -rss_limit_mb=2048 -print_final_stats=1 "$corpus" 2>&1 | tail -3
done
