#!/usr/bin/env bash
# Starts Tolvane in a folder that holds its background pictures; its score
# files are written there too.
set -euo pipefail
build_dir=${1:-build}
top=$(cd "$(dirname "$0")/.." && pwd)
run_dir="$top/run"
mkdir -p "$run_dir"
cp "$top"/resources/pictures/backgr*.bmp "$run_dir"/
cd "$run_dir"
exec "$top/$build_dir/app/tolvane"
