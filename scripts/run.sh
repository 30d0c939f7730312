#!/usr/bin/env bash
# Starts Tolvane in a folder that holds its pictures and score files.
set -euo pipefail
build_dir=${1:-build}
top=$(cd "$(dirname "$0")/.." && pwd)
run_dir="$top/run"
mkdir -p "$run_dir"
if [ -d "$top/$build_dir/pictures" ]; then
  cp -n "$top/$build_dir"/pictures/*.bmp "$run_dir"/ 2>/dev/null || true
fi
cd "$run_dir"
exec "$top/$build_dir/app/tolvane"
