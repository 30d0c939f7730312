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

[ -x "$tolvane" ] || { echo "FAIL: no installed program $tolvane" >&2; exit 1; }
# shellcheck source=../support/window-session.sh
. "$top/tests/support/window-session.sh"
window_session_begin xdotool import convert compare

start_program "$tolvane"

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
close_program
echo "program ended with status 0; screenshots in $out"
