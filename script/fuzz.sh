#!/usr/bin/env bash
# Builds every fuzzer with clang (libFuzzer + AddressSanitizer) in build-fuzz/
# and runs each for a bounded time (default 30 s, or $1): the archive reader,
# the sound and picture decoders, the save loader, whole save folders and
# damaged profile values through battles. CSQ_PACK_FROM names a build folder
# of the same sources whose pack to copy instead of packing again; CSQ_JOBS the
# parallel compile jobs and how many fuzzers run at once.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
seconds=${1:-30}
archive="fuzz_zip_reader fuzz_vx_open_file"
media="fuzz_ogg_memory fuzz_png fuzz_jpeg fuzz_tga fuzz_wave fuzz_png_structure fuzz_jpeg_structure"
flags="-fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer"
# Line tables are what a sanitizer's report needs; -O1, as in the sanitizer
# trees: it builds for less than -O2, and the fuzzers run only seconds.
lines="-O1 -gline-tables-only -DNDEBUG"
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
# Each fuzzer runs alone on its corpus for the same time; as many run side by
# side as there are jobs, and their last lines come out in the list's order.
jobs=${CSQ_JOBS:-$(nproc)}
fuzzers=()
for t in $archive; do
  mkdir -p "$corpus/$t"
  build-fuzz/tools/archive_fuzz/fuzz_seeds "$corpus/$t"
  fuzzers+=("build-fuzz/tools/archive_fuzz/$t 65536")
done
for t in $media; do fuzzers+=("build-fuzz/tools/media_fuzz/$t 262144"); done
fuzzers+=("build-fuzz/tools/save_fuzz/fuzz_save_load 8192" "build-fuzz/tools/save_fuzz/fuzz_save_folder 16"
  "build-fuzz/tools/save_fuzz/fuzz_profile_battle 8")
logs=$(mktemp -d)
trap 'rm -rf "$logs"' EXIT
run() {
  local bin=$1 max_len=$2 dir=$corpus/$(basename "$1")
  mkdir -p "$dir"
  ASAN_OPTIONS=detect_leaks=1 LSAN_OPTIONS=suppressions=$root/tools/media_fuzz/lsan.supp \
    UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
    "$bin" -max_total_time="$seconds" -max_len="$max_len" -rss_limit_mb=2048 \
    -print_final_stats=1 "$dir"
}
for i in "${!fuzzers[@]}"; do
  while [ "$(jobs -pr | wc -l)" -ge "$jobs" ]; do wait -n || true; done
  # shellcheck disable=SC2086
  (
    status=0
    run ${fuzzers[$i]} >"$logs/$i" 2>&1 || status=$?
    echo "$status" >"$logs/$i.status"
  ) &
done
wait
failed=0
for i in "${!fuzzers[@]}"; do
  read -r bin _ <<<"${fuzzers[$i]}"
  status=$(cat "$logs/$i.status" 2>/dev/null || echo "no status")
  echo "== $(basename "$bin") for ${seconds}s"
  tail -3 "$logs/$i"
  if [ "$status" != 0 ]; then
    failed=1
    echo "---- $(basename "$bin") failed ($status):"
    cat "$logs/$i"
  fi
done
exit $failed
