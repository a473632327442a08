#!/usr/bin/env bash
# Builds the project three ways and runs the tests of each:
#   release (warnings are errors), ThreadSanitizer (threaded tests),
#   AddressSanitizer + UndefinedBehaviorSanitizer (all tests).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
jobs=$(nproc)

scripts/build.sh release
ctest --test-dir build/release --output-on-failure -j "$jobs"

scripts/build.sh tsan hv_threaded_tests
TSAN_OPTIONS="halt_on_error=1 second_deadlock_stack=1" \
  ctest --test-dir build/tsan --output-on-failure -j "$jobs" --no-tests=ignore

scripts/build.sh asan
ASAN_OPTIONS="detect_leaks=1:strict_string_checks=1" UBSAN_OPTIONS="print_stacktrace=1" \
  ctest --test-dir build/asan --output-on-failure -j "$jobs"
