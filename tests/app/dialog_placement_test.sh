#!/usr/bin/env bash
# Runs the real program under a window manager (openbox, on a private Xvfb)
# and measures where its dialogs open with xwininfo and xprop: the About box
# and the high-score window belong to the main window (WM_TRANSIENT_FOR) and
# open with their frame where the main window's frame is, so their client
# areas lie over the main window's; a box reporting a failed table write
# belongs to the high-score window and stands above it; the close question
# belongs to the main window. The program is started with words on its
# command line that it does not know, which it ignores; its window class is
# the one its desktop entry names, and it carries an icon.
#
#   dialog_placement_test.sh TOLVANE X11NUMLOCK SOURCE_DIR OUT_DIR
set -euo pipefail
[ $# -eq 4 ] || { echo "usage: $0 TOLVANE X11NUMLOCK SOURCE_DIR OUT_DIR" >&2; exit 2; }
tolvane=$1
numlock=$2
top=$3
out=$4

# shellcheck source=../support/window-session.sh
. "$top/tests/support/window-session.sh"
window_session_begin xdotool xwininfo xprop import openbox

cp "$top"/resources/pictures/backgr*.bmp "$work/run/"
[ "$("$numlock" on)" = on ] || fail "NumLock could not be switched on"

# The client area's top-left corner on the screen, and the frame's (the
# client's less the frame extents the window manager reports).
client_at() {
    xwininfo -id "$1" | awk '/Absolute upper-left X/ {x = $4} /Absolute upper-left Y/ {y = $4} END {print x, y}'
}
frame_at() {
    local x y extents left top
    read -r x y < <(client_at "$1")
    extents=$(xprop -id "$1" _NET_FRAME_EXTENTS | sed -n 's/.*= //p')
    [ -n "$extents" ] || fail "window $1 has no frame extents"
    IFS=', ' read -r left _ top _ <<<"$extents"
    echo "$((x - left)) $((y - top))"
}
owner_of() { xprop -id "$1" WM_TRANSIENT_FOR | sed -n 's/.*window id # //p'; }
same_window() { [ -n "$1" ] && [ -n "$2" ] && [ $(($1)) -eq $(($2)) ]; }
find_window() { timeout "${3:-20}" xdotool search --sync --onlyvisible --name "$1" | head -1 || true; }
# Windows in the window manager's stacking order, bottom to top.
stacking() { xprop -root _NET_CLIENT_LIST_STACKING | sed -n 's/.*# //p' | tr -d ','; }
above() {
    local order low high i=0 w
    order=$(stacking)
    for w in $order; do
        i=$((i + 1))
        same_window "$w" "$1" && low=$i
        same_window "$w" "$2" && high=$i
    done
    [ -n "${low:-}" ] && [ -n "${high:-}" ] && [ "$high" -gt "$low" ]
}
# Compares a dialog's frame and client with the main window's.
check_over_main() {
    local name=$1 window=$2 frame client
    frame=$(frame_at "$window")
    client=$(client_at "$window")
    echo "$name: frame at $frame, client area at $client, owner $(owner_of "$window")"
    same_window "$(owner_of "$window")" "$wid" || fail "the $name does not belong to the main window"
    [ "$frame" = "$main_frame" ] || fail "the $name's frame is at $frame, the main window's at $main_frame"
    [ "$client" = "$main_client" ] || fail "the $name's client area is at $client, the main window's at $main_client"
}

# Words it does not know on the command line are ignored.
set -- --no-such-option stray-word
(cd "$work/run" && exec "$tolvane" "$@") >"$log" 2>&1 &
pid=$!

wid=$(find_window '^Tolvane$' 30)
[ -n "$wid" ] || fail "the main window did not appear (started with: $*)"
sleep 1
main_frame=$(frame_at "$wid")
main_client=$(client_at "$wid")
echo "main window: frame at $main_frame, client area at $main_client"
class=$(xprop -id "$wid" WM_CLASS | sed -n 's/.*= //p')
wmclass=$(sed -n 's/^StartupWMClass=//p' "$top/resources/desktop/org.example.tolvane.desktop")
echo "WM_CLASS $class; the desktop entry's StartupWMClass $wmclass"
[[ "$class" == *"\"$wmclass\"" ]] || fail "the window's class $class is not the desktop entry's '$wmclass'"
xprop -id "$wid" _NET_WM_ICON | grep -q 'Icon (' || fail "the main window has no icon"

# About: its frame where the main window's frame is.
xdotool mousemove --window "$wid" 40 24 click 1
about=$(find_window '^About Tolvane$')
[ -n "$about" ] || fail "no About box"
sleep 1
shot root 1-about
check_over_main "About box" "$about"
xdotool mousemove --window "$about" 261 324 click 1
sleep 0.5
xdotool search --onlyvisible --name '^About Tolvane$' >/dev/null 2>&1 && fail "OK did not close the About box"

# Tetris, dropped piece after piece until the well is full: the high-score
# window of a 0-point game, which earns a place in a table of -1 points.
table=$XDG_DATA_HOME/Tolvane/tetris.ini
mkdir -p "$(dirname "$table")"
for _ in 1 2 3 4 5; do printf 'Anonymous\r\n-1\r\n'; done >"$table"
xdotool mousemove --window "$wid" 40 232 click 1
sleep 0.5
xdotool key Return
drop_until_game_over || { shot root 2-no-game-over; fail "no high-score window"; }
sleep 1
shot root 2-high-scores
check_over_main "high-score window" "$over"

# A folder where the table was: writing the accepted name fails, and the
# box saying so must stand above the stay-on-top high-score window.
rm "$table"
mkdir -p "$table/in-the-way"
xdotool windowfocus --sync "$over" 2>/dev/null || true
xdotool type --delay 50 Ann
xdotool key Return
box=$(find_window '^Tolvane 1.47$')
[ -n "$box" ] || { shot root 3-no-box; fail "no box about the failed write"; }
sleep 1
shot root 3-write-failed
echo "write-failure box: client at $(client_at "$box"), owner $(owner_of "$box"); stacking: $(stacking)"
same_window "$(owner_of "$box")" "$over" || fail "the write-failure box does not belong to the high-score window"
above "$over" "$box" || fail "the write-failure box is below the high-score window"
xdotool windowfocus --sync "$box" 2>/dev/null || true
xdotool key Return
sleep 1
# Close has the focus once the name is taken.
xdotool windowfocus --sync "$over" 2>/dev/null || true
xdotool key Return
sleep 1
xdotool search --onlyvisible --name '^Game Over!' >/dev/null 2>&1 && fail "the high-score window stayed open"

# The close question belongs to the main window too.
question_belongs_to_main() {
    echo "close question: client at $(client_at "$1"), owner $(owner_of "$1")"
    same_window "$(owner_of "$1")" "$wid" || fail "the close question does not belong to the main window"
}
close_program question_belongs_to_main
echo "dialogs placed over the main window; program ended with status 0"
