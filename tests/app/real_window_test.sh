#!/usr/bin/env bash
# Runs the real program in a real X window (a private Xvfb) and plays it as
# a person would: checks the window's size and title; plays Scramble with
# the keypad; plays Tetris with the keypad and Space until the well is full
# and the high-score window opens; plays Arcanoid until the last ball is
# lost and enters a name; drags and turns Figures pieces and then builds the
# square (FIGURES_SOLVER reads the pieces off screenshots), with the
# game-over picture behind it once the high-score window has closed; and
# closes the program through its question. The splash must be painted, and
# no message box may come up. Screenshots stay in OUT_DIR.
#
#   real_window_test.sh TOLVANE X11NUMLOCK SOURCE_DIR OUT_DIR FIGURES_SOLVER
set -euo pipefail
[ $# -eq 5 ] || { echo "usage: $0 TOLVANE X11NUMLOCK SOURCE_DIR OUT_DIR FIGURES_SOLVER" >&2; exit 2; }
tolvane=$1
numlock=$2
top=$3
out=$4
solver=$5

# shellcheck source=../support/window-session.sh
. "$top/tests/support/window-session.sh"
window_session_begin xdotool xwininfo import compare

# How many pixels differ between the same region of two screenshots.
differing() {
    local a=$1 b=$2 region=$3
    convert "$out/$a.png" -crop "$region" +repage "$work/a.png"
    convert "$out/$b.png" -crop "$region" +repage "$work/b.png"
    compare -metric AE "$work/a.png" "$work/b.png" null: 2>&1 || true
}

# Closes the high-score window WINDOW (Close has the focus, so Return
# presses it), after entering NAME where the result earns a place.
leave_high_scores() {
    xdotool windowfocus --sync "$1" 2>/dev/null || true
    if [ $# -gt 1 ]; then
        xdotool type "$2"
        xdotool key Return sleep 0.3
    fi
    xdotool key Return
    for _ in $(seq 50); do
        xdotool search --onlyvisible --name '^Game Over!' >/dev/null 2>&1 || return 0
        sleep 0.1
    done
    fail "the high-score window stayed open"
}

cp "$top"/resources/pictures/backgr*.bmp "$work/run/"
[ "$("$numlock" on)" = on ] || fail "NumLock could not be switched on"

# Fails when a message box of the program (titled like it) is up: none is
# expected anywhere in this test, and Escape would close one unseen.
no_message_box() {
    if xdotool search --onlyvisible --name '^Tolvane 1.47$' >/dev/null 2>&1; then
        shot root "$1-unexpected-box"
        fail "a message box is up at $1 (see $out/$1-unexpected-box.png)"
    fi
}

# How many pixels of a screenshot have exactly the colour given.
pixels_of() {
    convert "$out/$1.png" -alpha off +transparent "$2" -alpha extract \
        -format '%[fx:round(mean*w*h)]' info:
}

start_program "$tolvane"

# The splash comes first and stays three seconds, painted all along: navy
# with white texts, not an empty client area where the window manager
# mapped it after the program's first paint.
splash=$(timeout 30 xdotool search --sync --onlyvisible --name '^About Tolvane$' | head -1) ||
    fail "the splash did not appear"
for at in 1 2; do
    sleep 0.9
    shot "$splash" "0-splash-${at}s"
    navy=$(pixels_of "0-splash-${at}s" 'rgb(0,0,128)')
    white=$(pixels_of "0-splash-${at}s" 'rgb(255,255,255)')
    echo "splash at about $at s: $navy navy and $white white pixels"
    # The client area is 521 x 287 pixels, the texts a few thousand of them.
    [ "$navy" -gt 75000 ] && [ "$white" -gt 500 ] ||
        fail "the splash is not painted at about $at s (see $out/0-splash-${at}s.png)"
done

# The main window follows once it is built.
wid=$(timeout 30 xdotool search --sync --onlyvisible --name '^Tolvane$' | head -1) ||
    fail "the main window did not appear"
sleep 0.5
title=$(xdotool getwindowname "$wid")
[ "$title" = Tolvane ] || fail "window title is '$title'"
info=$(xwininfo -id "$wid")
width=$(awk '/^ *Width:/ {print $2}' <<<"$info")
height=$(awk '/^ *Height:/ {print $2}' <<<"$info")
[ "$width" = 522 ] && [ "$height" = 373 ] || fail "client area is ${width}x${height}"
echo "window $wid: '$title', ${width}x${height}"
shot "$wid" 1-help

# Scramble's button, then Enter to start.
xdotool mousemove --window "$wid" 40 200 click 1
sleep 0.5
if xdotool search --onlyvisible --name '^Tolvane 1.47$' >/dev/null 2>&1; then
    shot root 2-unexpected-box
    fail "a message box appeared on choosing Scramble"
fi
shot "$wid" 2-scramble-chosen
xdotool windowfocus --sync "$wid" || true
xdotool key Return
sleep 1
shot "$wid" 3-scramble-started

# The square board fills the panel's client area, centred over the area
# right of the buttons (x 134..458, y 30..352, below the title bar with its
# move count). Which tiles the keypad moves depends on the shuffle, so the
# whole board is compared.
board=324x322+134+30
[ "$(differing 2-scramble-chosen 3-scramble-started "$board")" -gt 1000 ] ||
    fail "Enter did not start the game (no tiles shown)"

for key in KP_4 KP_8 KP_6 KP_2 KP_4 KP_8; do
    xdotool key "$key"
    sleep 0.2
done
sleep 0.5
shot "$wid" 4-tiles-moved
moved=$(differing 3-scramble-started 4-tiles-moved "$board")
echo "pixels changed by the keypad moves: $moved"
# Nothing else changes on the board: one moved tile shows as a few hundred
# pixels of caption and edge.
[ "$moved" -gt 100 ] || fail "the keypad moved no tile"

# Tetris's button, Enter to start, the keypad to steer and Space to drop.
# A piece falls one row each 200 ms, so the bottom rows of the 21-row well
# stay empty for about four seconds unless the drop brings it down, which
# takes 20 ms a row.
xdotool mousemove --window "$wid" 40 232 click 1
sleep 0.5
no_message_box 5-tetris-chosen
shot "$wid" 5-tetris-chosen
xdotool key Return
sleep 0.5
shot "$wid" 6-tetris-started
# The well is half as wide as high, centred over the area right of the buttons.
well=160x320+215+30
[ "$(differing 5-tetris-chosen 6-tetris-started "$well")" -gt 100 ] ||
    fail "Enter did not start Tetris (no piece shown)"
bottom=160x40+215+300
for key in KP_4 KP_5 KP_6 KP_6; do
    xdotool key "$key"
    sleep 0.1
done
shot "$wid" 7-tetris-steered
[ "$(differing 6-tetris-started 7-tetris-steered "$bottom")" -eq 0 ] ||
    fail "something reached the bottom of the well before the drop"
xdotool key space
sleep 1
shot "$wid" 8-tetris-dropped
dropped=$(differing 7-tetris-steered 8-tetris-dropped "$bottom")
echo "pixels changed at the bottom of the well by Space: $dropped"
[ "$dropped" -gt 100 ] || fail "Space did not drop the piece"

# Dropping piece after piece fills the middle of the well with no row
# complete, so the game ends with 0 points and the high-score window opens.
drop_until_game_over || { shot root 11-no-game-over; fail "no high-score window after the well filled up"; }
sleep 0.5
shot "$over" 11-high-scores
echo "high-score window: '$(xdotool getwindowname "$over")'"
leave_high_scores "$over"
sleep 0.5
shot "$wid" 12-after-game-over
# The starting-level box is back where the preview was while playing.
levelbox=64x98+417+128
back=$(differing 5-tetris-chosen 12-after-game-over "$levelbox")
echo "pixels of the level box that differ from before the game: $back"
[ "$back" -lt 50 ] || fail "the level box did not come back after the game"

# Arcanoid: the ball is launched again and again while the paddle keeps
# going left, so every ball is lost and the game ends in the high-score
# window with the score.
xdotool mousemove --window "$wid" 40 136 click 1
sleep 0.5
no_message_box 13-arcanoid-chosen
shot "$wid" 13-arcanoid-chosen
xdotool key Return
sleep 0.5
shot "$wid" 14-arcanoid-started
field=425x330+84+30
[ "$(differing 13-arcanoid-chosen 14-arcanoid-started "$field")" -gt 1000 ] ||
    fail "Enter did not lay out the Arcanoid level"
over=
for _ in $(seq 160); do
    over=$(xdotool search --onlyvisible --name '^Game Over! Result:[0-9]+$' 2>/dev/null | head -1) && break
    xdotool key space key KP_4
    sleep 0.25
done
[ -n "$over" ] || { shot root 15-no-arcanoid-end; fail "the Arcanoid game did not end"; }
shot "$over" 15-arcanoid-over
echo "Arcanoid high-score window: '$(xdotool getwindowname "$over")'"
# With points the result may earn a place.
leave_high_scores "$over" Tester
tables=$(cat "$XDG_DATA_HOME"/Tolvane/arcanoid.ini 2>/dev/null | tr -d '\r' | head -2 | tr '\n' ' ')
echo "Arcanoid table, first place: $tables"

# Figures: a piece is found by its colour on the board, dragged with the
# left button, and another turned with the right; each counts a move, which
# the title bar shows at the next clock tick. A press reaches the topmost
# piece whose box holds the point: at the deal that is piece 5 (fuchsia),
# and once it has been dropped and sent to the back, piece 4 (blue).
xdotool mousemove --window "$wid" 40 168 click 1
sleep 0.5
no_message_box 16-figures-chosen
xdotool key Return
sleep 1.5
shot "$wid" 16-figures-started
square=322x322+136+30
title=322x14+136+13
# A pixel amid a straight stretch of a colour's outline on the board (not at
# a corner, where the pen reaches past the shape), in window coordinates.
outline_pixel() {
    convert "$out/$1.png" -crop "$square" +repage txt:- |
        awk -F'[,: ]+' -v colour="$2" '
            $0 ~ colour { on[$1 "," $2] = 1; n++; xs[n] = $1; ys[n] = $2 }
            END {
                for (i = 1; i <= n; i++) {
                    x = xs[i]; y = ys[i]
                    if ((on[x - 2 "," y] && on[x + 2 "," y]) || (on[x "," y - 2] && on[x "," y + 2])) {
                        print x + 136, y + 30
                        exit
                    }
                }
            }'
}
at=$(outline_pixel 16-figures-started '#FF00FF')
[ -n "$at" ] || fail "no fuchsia Figures piece seen on the board"
read -r px py <<<"$at"
xdotool mousemove --window "$wid" "$px" "$py" mousedown 1 mousemove --window "$wid" \
    $((px + 20)) $((py + 25)) sleep 0.1 mousemove --window "$wid" $((px + 40)) $((py + 50)) \
    mouseup 1
sleep 0.3
shot "$wid" 16-figures-dragged
at=$(outline_pixel 16-figures-dragged '#0000FF')
[ -n "$at" ] || fail "no blue Figures piece seen on the board"
read -r px py <<<"$at"
xdotool mousemove --window "$wid" "$px" "$py" click 3
sleep 1.5
shot "$wid" 17-figures-moved
moved=$(differing 16-figures-started 17-figures-moved "$square")
counted=$(differing 16-figures-started 17-figures-moved "$title")
echo "Figures: board pixels changed by the turn and drag: $moved, title bar pixels: $counted"
[ "$moved" -gt 50 ] || fail "the piece did not turn or move"
[ "$counted" -gt 10 ] || fail "the move count in the title bar did not change"

# The square built in the window: the solver reads each piece off a
# screenshot and tells the next turn or drag, and whether it completes the
# square. After that one nothing more is clicked (a click could land on the
# high-score window) until the high-score window has come. The board is the
# panel's square client area (327 pixels at 133, 30); the two moves above
# sent pieces 5 and 4 to the back.
figures_board=327x327+133+30
echo "4 5 1 2 3" >"$work/z-order"
over=
for step in $(seq 60); do
    no_message_box "figures-step-$step"
    if xdotool search --onlyvisible --name '^Game Over!' >/dev/null 2>&1; then
        shot root 19-early-game-over
        fail "the game ended before the move that completes the square"
    fi
    shot "$wid" figures-step
    read -r action x y dx dy last < <("$solver" "$out/figures-step.png" 133 30 327 70 "$work/z-order") ||
        fail "the solver could not read the board"
    case $action in
    right) xdotool mousemove --window "$wid" "$x" "$y" click 3 ;;
    drag)
        xdotool mousemove --window "$wid" "$x" "$y" mousedown 1 sleep 0.05 \
            mousemove --window "$wid" $((x + dx / 2)) $((y + dy / 2)) sleep 0.05 \
            mousemove --window "$wid" $((x + dx)) $((y + dy)) sleep 0.05 mouseup 1 ;;
    *) fail "the solver said: $action $x $y" ;;
    esac
    if [ "$last" = last ]; then
        for _ in $(seq 200); do
            over=$(xdotool search --onlyvisible --name '^Game Over! Result:[0-9]+$' 2>/dev/null |
                head -1) && break
            no_message_box 19-square-built
            sleep 0.1
        done
        [ -n "$over" ] || { shot root 19-no-game-over; fail "no high-score window after the square"; }
        break
    fi
    sleep 0.3
done
[ -n "$over" ] || { shot "$wid" 19-no-square; fail "the square was not built in $step steps"; }
import -window root "$out/19-square-finished.png"
echo "Figures square built in $step steps: '$(xdotool getwindowname "$over")'"
leave_high_scores "$over" Builder
sleep 1
no_message_box 20-square-after-scores
shot "$wid" 20-square-after-scores
# Behind the finished pieces the board shows the game-over picture, tiled
# from its top-left corner, not the board's black: the square covers about
# half of the board.
convert -size 327x327 "tile:$top/resources/pictures/backgr1.bmp" "$work/over-picture.png"
convert "$out/20-square-after-scores.png" -crop "$figures_board" +repage "$out/20-board.png"
pictured=$((327 * 327 - $(compare -metric AE -fuzz 2% "$out/20-board.png" "$work/over-picture.png" null: 2>&1 || true)))
black=$(pixels_of 20-board 'rgb(0,0,0)')
echo "Figures board after the high-score window: $pictured pixels of the over picture, $black black"
[ "$pictured" -gt 40000 ] && [ "$black" -lt 1000 ] ||
    fail "no game-over picture behind the finished square (see $out/20-square-after-scores.png)"

# Close, then OK (the default button) in the question.
shot "$wid" 18-before-closing
close_program
echo "program ended with status 0; screenshots in $out"
