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
# shellcheck source=lib/background-server.sh
. "$(dirname "$0")/lib/background-server.sh"

server_arguments "$@"
socket=$dir/native
sink=tolvane_null
pidfile=$dir/server.pid

pulse_ready() {
    pactl list short sinks 2>/dev/null | grep -q "$sink" || return 1
    echo "PULSE_SERVER=$PULSE_SERVER"
    echo "PULSE_SINK=$sink"
    echo "PULSE_MONITOR=$sink.monitor"
}

case $action in
start)
    require_tools pulseaudio pactl
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
    wait_for_server pulseaudio "$pidfile" "$dir/server.log" pulse_ready
    ;;
stop)
    stop_server "$pidfile"
    ;;
esac
