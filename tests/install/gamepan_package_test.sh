#!/usr/bin/env bash
# The game panel as another project uses it: the build installed into a
# temporary prefix, the example of examples/panel-window configured and
# built against the installed package alone, then run in a real X window.
# Its button starts Tetris: the panel must show the well in the example's
# board colour with a piece of white-outlined blocks falling in it. The
# Designer plugin must lie in Qt's plugin layout under the prefix.
#
#   gamepan_package_test.sh BUILD_DIR SOURCE_DIR OUT_DIR QT_PLUGINS_SUBDIR
set -euo pipefail
[ $# -eq 4 ] || { echo "usage: $0 BUILD_DIR SOURCE_DIR OUT_DIR QT_PLUGINS_SUBDIR" >&2; exit 2; }
build=$1
top=$2
out=$3
plugins=$4

# shellcheck source=../support/window-session.sh
. "$top/tests/support/window-session.sh"
window_session_begin xdotool import convert cmake

prefix=$work/prefix
cmake --install "$build" --prefix "$prefix" >"$out/install.log" || fail "cmake --install failed"
[ -f "$prefix/$plugins/designer/libtolvane_designer.so" ] ||
    fail "no Designer plugin at $plugins/designer under the prefix"
for header in gamepan/gamepan.h gamepan/settings.h; do
    [ -f "$prefix/include/tolvane/$header" ] || fail "no installed header $header"
done

# Nothing of the source tree or the build: only the installed package.
example=$work/example
cmake -S "$top/examples/panel-window" -B "$example" -G Ninja -DCMAKE_PREFIX_PATH="$prefix" \
    >"$out/configure.log" 2>&1 || { cat "$out/configure.log" >&2; fail "the example did not configure"; }
cmake --build "$example" >"$out/build.log" 2>&1 || { tail -30 "$out/build.log" >&2; fail "the example did not build"; }
echo "example built against $prefix"

start_program "$example/panel-window"
wid=$(timeout 20 xdotool search --sync --onlyvisible --name '^Tolvane panel$' | head -1) ||
    fail "the example's window did not appear"
sleep 1
# The button lies below the panel, across the window's bottom.
read -r width height < <(xwininfo -id "$wid" | awk '/Width:/ {w = $2} /Height:/ {h = $2} END {print w, h}')
xdotool mousemove --window "$wid" $((width / 2)) $((height - 20)) click 1
sleep 1.5
import -window "$wid" "$out/tetris.png" || fail "no screenshot"

# Counted below the panel's title bar, whose caption is white too.
convert "$out/tetris.png" -crop "${width}x$((height - 100))+0+40" +repage "$work/well.png"
count() { convert "$work/well.png" -fill black +opaque "$1" -fill white -opaque "$1" \
    -format '%[fx:round(mean*w*h)]' info:; }
board=$(count 'rgb(0,0,128)')
white=$(count 'rgb(255,255,255)')
echo "after Start Tetris: $board pixels of the board colour, $white white"
[ "$board" -ge 20000 ] || fail "no Tetris board in the example's colour ($board pixels)"
[ "$white" -ge 40 ] || fail "no falling piece ($white white pixels)"
kill "$pid"
wait "$pid" 2>/dev/null || true
pid=
echo "screenshot in $out"
