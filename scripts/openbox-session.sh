#!/usr/bin/env bash
# A window manager (openbox) on a test's private X server, with a fresh
# configuration: the system's defaults, as a new user's session starts it.
# Under a window manager a window is mapped, framed and exposed later than
# on a bare server, and a program must paint it then.
#
#   openbox-session.sh start DIR   starts openbox on $DISPLAY, with DIR (an
#                                  empty folder) for its files, and waits
#                                  until it manages the screen
#   openbox-session.sh stop DIR    stops the openbox started in DIR
set -euo pipefail
# shellcheck source=lib/background-server.sh
. "$(dirname "$0")/lib/background-server.sh"

server_arguments "$@"
pidfile=$dir/openbox.pid

# A window manager names its check window on the root window once it runs.
openbox_ready() {
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'
}

case $action in
start)
    require_tools openbox xprop
    [ -n "${DISPLAY:-}" ] || { echo "no DISPLAY for openbox" >&2; exit 1; }
    # Nothing of the user's own configuration, cache or session; the
    # system's themes, whatever data folders the programs under it see.
    mkdir -p "$dir/config" "$dir/cache"
    XDG_CONFIG_HOME=$dir/config XDG_CACHE_HOME=$dir/cache \
        XDG_DATA_DIRS=/usr/local/share:/usr/share \
        openbox --sm-disable </dev/null >"$dir/openbox.log" 2>&1 &
    echo $! >"$pidfile"
    wait_for_server openbox "$pidfile" "$dir/openbox.log" openbox_ready
    ;;
stop)
    stop_server "$pidfile"
    ;;
esac
