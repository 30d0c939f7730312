#!/usr/bin/env bash
# Plays one game in the real program for a while, as a restless player
# would, and prints the program's resident memory (VmRSS) as it goes: the
# keypad for Tetris, Arcanoid and Scramble, drags and right clicks for
# Figures, every high-score window answered with a name and the next game
# started at once. For measuring by hand, one game after another on a quiet
# machine; not a test.
#
#   measure-rss.sh TOLVANE X11NUMLOCK SOURCE_DIR OUT_DIR GAME [SECONDS [SEED]]
#
# GAME is tetris, arcanoid, scramble or figures; SECONDS (default 600)
# bounds the play. Prints a line every 10 s (seconds, RSS in KB, games
# ended) and at the end the first and last RSS.
set -euo pipefail
[ $# -ge 5 ] || {
    echo "usage: $0 TOLVANE X11NUMLOCK SOURCE_DIR OUT_DIR GAME [SECONDS [SEED]]" >&2
    exit 2
}
tolvane=$1
numlock=$2
top=$3
out=$4
game=$5
seconds=${6:-600}
RANDOM=${7:-1}

case $game in
tetris) button=232 keys=(KP_4 KP_6 KP_5 space space) ;;
arcanoid) button=136 keys=(KP_4 KP_6 KP_4 KP_6 KP_2 space) ;;
scramble) button=200 keys=(KP_2 KP_4 KP_6 KP_8) ;;
figures) button=168 keys=() ;;
*) echo "unknown game $game" >&2; exit 2 ;;
esac

# shellcheck source=../tests/support/window-session.sh
. "$top/tests/support/window-session.sh"
window_session_begin xdotool
cp "$top"/resources/pictures/backgr*.bmp "$work/run/"
[ "$("$numlock" on)" = on ] || fail "NumLock could not be switched on"

start_program "$tolvane"
wid=$(timeout 60 xdotool search --sync --onlyvisible --name '^Tolvane$' | head -1) ||
    fail "the main window did not appear"
sleep 0.5

rss() { awk '/^VmRSS:/ {print $2}' "/proc/$pid/status"; }

games=0
# The high-score window gets a name and is closed; a message box is closed.
answer_windows() {
    local window name
    for window in $(xdotool search --onlyvisible --name '^(Game Over! Result:|Tolvane 1.47$)' 2>/dev/null); do
        name=$(xdotool getwindowname "$window" 2>/dev/null) || continue
        case $name in
        "Game Over! Result:"*)
            games=$((games + 1))
            enter_name "$window" "player$((RANDOM % 100))"
            ;;
        *) xdotool windowfocus --sync "$window" key Escape 2>/dev/null || true ;;
        esac
        sleep 0.2
    done
}

xdotool mousemove --window "$wid" 40 "$button" click 1 sleep 0.5
answer_windows

batch() {
    local args=(windowfocus --sync "$wid" key Return)
    for _ in $(seq 10); do
        if [ "$game" = figures ]; then
            local x=$((136 + RANDOM % 322)) y=$((30 + RANDOM % 322))
            if [ $((RANDOM % 3)) -eq 0 ]; then
                args+=(mousemove --window "$wid" "$x" "$y" click 3)
            else
                args+=(mousemove --window "$wid" "$x" "$y" mousedown 1
                    mousemove --window "$wid" $((x + RANDOM % 81 - 40)) $((y + RANDOM % 81 - 40))
                    mouseup 1)
            fi
        else
            args+=(key "${keys[RANDOM % ${#keys[@]}]}")
        fi
        args+=(sleep 0.05)
    done
    xdotool "${args[@]}" 2>/dev/null || true
}

start=$(date +%s)
next=$start
first=
last=
while :; do
    alive || fail "the program ended during play"
    now=$(date +%s)
    if [ "$now" -ge "$next" ]; then
        last=$(rss)
        [ -n "$first" ] || first=$last
        echo "$((now - start)) s: $last KB, $games games ended"
        next=$((next + 10))
    fi
    [ $((now - start)) -lt "$seconds" ] || break
    batch
    answer_windows
done
echo "$game: RSS $first KB at the start, $last KB after $seconds s, $games games ended"
close_program
