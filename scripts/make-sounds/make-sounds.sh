#!/usr/bin/env bash
# Rebuilds resources/sounds/*.wav from make_sounds.cpp.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
bin=$(mktemp -d)
trap 'rm -rf "$bin"' EXIT
g++ -std=c++20 -O2 -Wall -Wextra -Wpedantic -o "$bin/make_sounds" "$here/make_sounds.cpp"
mkdir -p "$root/resources/sounds"
"$bin/make_sounds" "$root/resources/sounds"
