#!/usr/bin/env bash
# Uses the real program at random, as a restless player would, for a bounded
# time: clicks on the ten buttons and the game panel, the keypad, the arrow
# keys, Enter, Space and Escape, the starting-level box, the right-click
# menu, names typed into the high-score window, and every box that comes up
# answered. Meant for the sanitizer build. Passes when the program never
# crashes or reports a fault, still answers at the end, leaves only well
# formed score tables, and ends with status 0 after OK in the close question.
#
#   random_use_test.sh TOLVANE X11NUMLOCK SOURCE_DIR OUT_DIR [SECONDS [SEED]]
#
# SECONDS (default 60, or $TOLVANE_RANDOM_USE_SECONDS) bounds the play; SEED
# (default 1) fixes the sequence of events.
set -euo pipefail
[ $# -ge 4 ] || { echo "usage: $0 TOLVANE X11NUMLOCK SOURCE_DIR OUT_DIR [SECONDS [SEED]]" >&2; exit 2; }
tolvane=$1
numlock=$2
top=$3
out=$4
seconds=${5:-${TOLVANE_RANDOM_USE_SECONDS:-60}}
RANDOM=${6:-1}

# shellcheck source=../support/window-session.sh
. "$top/tests/support/window-session.sh"
window_session_begin xdotool xwininfo import
cp "$top"/resources/pictures/backgr*.bmp "$work/run/"
export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}abort_on_error=0:exitcode=66"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:+$UBSAN_OPTIONS:}print_stacktrace=1:halt_on_error=1:exitcode=67"
[ "$("$numlock" on)" = on ] || fail "NumLock could not be switched on"

start_program "$tolvane"
wid=$(timeout 60 xdotool search --sync --onlyvisible --name '^Tolvane$' | head -1) ||
    fail "the main window did not appear"
sleep 0.5

ended() {
    local status=0
    wait "$pid" || status=$?
    pid=
    fail "the program ended during play with status $status (after $events events)"
}
pick() { local -n list=$1; echo "${list[RANDOM % ${#list[@]}]}"; }

# The ten buttons' centres in the column at the left, top to bottom.
buttons=(24 64 96 136 168 200 232 272 304 344)
keys=(KP_2 KP_4 KP_5 KP_6 KP_8 KP_2 KP_4 KP_6 KP_8 Left Right Up Down space space Return Escape)
letters=(a b c d e f g h i j k l m n o p q r s t u v w x y z A Z 0 9)

events=0
games=0
boxes=0
# Answers whatever window stands in front of the main one. The boxes of the
# program are titled "Tolvane 1.47"; Escape answers No to the close
# question and OK to the others.
answer_windows() {
    local window name
    for window in $(xdotool search --onlyvisible --name '^(Game Over! Result:|About Tolvane$|Tolvane 1.47$)' 2>/dev/null); do
        name=$(xdotool getwindowname "$window" 2>/dev/null) || continue
        case $name in
        "Game Over! Result:"*)
            games=$((games + 1))
            local player="" i
            for i in $(seq $((1 + RANDOM % 8))); do player+=$(pick letters); done
            enter_name "$window" "$player"
            events=$((events + 3))
            ;;
        "About Tolvane")
            xdotool mousemove --window "$window" 261 324 mousedown 1 mouseup 1 2>/dev/null || true
            events=$((events + 1))
            ;;
        "Tolvane 1.47")
            boxes=$((boxes + 1))
            xdotool windowfocus --sync "$window" key Escape 2>/dev/null || true
            events=$((events + 1))
            ;;
        esac
        sleep 0.2
    done
}

# Clicks the button at client y and waits for the window titled like title.
# An open menu or list would take the click for closing itself, hence the
# Escape; a mouse button the X server still counts as held would send the
# click to whatever that press went to, hence the releases.
open_by_button() {
    local y=$1 title=$2
    xdotool mouseup 1 mouseup 2 mouseup 3 key Escape sleep 0.1 \
        mousemove --window "$wid" 40 "$y" click 1 2>>"$out/xdotool.log" || true
    timeout 10 xdotool search --sync --onlyvisible --name "$title" >/dev/null || {
        import -window root "$out/no-window.png" 2>/dev/null
        fail "the window of the button at y $y did not open"
    }
}

# One batch of events to the main window, sent by one xdotool call.
batch() {
    local args=() i kind
    [ ${#args[@]} -eq 0 ] || true
    for i in $(seq 20); do
        kind=$((RANDOM % 20))
        if [ $kind -lt 5 ]; then
            # A button. About and Close open a window of their own at once,
            # which is answered before anything else is sent.
            local y
            y=$(pick buttons)
            if [ "$y" = 24 ] || [ "$y" = 344 ]; then
                [ ${#args[@]} -eq 0 ] || xdotool "${args[@]}" 2>/dev/null || true
                args=()
                answer_windows
                local title='^About Tolvane$'
                [ "$y" = 344 ] && title='^Tolvane 1.47$'
                open_by_button "$y" "$title"
                sleep 0.2
                answer_windows
            else
                args+=(mousemove --window "$wid" 40 "$y" mousedown 1 mouseup 1)
            fi
        elif [ $kind -lt 8 ]; then
            # Somewhere on the game panel: a click, or a drag for Figures.
            local x=$((80 + RANDOM % 433)) y=$((8 + RANDOM % 353))
            if [ $((RANDOM % 2)) -eq 0 ]; then
                local button=$((RANDOM % 2 ? 1 : 3))
                args+=(mousemove --window "$wid" "$x" "$y" mousedown $button mouseup $button)
            else
                args+=(mousemove --window "$wid" "$x" "$y" mousedown 1
                    mousemove --window "$wid" $((x + RANDOM % 61 - 30)) $((y + RANDOM % 61 - 30))
                    mouseup 1)
            fi
        elif [ $kind -lt 9 ]; then
            # The starting-level box, then an entry of its list or Escape.
            args+=(mousemove --window "$wid" 453 204 mousedown 1 mouseup 1 sleep 0.1)
            if [ $((RANDOM % 2)) -eq 0 ]; then
                args+=(mousemove --window "$wid" 453 $((150 + RANDOM % 120)) mousedown 1 mouseup 1)
            else
                args+=(key Escape)
            fi
        elif [ $kind -lt 10 ]; then
            # The right-click menu on the background, then away from it.
            args+=(mousemove --window "$wid" 500 365 mousedown 3 mouseup 3 sleep 0.1 key Escape)
        else
            args+=(key "$(pick keys)")
        fi
        events=$((events + 1))
    done
    [ ${#args[@]} -eq 0 ] || xdotool "${args[@]}" 2>>"$out/xdotool.log" || true
}

# Random events seldom let a game reach its end, so now and then one is
# played out: Tetris pieces dropped until the well is full, or Arcanoid balls
# launched and let go until the last is lost.
play_to_the_end() {
    local game=$1 y key
    [ "$game" = Tetris ] && { y=232; key=space; } || { y=136; key=KP_4; }
    answer_windows
    xdotool key Escape sleep 0.1 mousemove --window "$wid" 40 "$y" mousedown 1 mouseup 1 \
        sleep 0.3 key Return 2>/dev/null || true
    events=$((events + 3))
    local until=$(($(date +%s) + 40))
    while [ "$(date +%s)" -lt "$until" ]; do
        alive || ended
        xdotool search --onlyvisible --name '^Game Over! Result:' >/dev/null 2>&1 && break
        # No other window may stand in the way (a box from the game button).
        xdotool search --onlyvisible --name '^Tolvane 1.47$' >/dev/null 2>&1 && answer_windows
        xdotool key space key "$key" sleep 0.3 2>/dev/null || true
        events=$((events + 2))
    done
    answer_windows
}

start=$(date +%s)
next_play=$((start + 8))
while [ $(($(date +%s) - start)) -lt "$seconds" ]; do
    alive || ended
    if [ "$(date +%s)" -ge "$next_play" ]; then
        if [ $((RANDOM % 2)) -eq 0 ]; then play_to_the_end Tetris; else play_to_the_end Arcanoid; fi
        next_play=$(($(date +%s) + 12))
    fi
    batch
    answer_windows
done
alive || ended
answer_windows
echo "events sent: $events; games played to their end: $games; boxes answered: $boxes"

# Still answering: Close brings the question, and OK ends the program.
close_program
if grep -qE 'ERROR: (Address|Leak)Sanitizer|runtime error:' "$log"; then
    fail "the sanitizer reported a fault"
fi

# Every table left behind has ten lines: five names and five whole numbers.
tables=0
for table in "$work"/data/Tolvane/*.ini; do
    [ -e "$table" ] || continue
    tables=$((tables + 1))
    lines=$(tr -cd '\n' <"$table" | wc -c)
    [ "$lines" -eq 10 ] || fail "$(basename "$table") has $lines lines"
    [ "$(tr -cd '\r' <"$table" | wc -c)" -eq 10 ] || fail "$(basename "$table") lacks CR LF"
    awk 'NR % 2 == 0 && !/^-?[0-9]+\r$/ { bad = 1 } END { exit bad }' "$table" ||
        fail "$(basename "$table") has a result that is no number"
done
echo "score tables left, all well formed: $tables; the program ended with status 0"
