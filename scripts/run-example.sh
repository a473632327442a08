#!/usr/bin/env bash
# Builds the system and runs the main job on the shipped example drawing.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh release
# The stand-in host on the minimal example: selects the manifold, the pipes
# and the zones, prints what they hold and saves the drawing under out/.
mkdir -p out
build/release/platform/cadhost/cadhost --log out/minimal.log --out-dir out \
  examples/minimal.dxf examples/minimal-select.script
echo "saved out/minimal-selected.dxf; call log in out/minimal.log"
