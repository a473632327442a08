#!/usr/bin/env bash
# The main job: builds what it needs (cadhost, the module and their
# libraries; scripts/test.sh builds everything), runs the heating design on
# the minimal example drawing through cadhost and checks the drawn design,
# then edits that design with the edit command and checks the edited one.
# The build's output goes to a log under build/, shown only when the build
# fails; meanwhile one line shows the build tool's step counter (rewritten in
# place on a terminal, else a percentage every tenth of the steps).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
mkdir -p build out
log=build/run-example-build.log

# Copies the build's output to the log and shows its progress.
show_progress() {
  local line tenths=-1 step total percent
  while IFS= read -r line; do
    printf '%s\n' "$line" >>"$log"
    [[ $line =~ ^\[([0-9]+)/([0-9]+)\]\  ]] || continue
    step=${BASH_REMATCH[1]} total=${BASH_REMATCH[2]}
    percent=$((100 * step / total))
    if [ -t 1 ]; then
      printf '\r  step %d of %d (%d%%)   ' "$step" "$total" "$percent"
    elif ((percent / 10 > tenths)); then
      tenths=$((percent / 10))
      printf '  %d%%' "$percent"
    fi
  done
  echo
}

echo "building cadhost and the module (log: $log)"
: >"$log"
if ! scripts/build.sh release cadhost 2>&1 | show_progress; then
  grep -v '^\[[0-9]*/[0-9]*\] ' "$log" >&2 || true
  echo "the build failed; its whole log is $log" >&2
  exit 1
fi
# examples/minimal.script: the heating design command on the minimal
# drawing with the example host folder; the designed drawing is saved as
# out/minimal-design.dxf and checked with ezdxf.
status=0
build/release/platform/cadhost/cadhost --host-dir examples/host --log out/minimal.log --out-dir out \
  examples/minimal.dxf examples/minimal.script || status=$?
echo "call log: out/minimal.log (exit code $status)"
if [ "$status" = 0 ]; then
  /usr/bin/python3 tests/heating/design/design_dxf_check.py out/minimal-design.dxf --input examples/minimal.dxf ||
    status=$?
fi
[ "$status" = 0 ] || exit "$status"
# examples/minimal-edit.script: the edit command on the design just drawn
# (zone 1's pipe spacing set to 0.1 m), saved as out/minimal-edited.dxf and
# checked as an edited design.
build/release/platform/cadhost/cadhost --host-dir examples/host --log out/minimal-edit.log --out-dir out \
  out/minimal-design.dxf examples/minimal-edit.script || status=$?
echo "call log: out/minimal-edit.log (exit code $status)"
if [ "$status" = 0 ]; then
  /usr/bin/python3 tests/heating/design/design_dxf_check.py out/minimal-edited.dxf --input out/minimal-design.dxf \
    --edited || status=$?
fi
exit "$status"
