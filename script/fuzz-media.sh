#!/usr/bin/env bash
# Builds the sound and picture decoder fuzzers with clang (libFuzzer +
# AddressSanitizer) in build-fuzz/ and runs each for a bounded time (default 30 s, or $1).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
seconds=${1:-30}
targets="fuzz_ogg_memory fuzz_png fuzz_jpeg fuzz_tga fuzz_wave"
flags="-fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer -g"
CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCSQ_FUZZ=ON -DCSQ_BUILD_TESTS=OFF -DCSQ_BUILD_BENCH=OFF \
  -DCMAKE_C_FLAGS="$flags" -DCMAKE_CXX_FLAGS="$flags" \
  -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined" >/dev/null
cmake --build build-fuzz -j "$(nproc)" --target $targets fuzz_media_seeds
build-fuzz/tools/media_fuzz/fuzz_media_seeds build-fuzz/corpus
for t in $targets; do
  corpus=build-fuzz/corpus/$t
  mkdir -p "$corpus"
  echo "== $t for ${seconds}s"
  ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
    "build-fuzz/tools/media_fuzz/$t" -max_total_time="$seconds" -max_len=262144 -rss_limit_mb=2048 \
    -print_final_stats=1 "$corpus" 2>&1 | tail -4
done
