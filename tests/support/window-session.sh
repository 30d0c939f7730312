# The frame of every test that runs the real program in a real X window.
# Source it after setting top (the source folder) and out (the folder for
# screenshots and the program's output); it needs the tools named in
# window_session_begin. Functions exit the test with FAIL on stderr.
#
#   window_session_begin TOOL...   a private Xvfb with a window manager
#                                  (openbox, fresh configuration), as on
#                                  every desktop, and a work folder ($work,
#                                  with $work/run to start in); no sound
#                                  server, score tables in $work/data, no
#                                  system data folders
#   start_program TOLVANE          starts it in $work/run: $pid, output in $log
#   drop_until_game_over           Tetris dropped to its end: the high-score
#                                  window in $over
#   enter_name WINDOW NAME         NAME typed into the high-score window and
#                                  Enter (taken where the result qualifies),
#                                  then Close in any case
#   close_program [CHECK]          no message box up, then Close, OK in
#                                  the question, status 0; CHECK, if
#                                  given, runs first with the question's id

fail() {
    echo "FAIL: $*" >&2
    [ -f "$log" ] && { echo "--- program output (last lines):" >&2; tail -40 "$log" >&2; }
    exit 1
}

shot() { import -window "$1" "$out/$2.png" || fail "no screenshot $2"; }

alive() { [ -n "$pid" ] && kill -0 "$pid" 2>/dev/null; }

window_session_end() {
    if alive; then kill "$pid" 2>/dev/null || true; fi
    "$top/scripts/openbox-session.sh" stop "$work/x" || true
    "$top/scripts/xvfb-session.sh" stop "$work/x" || true
    rm -rf "$work"
}

window_session_begin() {
    local tool
    for tool in "$@"; do
        command -v "$tool" >/dev/null || { echo "$tool is not installed (scripts/setup.sh)" >&2; exit 1; }
    done
    rm -rf "$out"
    mkdir -p "$out"
    log=$out/tolvane.log
    pid=
    work=$(mktemp -d)
    mkdir -p "$work/x" "$work/run" "$work/data" "$work/no-data"
    trap window_session_end EXIT
    local display
    display=$("$top/scripts/xvfb-session.sh" start "$work/x") || fail "Xvfb did not start"
    export "${display?}"
    "$top/scripts/openbox-session.sh" start "$work/x" || fail "openbox did not start"
    export QT_QPA_PLATFORM=xcb
    # In a sanitizer build, leaks of the system libraries are not the program's.
    export LSAN_OPTIONS="${LSAN_OPTIONS:+$LSAN_OPTIONS:}suppressions=$top/tests/app/lsan-system.supp"
    # No sound server: the cues are silently not heard.
    export PULSE_SERVER=unix:$work/no-sound-server
    # Score tables in a folder of the test's own, and no data folders of the
    # system, so that an installed Tolvane's pictures cannot stand in.
    export XDG_DATA_HOME=$work/data
    export XDG_DATA_DIRS=$work/no-data
}

start_program() {
    (cd "$work/run" && exec "$1") >"$log" 2>&1 &
    pid=$!
}

# drop_until_game_over: Space, piece after piece, until the well is full
# with no row complete and the high-score window of a 0-point game is up;
# its id in $over. Fails after 80 pieces.
drop_until_game_over() {
    over=
    for _ in $(seq 80); do
        over=$(xdotool search --onlyvisible --name '^Game Over! Result:0$' 2>/dev/null | head -1) &&
            return 0
        xdotool key --window "$wid" space 2>/dev/null || xdotool key space
        sleep 0.5
    done
    return 1
}

enter_name() {
    xdotool windowfocus --sync "$1" 2>/dev/null || true
    # "type" takes every word after it as text, so it goes alone.
    xdotool type --delay 2 "$2" 2>/dev/null || true
    xdotool key Return sleep 0.2 mousemove --window "$1" 105 336 \
        mousedown 1 mouseup 1 2>/dev/null || true
}

close_program() {
    # Escape below would close a box left up unseen, such as "Cannot open".
    if xdotool search --onlyvisible --name '^Tolvane 1.47$' >/dev/null 2>&1; then
        import -window root "$out/box-before-closing.png" || true
        fail "a message box was up before closing (see $out/box-before-closing.png)"
    fi
    # An open menu or list would take the click for closing itself, and a
    # mouse button the X server still counts as held would send it to what
    # that press went to. The game panel may have been dragged over the
    # buttons: Help (Alt+H) puts it back and hides it, as closing does
    # first anyway.
    xdotool mouseup 1 mouseup 2 mouseup 3 key Escape sleep 0.1 key alt+h sleep 0.3 \
        mousemove --window "$wid" 40 344 click 1
    local box
    box=$(timeout 20 xdotool search --sync --onlyvisible --name '^Tolvane 1.47$' | head -1) ||
        { import -window root "$out/no-question.png" || true; fail "no close question"; }
    [ $# -eq 0 ] || "$1" "$box"
    sleep 0.5
    xdotool windowfocus --sync "$box" 2>/dev/null || true
    xdotool key Return
    for _ in $(seq 200); do
        alive || break
        sleep 0.1
    done
    alive && fail "the program did not end after OK"
    local status=0
    wait "$pid" || status=$?
    pid=
    [ "$status" -eq 0 ] || fail "the program ended with status $status"
}
