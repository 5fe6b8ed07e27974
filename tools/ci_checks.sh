#!/usr/bin/env bash
# The CI stages that follow the normal build and test run (tools/test.sh):
#   1. sanitizers: a clang build with AddressSanitizer and UndefinedBehaviorSanitizer
#      (build-asan/) runs the whole test suite, the soak (tests/replay/soak_test.cpp)
#      playing 2,000 shots;
#   2. fuzzing: the libFuzzer targets (build-fuzz/) each run for a bounded time;
#   3. determinism: the long random match, replayed by the driver built with
#      g++ -O0 (build-o0/), g++ -O2 (the main build, build/) and clang++ -O2
#      (build-clang/), prints the committed golden state and pixels lines byte for byte;
#   4. arm64: the driver cross-built for aarch64 (build-arm64/) plays every golden
#      replay under qemu-user to the same bytes as the main build's driver.
# Each stage ends with a one-line verdict; the script fails if any stage does.
set -euo pipefail
cd "$(dirname "$0")/.."
export QT_QPA_PLATFORM=offscreen

SOAK_SHOTS=2000
FUZZ_SECONDS=60
MATCH_SCRIPT=tests/replay/long_random_match.script
MATCH_GOLDEN=tests/replay/long_random_match.out

# Any sanitizer report stops the program with an error (the build asks UBSan
# not to recover), leaks included, but those of a library we cannot mend.
export ASAN_OPTIONS=detect_leaks=1
export LSAN_OPTIONS=suppressions=$PWD/tools/lsan.supp
export UBSAN_OPTIONS=print_stacktrace=1

# configure BUILD_DIR COMPILER BUILD_TYPE [cmake options...]
configure() {
  local dir=$1 compiler=$2 type=$3
  shift 3
  cmake -S . -B "$dir" -G Ninja -DCMAKE_CXX_COMPILER="$compiler" -DCMAKE_BUILD_TYPE="$type" \
    -DCORVENNE_BENCHMARKS=OFF -DCORVENNE_WERROR=ON "$@" >/dev/null
}

sanitizers() {
  configure build-asan clang++ RelWithDebInfo -DCORVENNE_SANITIZE=ON
  cmake --build build-asan
  CORVENNE_SOAK_SHOTS=$SOAK_SHOTS ctest --test-dir build-asan --output-on-failure -j2
}

# Every fuzzer at once, sharing the cores. New findings go to
# build-fuzz/corpus/, the committed seeds in fuzz/corpus/ stay as they are.
FUZZ_TARGETS=(table_picture script match_file protocol session journal)
fuzzing() {
  configure build-fuzz clang++ RelWithDebInfo -DCORVENNE_SANITIZE=ON -DCORVENNE_FUZZ=ON
  cmake --build build-fuzz --target fuzz_table_picture fuzz_script fuzz_match_file fuzz_protocol fuzz_session fuzz_journal
  local target pids=() failed=0
  for target in "${FUZZ_TARGETS[@]}"; do
    mkdir -p "build-fuzz/corpus/$target"
    "build-fuzz/fuzz/fuzz_$target" -max_total_time="$FUZZ_SECONDS" -timeout=10 -rss_limit_mb=2048 \
      -artifact_prefix="build-fuzz/fuzz_$target-" "build-fuzz/corpus/$target" "fuzz/corpus/$target" \
      >"build-fuzz/fuzz_$target.log" 2>&1 &
    pids+=($!)
  done
  for target in "${FUZZ_TARGETS[@]}"; do
    if ! wait "${pids[0]}"; then
      failed=1
      echo "fuzz_$target found a fault:"
      tail -n 40 "build-fuzz/fuzz_$target.log"
    fi
    tail -n 1 "build-fuzz/fuzz_$target.log"
    pids=("${pids[@]:1}")
  done
  return "$failed"
}

# replay BUILD_DIR: the match's state and pixels lines, from the folder that holds the table picture.
replay() {
  (cd "$1/app" && ./corvenne-replay) <"$MATCH_SCRIPT"
}

determinism() {
  [ -d build ] || { echo "the main build (build/) is missing: run tools/test.sh"; return 1; }
  configure build-o0 g++ Debug -DCMAKE_CXX_FLAGS_DEBUG="-O0 -g"
  configure build-clang clang++ RelWithDebInfo
  local dir failed=0
  for dir in build build-o0 build-clang; do
    cmake --build "$dir" --target corvenne-replay
    if replay "$dir" | cmp - "$MATCH_GOLDEN"; then
      echo "$dir: the long match replays to the golden lines"
    else
      echo "$dir: the long match does NOT replay to the golden lines"
      failed=1
    fi
  done
  return "$failed"
}

arm64() { tools/arm64_replays.sh; }

failures=0
verdicts=()
# run_stage NAME DESCRIPTION: runs the stage function NAME, stopping it at its first error.
run_stage() {
  local started=$SECONDS status
  echo "=== $1: $2"
  set +e
  (set -e; "$1")
  status=$?
  set -e
  local verdict="$1: $([ "$status" -eq 0 ] && echo PASS || echo FAIL) ($2, $((SECONDS - started)) s)"
  echo "=== $verdict"
  verdicts+=("$verdict")
  [ "$status" -eq 0 ] || failures=$((failures + 1))
}

run_stage sanitizers "ASan+UBSan: the whole test suite and a $SOAK_SHOTS-shot soak"
run_stage fuzzing "libFuzzer: the table picture, the match script, the match files, the network protocol and its sessions, the host's journal, ${FUZZ_SECONDS} s each"
run_stage determinism "the long match with g++ -O0, g++ -O2 and clang++ -O2 against its golden"
run_stage arm64 "every golden replay by the aarch64 driver under qemu-user against the x86-64 one"

printf '%s\n' "${verdicts[@]}"
[ "$failures" -eq 0 ]
