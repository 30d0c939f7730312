#!/usr/bin/env bash
# A private PulseAudio server with one null sink, for the sound tests.
#
#   pulse-null.sh start DIR   starts it with DIR (an empty folder) as its home
#                             and runtime folder, waits until it answers, and
#                             prints the variables a client needs, one
#                             NAME=VALUE a line (PULSE_SERVER, PULSE_SINK,
#                             PULSE_MONITOR). Fails with a reason on stderr.
#   pulse-null.sh stop DIR    stops the server started in DIR.
#
# Works as root too: the server runs per user (--system=false) in DIR, with
# anonymous access on its socket, so no cookie or session bus is needed.
set -euo pipefail

usage() { echo "usage: $0 start|stop DIR" >&2; exit 2; }
[ $# -eq 2 ] || usage
action=$1
dir=$(cd "$2" && pwd)
socket=$dir/native
sink=tolvane_null
pidfile=$dir/server.pid

case $action in
start)
    for tool in pulseaudio pactl; do
        command -v "$tool" >/dev/null || { echo "$tool is not installed" >&2; exit 1; }
    done
    mkdir -p "$dir/runtime"
    chmod 700 "$dir" "$dir/runtime"
    HOME=$dir XDG_RUNTIME_DIR=$dir/runtime XDG_CONFIG_HOME=$dir/config \
        pulseaudio -n --daemonize=no --system=false --exit-idle-time=-1 \
        --realtime=no --high-priority=no --use-pid-file=no --log-target=stderr \
        -L "module-native-protocol-unix socket=$socket auth-anonymous=1" \
        -L "module-null-sink sink_name=$sink rate=44100 channels=2" \
        </dev/null >"$dir/server.log" 2>&1 &
    echo $! >"$pidfile"
    export PULSE_SERVER=unix:$socket HOME=$dir
    for _ in $(seq 100); do
        if ! kill -0 "$(cat "$pidfile")" 2>/dev/null; then
            echo "pulseaudio exited at start:" >&2
            tail -5 "$dir/server.log" >&2
            exit 1
        fi
        if pactl list short sinks 2>/dev/null | grep -q "$sink"; then
            echo "PULSE_SERVER=$PULSE_SERVER"
            echo "PULSE_SINK=$sink"
            echo "PULSE_MONITOR=$sink.monitor"
            exit 0
        fi
        sleep 0.1
    done
    echo "pulseaudio did not answer within 10 s" >&2
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
