#!/usr/bin/env bash
# Builds the project three ways and runs the tests of each:
#   release (warnings are errors), ThreadSanitizer (threaded tests),
#   AddressSanitizer + UndefinedBehaviorSanitizer (all tests).
# Ends with CTest's summary line of each run.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
jobs=$(nproc)
mkdir -p build
summaries=()

run_ctest() { # run_ctest <kind> [ctest options...]
  local kind=$1; shift
  local log="build/ctest-$kind.log"
  local status=0
  ctest --test-dir "build/$kind" --output-on-failure -j "$jobs" "$@" 2>&1 | tee "$log" || status=$?
  summaries+=("$kind: $(grep -E 'tests passed|No tests were found' "$log" | tail -n 1)")
  return "$status"
}

scripts/build.sh release
run_ctest release

scripts/build.sh tsan hv_threaded_tests
TSAN_OPTIONS="halt_on_error=1 second_deadlock_stack=1" run_ctest tsan --no-tests=ignore

scripts/build.sh asan
ASAN_OPTIONS="detect_leaks=1:strict_string_checks=1" UBSAN_OPTIONS="print_stacktrace=1" run_ctest asan

printf '%s\n' "${summaries[@]}"
