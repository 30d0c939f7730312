#!/usr/bin/env bash
# Runs every test of a build folder headless. The tests that need a display
# or a sound server start their own (scripts/xvfb-session.sh, scripts/pulse-null.sh).
set -euo pipefail
build_dir=${1:-build}
export QT_QPA_PLATFORM=offscreen
ctest --test-dir "$build_dir" --output-on-failure --timeout 600 -j2
