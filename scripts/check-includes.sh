#!/usr/bin/env bash
# Fails on an include that goes against the direction of the libraries: each
# folder may include its own headers and those of the libraries below it,
# never one above it or beside it. The build refuses most such includes by
# itself (each library exposes only its own headers); this also catches one
# that a target happens to see through another path.
#
#   check-includes.sh [SOURCE_DIR]
set -euo pipefail
top=${1:-$(cd "$(dirname "$0")/.." && pwd)}
cd "$top"

# Library folder: the library folders it may include from (its own aside).
# Longer folders first, so that the longest matching folder names the library.
layers=(
  "gamepan/toolkit/platform:"
  "gamepan/toolkit/widgets:gamepan/toolkit/platform"
  "gamepan/toolkit/board:gamepan/toolkit/widgets gamepan/toolkit/platform"
  "games/scramble:gamepan/toolkit/board gamepan/toolkit/widgets gamepan/toolkit/platform"
  "games/tetris:gamepan/toolkit/board gamepan/toolkit/widgets gamepan/toolkit/platform"
  "games/arcanoid:gamepan/toolkit/board gamepan/toolkit/widgets gamepan/toolkit/platform"
  "games/figures:gamepan/toolkit/board gamepan/toolkit/widgets gamepan/toolkit/platform"
  "gamepan:games/scramble games/tetris games/arcanoid games/figures gamepan/toolkit/board gamepan/toolkit/widgets gamepan/toolkit/platform"
  "scores:gamepan/toolkit/widgets gamepan/toolkit/platform"
  "about:gamepan/toolkit/widgets gamepan/toolkit/platform"
  "designer:gamepan games/scramble games/tetris games/arcanoid games/figures gamepan/toolkit/board gamepan/toolkit/widgets gamepan/toolkit/platform"
  "app:gamepan games/scramble games/tetris games/arcanoid games/figures gamepan/toolkit/board gamepan/toolkit/widgets gamepan/toolkit/platform scores about"
)

# The library folder a path lies in, or nothing.
library_of() {
    local path=$1 best= entry folder
    for entry in "${layers[@]}"; do
        folder=${entry%%:*}
        if [[ $path == "$folder"/* && ${#folder} -gt ${#best} ]]; then best=$folder; fi
    done
    echo "$best"
}

allowed_from() {
    local entry
    for entry in "${layers[@]}"; do
        [ "${entry%%:*}" = "$1" ] && { echo "${entry#*:}"; return; }
    done
}

# The tree's sources: git's list in a checkout, else every file.
sources() {
    if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
        git ls-files -co --exclude-standard -- '*.h' '*.cpp'
    else
        find . -path ./build\* -prune -o \( -name '*.h' -o -name '*.cpp' \) -print | sed 's|^\./||'
    fi
}

wrong=0
checked=0
while IFS= read -r file; do
    own=$(library_of "$file")
    [ -n "$own" ] || continue
    allowed=" $(allowed_from "$own") "
    while IFS= read -r header; do
        # A header named without a folder lies beside the file.
        [[ $header == */* ]] || continue
        target=$(library_of "$header")
        [ -n "$target" ] && [ "$target" != "$own" ] || continue
        checked=$((checked + 1))
        if [[ $allowed != *" $target "* ]]; then
            echo "$file includes $header: $own may not depend on $target"
            wrong=$((wrong + 1))
        fi
    done < <(sed -n 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*"\([^"]*\)".*/\1/p' "$file")
done < <(sources)

echo "$checked includes across libraries checked, $wrong against their direction"
[ "$wrong" -eq 0 ]
