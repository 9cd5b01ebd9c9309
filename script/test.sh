#!/usr/bin/env bash
# Installs what is missing, checks the layout with clang-format, then builds and
# runs every test: a normal build, one under AddressSanitizer +
# UndefinedBehaviorSanitizer, the fuzzers, and the worker-thread tests under
# ThreadSanitizer. Each step prints the CPU time it took (user + sys of
# everything it started), and the run ends with a table of them.
# CSQ_JOBS sets the parallel jobs (default: every core).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
jobs=${CSQ_JOBS:-$(nproc)}

# step NAME COMMAND...: runs COMMAND and notes its CPU seconds and wall time.
# The shell's own `times` counts every child it has waited for, so this needs
# no package of its own.
times_file=$(mktemp)
summary=()
children_cpu() {
  times >"$times_file"
  cpu_now=$(awk 'NR == 2 { t = 0; for (i = 1; i <= 2; i++) { split($i, a, "m"); t += a[1] * 60 + a[2] }
                 printf "%.1f", t }' "$times_file")
}
step() {
  local name=$1 before started
  shift
  echo "== $name"
  children_cpu
  before=$cpu_now started=$SECONDS
  "$@"
  children_cpu
  summary+=("$(awk -v n="$name" -v c="$cpu_now" -v b="$before" -v w=$((SECONDS - started)) \
    'BEGIN { printf "%-46s %7.1f CPU-min %6.1f min wall", n, (c - b) / 60, w / 60 }')")
  echo "== $name: ${summary[-1]#"$name"}"
}
xvfb_pid=""
# Whether the display server still runs as this shell's child. The shell
# reaps its children itself and lists as running only those it has not
# reaped; until then no other process can be given the server's number, so
# the number still names our server. A server that died long before is not
# signalled: its number may be another process's by then.
server_running() {
  [ -n "$xvfb_pid" ] && jobs -rp | grep -x "$xvfb_pid" >/dev/null
}
report() {
  local status=$?
  if server_running && [ -r "/proc/$xvfb_pid/stat" ]; then
    # The display server is no child the shell waits for: read its own count.
    summary+=("$(awk -v t="$(getconf CLK_TCK)" \
      '{ printf "%-46s %7.1f CPU-min", "Xvfb (the display server)", ($14 + $15) / t / 60 }' \
      "/proc/$xvfb_pid/stat")")
  fi
  ! server_running || kill "$xvfb_pid" 2>/dev/null || true
  children_cpu
  summary+=("$(awk -v c="$cpu_now" -v w=$SECONDS \
    'BEGIN { printf "%-46s %7.1f CPU-min %6.1f min wall", "whole run (without Xvfb)", c / 60, w / 60 }')")
  echo "== CPU time by step ($jobs jobs)"
  printf '%s\n' "${summary[@]}"
  rm -f "$times_file"
  exit $status
}
trap report EXIT

step "install" bash script/install-deps.sh

# Layout first: a file clang-format would change fails the run before any build.
step "format" bash script/check-format.sh

# GL tests need a display; start one Xvfb for the whole run on the first free
# display number, and make sure it answers before any test counts on it. It
# never resets (-noreset): by default it resets whenever its last client
# leaves, and drops a connection being made as it does, which is the next
# test's as one ends.
start_display() {
  local attempt number_file log
  number_file=$(mktemp) log=$(mktemp)
  for attempt in 1 2 3 4; do
    # The server writes its number once it listens.
    Xvfb -displayfd 3 -screen 0 1920x1200x24 -nolisten tcp -r -noreset 3>"$number_file" >"$log" 2>&1 &
    xvfb_pid=$!
    for _ in $(seq 1 100); do
      [ "$(wc -l <"$number_file")" -ge 1 ] && break
      server_running || break
      sleep 0.1
    done
    if [ -s "$number_file" ] && DISPLAY=":$(head -1 "$number_file")" xdotool getdisplaygeometry >/dev/null 2>&1; then
      DISPLAY=":$(head -1 "$number_file")"
      rm -f "$number_file" "$log"
      return 0
    fi
    echo "Xvfb start $attempt failed: $(tail -1 "$log")" >&2
    ! server_running || kill "$xvfb_pid" 2>/dev/null || true
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

# What the tests run besides their own binaries: the game, its pack, the stage
# runner, the screen tour and the packer. Benchmarks and hand-run tools are left out.
run_targets="CSQ.exe asset_pack assetpack stagerun screentour csq_tests csq_gl_tests"

# build DIR TARGETS [CMAKE ARGS...]
build() {
  local dir=$1 targets=$2
  shift 2
  cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
  # shellcheck disable=SC2086
  cmake --build "$dir" -j "$jobs" --target $targets
}

# unit DIR [GTEST ARGS...]: csq_tests as one process a core (gtest's shards), so
# that a test that depends on what an earlier one left behind fails here. A
# failing shard fails the run and shows its whole output.
unit() {
  local dir=$1 logs i failed=0 pids=()
  shift
  logs=$(mktemp -d)
  for ((i = 0; i < jobs; i++)); do
    (cd "$dir/tests" && GTEST_TOTAL_SHARDS=$jobs GTEST_SHARD_INDEX=$i exec timeout 2400 ./csq_tests "$@") \
      >"$logs/$i" 2>&1 &
    pids+=($!)
  done
  for ((i = 0; i < jobs; i++)); do
    if wait "${pids[$i]}"; then
      echo "shard $i: $(grep -E '^\[  PASSED  \]' "$logs/$i")"
    else
      failed=1
      echo "---- shard $i of $jobs failed (GTEST_TOTAL_SHARDS=$jobs GTEST_SHARD_INDEX=$i $dir/tests/csq_tests $*):"
      cat "$logs/$i"
      echo "---- end of shard $i"
    fi
  done
  rm -rf "$logs"
  return $failed
}

# others DIR LABELS: CTest's tests but those whose label matches LABELS (always
# at least unit, csq_tests, run above): the layer checks, the window tests one
# at a time, the campaign soak. One -LE only: a second one replaces the first.
others() {
  ctest --test-dir "$1" -j "$jobs" --output-on-failure --timeout 300 -LE "$2"
}

# Line tables are all the debug information a failure here needs; full
# information costs up to twice the compile. The test sources build at -O0
# without debug information (gtest names the file and line of a failure
# itself): their bodies cost far more to optimise than they run, and the code
# they test keeps its flags. The window tests, which compare screens against
# a running game's clock, build at -O1.
lines="-O2 -g1 -DNDEBUG"
tests_cheap="-DCSQ_TEST_FLAGS=-O0;-g0"
windows_cheap="-DCSQ_WINDOW_TEST_FLAGS=-O1;-g0"
step "normal build" build build "$run_targets csq_soak_tests" -DCSQ_PACK_FROM= "$tests_cheap" "$windows_cheap" \
  -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="$lines" -DCMAKE_C_FLAGS_RELWITHDEBINFO="$lines"
step "normal: csq_tests whole, in its own order" unit build
step "normal: ctest (window tests, soak, checks)" others build '^unit$'

# Sanitizer trees: -O1 and line tables only, which is what the sanitizers'
# reports need; -O2 costs more to build than it saves in the runs, and full
# debug information more than doubles the compile. The test sources, as
# above, build instrumented at -O0 without debug information (a report still
# names their functions): instrumenting their macro-heavy bodies at -O1 cost
# three times their plain compile. The trees copy the normal build's pack
# rather than pack it again.
cheap="-O1 -g1 -DNDEBUG"
seed=$(((RANDOM * 32768 + RANDOM) % 99999 + 1))
# The sanitizer runtime misreads the dynamic thread-local blocks of the GL
# driver it loads: the leak checker then scans a wild range and dies ("Tracer
# caught signal 11"), nearly always on a loaded machine. Not following those
# blocks keeps every other root, and the check, as it was.
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:intercept_tls_get_addr=0 UBSAN_OPTIONS=print_stacktrace=1
step "sanitizer build" build build-asan "$run_targets" -DCSQ_SANITIZE=ON -DCSQ_BUILD_BENCH=OFF -DCSQ_SOAK=OFF \
  "$tests_cheap" "$windows_cheap" -DCSQ_PACK_FROM="$root/build" \
  -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="$cheap" -DCMAKE_C_FLAGS_RELWITHDEBINFO="$cheap"
echo "csq_tests shuffled with seed $seed"
step "sanitizer: csq_tests whole, shuffled (seed $seed)" unit build-asan --gtest_shuffle --gtest_random_seed="$seed"
# The soak and the checks of the sources are left out: the normal build runs them.
step "sanitizer: ctest (window tests)" others build-asan '^(unit|soak|sources)$'
unset ASAN_OPTIONS UBSAN_OPTIONS

step "fuzzers (build, then each for ${CSQ_FUZZ_SECONDS:-20} s)" \
  env CSQ_PACK_FROM="$root/build" bash script/fuzz.sh "${CSQ_FUZZ_SECONDS:-20}"

# Only the worker-thread suites run under ThreadSanitizer; their binary holds
# just the two files they live in.
step "thread sanitizer build" build build-tsan csq_thread_tests -DCSQ_TSAN=ON -DCSQ_BUILD_BENCH=OFF \
  "$tests_cheap" -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="$cheap" -DCMAKE_C_FLAGS_RELWITHDEBINFO="$cheap"
threads() {
  (cd build-tsan/tests && TSAN_OPTIONS=halt_on_error=1 exec timeout 600 ./csq_thread_tests \
    --gtest_filter='SwitchThread.*:StageLoader.*:SwitchPage.*:Tick.*:AppResources.*')
}
step "thread sanitizer: worker-thread tests" threads
