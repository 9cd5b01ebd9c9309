#!/usr/bin/env bash
# Installs what is missing, checks the layout with clang-format, then builds and
# runs every test twice: a normal build and one under AddressSanitizer +
# UndefinedBehaviorSanitizer.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
bash script/install-deps.sh
jobs=$(nproc)

# Layout first: a file clang-format would change fails the run before any build.
echo "== format"
bash script/check-format.sh

# GL tests need a display; start one Xvfb for the whole run on the first free
# display number, and make sure it answers before any test counts on it.
xvfb_pid=""
trap '[ -n "$xvfb_pid" ] && kill $xvfb_pid 2>/dev/null || true' EXIT
start_display() {
  local attempt number_file log
  number_file=$(mktemp) log=$(mktemp)
  for attempt in 1 2 3 4; do
    # The server writes its number once it listens.
    Xvfb -displayfd 3 -screen 0 1920x1200x24 -nolisten tcp 3>"$number_file" >"$log" 2>&1 &
    xvfb_pid=$!
    for _ in $(seq 1 100); do
      [ "$(wc -l <"$number_file")" -ge 1 ] && break
      kill -0 "$xvfb_pid" 2>/dev/null || break
      sleep 0.1
    done
    if [ -s "$number_file" ] && DISPLAY=":$(head -1 "$number_file")" xdotool getdisplaygeometry >/dev/null 2>&1; then
      DISPLAY=":$(head -1 "$number_file")"
      rm -f "$number_file" "$log"
      return 0
    fi
    echo "Xvfb start $attempt failed: $(tail -1 "$log")" >&2
    kill "$xvfb_pid" 2>/dev/null || true
    xvfb_pid=""
    : >"$number_file"
    sleep "$attempt"
  done
  rm -f "$number_file" "$log"
  return 1
}
start_display || { echo "no X display for the window tests" >&2; exit 1; }
export DISPLAY
export SDL_AUDIODRIVER=dummy
# Mesa's shader cache writes from a thread that ends during exit, while the leak
# checker stops the world: a run under the sanitizer can then die in the checker.
export MESA_SHADER_CACHE_DISABLE=true

# run_suite DIR "CTEST ARGS" [CMAKE ARGS...]
run_suite() {
  local dir=$1 select=$2; shift 2
  cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
  cmake --build "$dir" -j "$jobs"
  # shellcheck disable=SC2086
  ctest --test-dir "$dir" -j "$jobs" --output-on-failure --timeout 300 $select
}

echo "== normal build (with the campaign soak, label soak)"
run_suite build ""
echo "== sanitizer build (the soak left out: the normal build plays it)"
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1 \
  run_suite build-asan "-LE soak" -DCSQ_SANITIZE=ON -DCSQ_BUILD_BENCH=OFF

echo "== fuzzers (bounded)"
bash script/fuzz.sh "${CSQ_FUZZ_SECONDS:-20}"

echo "== thread sanitizer build (worker-thread tests)"
cmake -S . -B build-tsan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCSQ_TSAN=ON -DCSQ_BUILD_BENCH=OFF >/dev/null
cmake --build build-tsan -j "$jobs" --target csq_tests
TSAN_OPTIONS=halt_on_error=1 ctest --test-dir build-tsan -j "$jobs" --output-on-failure --timeout 300 \
  -R '^(SwitchThread|StageLoader|SwitchPage|Tick|AppResources)\.'
