#!/usr/bin/env bash
# Runs every test of a build folder headless. The tests that need a display,
# a window manager or a sound server start their own
# (scripts/xvfb-session.sh, scripts/openbox-session.sh, scripts/pulse-null.sh).
# Then the real program is used at random for about a minute in the
# sanitizer build (built here when BUILD_DIR is another), so that a fault
# shows as a report rather than by chance.
#
#   test.sh [BUILD_DIR]
set -euo pipefail
build_dir=${1:-build}
top=$(cd "$(dirname "$0")/.." && pwd)
export QT_QPA_PLATFORM=offscreen
ctest --test-dir "$build_dir" --output-on-failure --timeout 900 -j2 -E '^test_random_use$'

# The file readers under libFuzzer, built by clang in a preset of their own.
cmake --preset fuzz -S "$top" >/dev/null
cmake --build --preset fuzz
ctest --preset fuzz

sanitize_dir=$top/build-sanitize
if [ "$(cd "$build_dir" && pwd)" != "$sanitize_dir" ]; then
    cmake --preset sanitize -S "$top" >/dev/null
    cmake --build --preset sanitize --target tolvane x11numlock
fi
ctest --test-dir "$sanitize_dir" --output-on-failure -R '^test_random_use$'
