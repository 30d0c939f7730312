#!/usr/bin/env bash
# Starts Tolvane in a folder that holds its background pictures (run/ at the
# top of the checkout). The score tables live in the per-user data folder,
# $XDG_DATA_HOME/Tolvane (~/.local/share/Tolvane when that is not set).
set -euo pipefail
build_dir=${1:-build}
top=$(cd "$(dirname "$0")/.." && pwd)
run_dir="$top/run"
mkdir -p "$run_dir"
cp "$top"/resources/pictures/backgr*.bmp "$run_dir"/
cd "$run_dir"
exec "$top/$build_dir/app/tolvane"
