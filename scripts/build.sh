#!/usr/bin/env bash
# build.sh <kind> [targets...]: configures and builds build/<kind>.
#   release  optimised with debug info, warnings are errors
#   asan     AddressSanitizer + UndefinedBehaviorSanitizer, unoptimised: it
#            compiles in well under two thirds of the time -O1 takes, and the
#            tests it runs are short
#   tsan     ThreadSanitizer, threaded tests only
set -euo pipefail
cd "$(dirname "$0")/.."
kind=${1:-release}; shift || true
case $kind in
  release) opts=(-DCMAKE_BUILD_TYPE=RelWithDebInfo -DHV_WERROR=ON) ;;
  asan)    opts=(-DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS=-O0 -DHV_SANITIZE=address,undefined -DHV_BUILD_BENCH=OFF) ;;
  tsan)    opts=(-DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS=-O1 -DHV_SANITIZE=thread -DHV_BUILD_BENCH=OFF) ;;
  *) echo "unknown build kind: $kind (release, asan or tsan)" >&2; exit 2 ;;
esac
cmake -S . -B "build/$kind" -G Ninja "${opts[@]}" >/dev/null
if (($#)); then
  cmake --build "build/$kind" --target "$@"
else
  cmake --build "build/$kind"
fi
