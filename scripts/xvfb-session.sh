#!/usr/bin/env bash
# A private X server (Xvfb) for tests that need a real window.
#
#   xvfb-session.sh start DIR   starts Xvfb on a free display, with DIR (an
#                               empty folder) for its files, waits until it
#                               answers, and prints DISPLAY=:N
#   xvfb-session.sh stop DIR    stops the server started in DIR
#
# Works as root and without any display at start, as in CI.
set -euo pipefail
# shellcheck source=lib/background-server.sh
. "$(dirname "$0")/lib/background-server.sh"

server_arguments "$@"
pidfile=$dir/xvfb.pid

xvfb_ready() {
    local number
    number=$(tr -dc '0-9' <"$dir/display" 2>/dev/null || true)
    [ -n "$number" ] && DISPLAY=:$number xdpyinfo >/dev/null 2>&1 || return 1
    echo "DISPLAY=:$number"
}

case $action in
start)
    require_tools Xvfb xdpyinfo
    # Xvfb picks a free display itself and writes its number to the pipe.
    rm -f "$dir/display"
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset \
        3>"$dir/display" </dev/null >"$dir/xvfb.log" 2>&1 &
    echo $! >"$pidfile"
    wait_for_server Xvfb "$pidfile" "$dir/xvfb.log" xvfb_ready
    ;;
stop)
    stop_server "$pidfile"
    ;;
esac
