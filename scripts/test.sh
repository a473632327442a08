#!/usr/bin/env bash
# Builds the project three ways and runs the tests of each:
#   release (warnings are errors), ThreadSanitizer (threaded tests),
#   AddressSanitizer + UndefinedBehaviorSanitizer (all tests).
# Ends with CTest's summary line of each run. The tests make their files in
# a temporary folder of this run's own; when every run is over it must be
# empty (tests remove what they made when they pass), else the script fails
# naming what was left.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
jobs=$(nproc)
mkdir -p build
summaries=()
test_tmp="$PWD/build/test-tmp"
rm -rf "$test_tmp"
mkdir -p "$test_tmp"

run_ctest() { # run_ctest <kind> [ctest options...]
  local kind=$1; shift
  local log="build/ctest-$kind.log"
  local status=0
  TMPDIR="$test_tmp" ctest --test-dir "build/$kind" --output-on-failure -j "$jobs" "$@" 2>&1 | tee "$log" || status=$?
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
left=$(find "$test_tmp" -mindepth 1 -maxdepth 1 | sort)
if [[ -n "$left" ]]; then
  echo "the tests left these behind in $test_tmp:" >&2
  echo "$left" >&2
  exit 1
fi
rmdir "$test_tmp"
