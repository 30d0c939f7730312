# Shared by the scripts that start a private server for the tests.
# Source it; the functions exit the calling script with its status.

# server_arguments "$@": the action, start or stop, as $action and the
# server's folder, made absolute, as $dir; anything else prints the usage.
server_arguments() {
    if [ $# -ne 2 ] || { [ "$1" != start ] && [ "$1" != stop ]; }; then
        echo "usage: $0 start|stop DIR" >&2
        exit 2
    fi
    action=$1
    dir=$(cd "$2" && pwd)
}

# require_tools TOOL...: fails unless every one is installed.
require_tools() {
    local tool
    for tool in "$@"; do
        command -v "$tool" >/dev/null || { echo "$tool is not installed" >&2; exit 1; }
    done
}

# wait_for_server NAME PIDFILE LOG READY: polls for up to 10 s until the
# command READY succeeds (it prints the client's variables), failing at once
# when the server's process has gone.
wait_for_server() {
    local name=$1 pidfile=$2 log=$3 ready=$4
    for _ in $(seq 100); do
        if ! kill -0 "$(cat "$pidfile")" 2>/dev/null; then
            echo "$name exited at start:" >&2
            tail -5 "$log" >&2
            exit 1
        fi
        "$ready" && exit 0
        sleep 0.1
    done
    echo "$name did not answer within 10 s" >&2
    kill "$(cat "$pidfile")" 2>/dev/null || true
    exit 1
}

# stop_server PIDFILE: stops the server and waits up to 5 s for it to end.
stop_server() {
    local pidfile=$1 pid
    [ -f "$pidfile" ] || exit 0
    pid=$(cat "$pidfile")
    kill "$pid" 2>/dev/null || true
    for _ in $(seq 50); do
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.1
    done
    rm -f "$pidfile"
    exit 0
}
