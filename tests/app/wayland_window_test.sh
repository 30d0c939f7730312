#!/usr/bin/env bash
# Plays the real program on Wayland: weston with its X11 back end and kiosk
# shell (which gives the program the keyboard) runs in a private Xvfb, the
# program runs on it with QT_QPA_PLATFORM=wayland, and keys typed with
# xdotool into weston's window reach it. With NumLock on, Scramble is played
# with the keypad and then with the arrow keys, and Tetris drops a piece with
# keypad 2 and the next with the down arrow; each is judged from screenshots
# of weston's window. Then the program is closed through its question.
# Skips (status 77) only where weston cannot start.
#
#   wayland_window_test.sh TOLVANE X11NUMLOCK SOURCE_DIR OUT_DIR
set -euo pipefail
[ $# -eq 4 ] || { echo "usage: $0 TOLVANE X11NUMLOCK SOURCE_DIR OUT_DIR" >&2; exit 2; }
tolvane=$1
numlock=$2
top=$3
out=$4

# shellcheck source=../support/window-session.sh
. "$top/tests/support/window-session.sh"
window_session_begin xdotool import convert compare weston
cp "$top"/resources/pictures/backgr*.bmp "$work/run/"
# Weston takes the lock state from the X server when it starts.
[ "$("$numlock" on)" = on ] || fail "NumLock could not be switched on"

# Weston's output; the program's window is centred in it.
output_width=640
output_height=480
left=$(((output_width - 522) / 2))
top_edge=$(((output_height - 373) / 2))

export XDG_RUNTIME_DIR=$work/runtime
mkdir -m 700 "$XDG_RUNTIME_DIR"
socket=tolvane-wayland
weston --backend=x11-backend.so --shell=kiosk-shell.so --socket="$socket" \
    --width="$output_width" --height="$output_height" --use-pixman --idle-time=0 --no-config \
    --log="$out/weston.log" </dev/null >"$out/weston.out" 2>&1 &
compositor=$!
trap 'kill "$compositor" 2>/dev/null || true; window_session_end' EXIT
screen=
for _ in $(seq 100); do
    if ! kill -0 "$compositor" 2>/dev/null; then
        echo "SKIP: weston could not start here:" >&2
        tail -5 "$out/weston.log" "$out/weston.out" >&2
        exit 77
    fi
    if [ -S "$XDG_RUNTIME_DIR/$socket" ]; then
        screen=$(xdotool search --class '^Weston Compositor$' 2>/dev/null | head -1) && [ -n "$screen" ] && break
    fi
    sleep 0.1
done
if [ -z "$screen" ]; then
    echo "SKIP: weston did not open its window within 10 s:" >&2
    tail -5 "$out/weston.log" >&2
    exit 77
fi
echo "weston on $DISPLAY, window $screen, socket $socket"

shot() { import -window "$screen" "$out/$1.png" || fail "no screenshot $1"; }
# How many pixels differ in a region (of the program's window) between two screenshots.
differing() {
    local a=$1 b=$2 w h x y
    IFS='x+' read -r w h x y <<<"$3"
    convert "$out/$a.png" -crop "${w}x$h+$((x + left))+$((y + top_edge))" +repage "$work/a.png"
    convert "$out/$b.png" -crop "${w}x$h+$((x + left))+$((y + top_edge))" +repage "$work/b.png"
    compare -metric AE "$work/a.png" "$work/b.png" null: 2>&1 || true
}
pixel() { convert "$out/$1.png" -format "%[pixel:p{$(($2 + left)),$(($3 + top_edge))}]" info:; }
keys() {
    local key
    for key in "$@"; do
        xdotool key "$key"
        sleep 0.2
    done
}
# change_by NAME REGION WAIT KEY...: the pixels of REGION that KEYs change,
# between a screenshot before them and one (NAME) WAIT seconds after.
change_by() {
    local name=$1 region=$2 wait=$3
    shift 3
    shot "$name-before"
    keys "$@"
    sleep "$wait"
    shot "$name"
    differing "$name-before" "$name" "$region"
}

# The pointer, which weston draws, away from what is compared.
xdotool mousemove --window "$screen" 1 1
(cd "$work/run" && QT_QPA_PLATFORM=wayland WAYLAND_DISPLAY=$socket exec "$tolvane") >"$log" 2>&1 &
pid=$!
# The help text (aqua, here below its last line) shows once the main window
# has replaced the splash.
for _ in $(seq 150); do
    alive || fail "the program ended at start"
    shot 1-help
    case $(pixel 1-help 100 345) in *"0,255,255"* | cyan | aqua) break ;; esac
    sleep 0.2
done
case $(pixel 1-help 100 345) in *"0,255,255"* | cyan | aqua) ;; *) fail "the main window did not appear" ;; esac
xdotool windowfocus --sync "$screen" 2>/dev/null || true

# Scramble through its button's accelerator, Enter to start. The board
# lies below the panel's title bar, which counts the moves and the clock.
board=324x322+134+30
keys alt+s
sleep 0.5
shot 2-scramble-chosen
keys Return
sleep 1
shot 3-scramble-started
[ "$(differing 2-scramble-chosen 3-scramble-started "$board")" -gt 1000 ] ||
    fail "Enter did not start Scramble"
keypad=$(change_by 4-scramble-keypad "$board" 0.5 KP_4 KP_8 KP_6 KP_2 KP_4 KP_8)
arrows=$(change_by 5-scramble-arrows "$board" 0.5 Left Up Right Down Left Up)
echo "Scramble on Wayland: board pixels changed by the keypad $keypad, by the arrows $arrows"
[ "$keypad" -gt 100 ] || fail "the keypad moved no Scramble tile on Wayland"
[ "$arrows" -gt 100 ] || fail "the arrow keys moved no Scramble tile on Wayland"

# Tetris: a piece falls a row in 420 ms at the starting level, so within a
# second of the start only a drop brings one to the bottom rows of the well.
well_bottom=160x40+215+300
well_lower=160x120+215+220
keys alt+t
sleep 0.5
keys Return
sleep 0.3
keypad=$(change_by 7-tetris-keypad-drop "$well_bottom" 0.6 KP_2)
sleep 0.3
arrows=$(change_by 9-tetris-arrow-drop "$well_lower" 0.6 Down)
echo "Tetris on Wayland: pixels changed at the bottom of the well by keypad 2 $keypad, by the down arrow $arrows"
[ "$keypad" -gt 100 ] || fail "keypad 2 did not drop the Tetris piece on Wayland"
[ "$arrows" -gt 100 ] || fail "the down arrow did not drop the Tetris piece on Wayland"

# Close (which ends the game without a high-score window), then OK.
keys alt+c
sleep 1
shot 10-close-question
keys Return
for _ in $(seq 100); do
    alive || break
    sleep 0.1
done
alive && fail "the program did not end after OK in the close question"
status=0
wait "$pid" || status=$?
pid=
[ "$status" -eq 0 ] || fail "the program ended with status $status"
echo "played on Wayland with the keypad and the arrows; ended with status 0; screenshots in $out"
