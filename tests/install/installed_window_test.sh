#!/usr/bin/env bash
# Starts an installed Tolvane in a real X window (a private Xvfb) from an
# empty folder, so the background pictures can only come from the installed
# data folder (<folder of the binary>/../share/tolvane). Checks that the
# window shows backgr1.bmp tiled in its margins, not the bare navy window
# colour, then closes the program through its question and wants status 0.
#
#   installed_window_test.sh TOLVANE SOURCE_DIR OUT_DIR
set -euo pipefail
[ $# -eq 3 ] || { echo "usage: $0 TOLVANE SOURCE_DIR OUT_DIR" >&2; exit 2; }
tolvane=$1
top=$2
out=$3

for tool in xdotool import convert compare; do
    command -v "$tool" >/dev/null || { echo "$tool is not installed (scripts/setup.sh)" >&2; exit 1; }
done
[ -x "$tolvane" ] || { echo "FAIL: no installed program $tolvane" >&2; exit 1; }

rm -rf "$out"
mkdir -p "$out"
work=$(mktemp -d)
mkdir -p "$work/x" "$work/run" "$work/data" "$work/no-data-dirs"
pid=
cleanup() {
    if [ -n "$pid" ] && kill -0 "$pid" 2>/dev/null; then kill "$pid" 2>/dev/null || true; fi
    "$top/scripts/xvfb-session.sh" stop "$work/x" || true
    rm -rf "$work"
}
trap cleanup EXIT

fail() {
    echo "FAIL: $*" >&2
    [ -f "$out/tolvane.log" ] && { echo "--- program output:" >&2; cat "$out/tolvane.log" >&2; }
    exit 1
}

display=$("$top/scripts/xvfb-session.sh" start "$work/x") || fail "Xvfb did not start"
export "$display"
export QT_QPA_PLATFORM=xcb
export LSAN_OPTIONS="${LSAN_OPTIONS:+$LSAN_OPTIONS:}suppressions=$top/tests/app/lsan-system.supp"
# No sound server; score tables in a folder of the test's own; no data
# folders of the system, so a copy installed there cannot stand in.
export PULSE_SERVER=unix:$work/no-sound-server
export XDG_DATA_HOME=$work/data
export XDG_DATA_DIRS=$work/no-data-dirs

(cd "$work/run" && exec "$tolvane") >"$out/tolvane.log" 2>&1 &
pid=$!

# The splash stays 3 s. A message box (titled like the program) before the
# main window means a picture could not be opened.
wid=
for _ in $(seq 300); do
    wid=$(xdotool search --onlyvisible --name '^Tolvane$' 2>/dev/null | head -1) && [ -n "$wid" ] && break
    if xdotool search --onlyvisible --name '^Tolvane 1.47$' >/dev/null 2>&1; then
        import -window root "$out/start-box.png" || true
        fail "a message box appeared at start (see $out/start-box.png)"
    fi
    kill -0 "$pid" 2>/dev/null || fail "the program ended at start"
    sleep 0.1
done
[ -n "$wid" ] || fail "the main window did not appear within 30 s"
sleep 1
import -window "$wid" "$out/window.png" || fail "no screenshot"

# The window tiles the picture from its top-left corner. The strips above
# and below the buttons and the help text show nothing else.
convert -size 522x373 "tile:$top/resources/pictures/backgr1.bmp" "$out/expected.png"
total=0
navy=0
for strip in 522x8+0+0 522x12+0+361; do
    convert "$out/window.png" -crop "$strip" +repage "$work/shown.png"
    convert "$out/expected.png" -crop "$strip" +repage "$work/tiled.png"
    diff=$(compare -metric AE -fuzz 2% "$work/shown.png" "$work/tiled.png" null: 2>&1 || true)
    bare=$(convert "$work/shown.png" -fill white +opaque 'rgb(0,0,128)' -fill black -opaque 'rgb(0,0,128)' \
        -format '%[fx:round((1-mean)*w*h)]' info:)
    echo "strip $strip: $diff pixels differ from the tiled picture, $bare are navy (0,0,128)"
    total=$((total + diff))
    navy=$((navy + bare))
done
# 522 x 20 = 10440 pixels in the two strips.
[ "$total" -le 100 ] || fail "the window does not show backgr1.bmp tiled ($total of 10440 pixels differ)"
[ "$navy" -le 100 ] || fail "the window shows its bare navy colour ($navy pixels)"

# Close, then OK (the default button) in the question.
xdotool mousemove --window "$wid" 40 344 click 1
box=$(timeout 10 xdotool search --sync --onlyvisible --name '^Tolvane 1.47$' | head -1) ||
    fail "no close question"
sleep 0.5
xdotool windowfocus --sync "$box" || true
xdotool key Return
for _ in $(seq 100); do
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
done
kill -0 "$pid" 2>/dev/null && fail "the program did not end after OK"
status=0
wait "$pid" || status=$?
pid=
[ "$status" -eq 0 ] || fail "the program ended with status $status"
echo "program ended with status 0; screenshots in $out"
