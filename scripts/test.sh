#!/usr/bin/env bash
# Runs every test: core and command-line tests directly, GUI tests under Xvfb.
set -euo pipefail
build=$1
cd "$build"
jobs=$(nproc)
ctest --output-on-failure -j "$jobs" -LE gui
if ctest -N -L gui | grep -q 'Total Tests: [1-9]'; then
  xvfb-run -a -s '-screen 0 1280x1024x24' ctest --output-on-failure -L gui
fi
