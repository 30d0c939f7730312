#!/usr/bin/env bash
# Rebuilds resources/pictures/backgr1.bmp .. backgr5.bmp from make_pictures.cpp.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
out=$here/../../resources/pictures
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
c++ -std=c++20 -O2 -Wall -Wextra -Wpedantic -o "$tmp/make_pictures" "$here/make_pictures.cpp"
mkdir -p "$out"
"$tmp/make_pictures" "$out"
