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

usage() { echo "usage: $0 start|stop DIR" >&2; exit 2; }
[ $# -eq 2 ] || usage
action=$1
dir=$(cd "$2" && pwd)
pidfile=$dir/xvfb.pid

case $action in
start)
    for tool in Xvfb xdpyinfo; do
        command -v "$tool" >/dev/null || { echo "$tool is not installed" >&2; exit 1; }
    done
    # Xvfb picks a free display itself and writes its number to the pipe.
    rm -f "$dir/display"
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset \
        3>"$dir/display" </dev/null >"$dir/xvfb.log" 2>&1 &
    echo $! >"$pidfile"
    for _ in $(seq 100); do
        if ! kill -0 "$(cat "$pidfile")" 2>/dev/null; then
            echo "Xvfb exited at start:" >&2
            tail -5 "$dir/xvfb.log" >&2
            exit 1
        fi
        number=$(tr -dc '0-9' <"$dir/display" 2>/dev/null || true)
        if [ -n "$number" ] && DISPLAY=:$number xdpyinfo >/dev/null 2>&1; then
            echo "DISPLAY=:$number"
            exit 0
        fi
        sleep 0.1
    done
    echo "Xvfb did not answer within 10 s" >&2
    kill "$(cat "$pidfile")" 2>/dev/null || true
    exit 1
    ;;
stop)
    [ -f "$pidfile" ] || exit 0
    pid=$(cat "$pidfile")
    kill "$pid" 2>/dev/null || true
    for _ in $(seq 50); do
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.1
    done
    rm -f "$pidfile"
    ;;
*) usage ;;
esac
