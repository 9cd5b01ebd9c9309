#!/usr/bin/env bash
# Builds every fuzzer with clang (libFuzzer + AddressSanitizer) in build-fuzz/
# and runs each for a bounded time (default 30 s, or $1): the archive reader,
# the sound and picture decoders, the save loader, whole save folders and
# damaged profile values through battles. CSQ_PACK_FROM names a build folder
# of the same sources whose pack to copy instead of packing again; CSQ_JOBS the
# parallel compile jobs.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
seconds=${1:-30}
archive="fuzz_zip_reader fuzz_vx_open_file"
media="fuzz_ogg_memory fuzz_png fuzz_jpeg fuzz_tga fuzz_wave fuzz_png_structure fuzz_jpeg_structure"
flags="-fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer"
# Line tables are what a sanitizer's report needs.
lines="-O2 -gline-tables-only -DNDEBUG"
CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_C_FLAGS_RELWITHDEBINFO="$lines" -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="$lines" \
  -DCSQ_FUZZ=ON -DCSQ_BUILD_TESTS=OFF -DCSQ_BUILD_BENCH=OFF -DCSQ_PACK_FROM="${CSQ_PACK_FROM:-}" \
  -DCMAKE_C_FLAGS="$flags" -DCMAKE_CXX_FLAGS="$flags" \
  -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined" >/dev/null
cmake --build build-fuzz -j "${CSQ_JOBS:-$(nproc)}" --target $archive $media fuzz_save_load fuzz_save_folder fuzz_profile_battle fuzz_seeds fuzz_media_seeds asset_pack

# Absolute: the battle fuzzer works in the build folder, where the pack is.
corpus=$root/build-fuzz/corpus
mkdir -p "$corpus"
# The generated pack's pictures and sounds seed the decoders.
build-fuzz/tools/media_fuzz/fuzz_media_seeds "$corpus" build-fuzz/DATA
run() {
  local bin=$1 max_len=$2 dir=$corpus/$(basename "$1")
  mkdir -p "$dir"
  echo "== $(basename "$bin") for ${seconds}s"
  ASAN_OPTIONS=detect_leaks=1 LSAN_OPTIONS=suppressions=$root/tools/media_fuzz/lsan.supp \
    UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
    "$bin" -max_total_time="$seconds" -max_len="$max_len" -rss_limit_mb=2048 \
    -print_final_stats=1 "$dir" 2>&1 | tail -3
  return "${PIPESTATUS[0]}"
}
for t in $archive; do
  mkdir -p "$corpus/$t"
  build-fuzz/tools/archive_fuzz/fuzz_seeds "$corpus/$t"
  run "build-fuzz/tools/archive_fuzz/$t" 65536
done
for t in $media; do run "build-fuzz/tools/media_fuzz/$t" 262144; done
run build-fuzz/tools/save_fuzz/fuzz_save_load 8192
run build-fuzz/tools/save_fuzz/fuzz_save_folder 16
run build-fuzz/tools/save_fuzz/fuzz_profile_battle 8
