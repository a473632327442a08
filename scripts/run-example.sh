#!/usr/bin/env bash
# The main job: builds what it needs (cadhost, the module and their
# libraries; scripts/test.sh builds everything) and runs cadhost on the
# minimal example drawing. The build's progress goes to a log under build/,
# shown only when the build fails.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
mkdir -p build out
log=build/run-example-build.log
echo "building cadhost and the module (log: $log)"
if ! scripts/build.sh release cadhost >"$log" 2>&1; then
  grep -v '^\[[0-9]*/[0-9]*\] ' "$log" >&2 || true
  echo "the build failed; its whole log is $log" >&2
  exit 1
fi
# examples/minimal.script: the selections the heating design command will
# ask for, their summary, and the drawing saved under out/.
status=0
build/release/platform/cadhost/cadhost --log out/minimal.log --out-dir out \
  examples/minimal.dxf examples/minimal.script || status=$?
echo "call log: out/minimal.log (exit code $status)"
exit "$status"
