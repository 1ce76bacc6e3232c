# Shared by the whole-program test scripts (sourced, not run by itself): the X
# server to run on, a work folder that goes away at the end together with every
# process the script started, and checks that count their failures.

if [ -z "${QV_TEST_DISPLAY:-}" ]; then
    echo "QV_TEST_DISPLAY is not set: no X server to run the program on (scripts/test.sh starts one)."
    [ -n "${CI:-}" ] && exit 1
    exit 0
fi
export DISPLAY=$QV_TEST_DISPLAY
# Without a session bus address the D-Bus library would start a bus of its own
# for the X display (dbus-x11), which outlives the test; a script that wants a
# bus starts one (qv_start_session_bus "$work").
export DBUS_SESSION_BUS_ADDRESS=unix:path=/nonexistent/qv-no-session-bus

source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/lib/services.bash"
work=$(mktemp -d /tmp/qv-e2e.XXXXXX)
pids=()
failures=0

# The script's own processes go first, then the services they ran on (a
# private bus from qv_start_session_bus "$work", an X server...).
cleanup() {
    for p in "${pids[@]}"; do
        kill -9 "$p" 2>/dev/null
        wait "$p" 2>/dev/null
    done
    qv_stop_started
    rm -rf "$work"
}
trap cleanup EXIT

# place_program <built program> <file>: a copy of the program under that name,
# with its sound module beside it (a link to the built one, so that a small
# disk holds it).
place_program() {
    cp "$1" "$2"
    ln -sf "$(cd "$(dirname "$1")" && pwd)/quorvantel-sound.so" "$(dirname "$2")/quorvantel-sound.so"
}

# red_pixels <window>: how many of the window's pixels show the LED's lit red
# (red 200 or more, green and blue 40 or less) now, read from the X server.
red_pixels() {
    import -window "$1" -depth 8 rgb:- 2>/dev/null | python3 -c '
import sys
d = sys.stdin.buffer.read()
def mask(channel, test):
    return int.from_bytes(channel.translate(bytes(int(test(v)) for v in range(256))), "big")
print(bin(mask(d[0::3], lambda v: v >= 200) & mask(d[1::3], lambda v: v <= 40)
          & mask(d[2::3], lambda v: v <= 40)).count("1"))'
}

fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
check() { # check <description> <expected> <actual>
    if [ "$2" == "$3" ]; then echo "ok: $1"; else fail "$1: expected '$2', got '$3'"; fi
}

# Waits up to $2 seconds for process $1 to end; its exit status, or 124 on timeout.
wait_exit() {
    local pid=$1 limit=$(($2 * 10))
    for _ in $(seq "$limit"); do
        if ! kill -0 "$pid" 2>/dev/null; then
            wait "$pid"
            return $?
        fi
        sleep 0.1
    done
    return 124
}

# The program's main window (waits for it to be shown), its program title
# (the X11 icon name), and keys pressed in a window (press <window> <keys...>),
# a moment apart so that a menu or dialog a key opens is there for the next.
main_window() { timeout 20 xdotool search --sync --onlyvisible --name '^Quorvantel 1\.02$' | head -1; }
icon_name() { xprop -id "$1" _NET_WM_ICON_NAME | sed -n 's/.* = "\(.*\)"$/\1/p'; }
press() {
    local win=$1 first=1
    shift
    xdotool windowactivate --sync "$win" >/dev/null 2>&1
    for k in "$@"; do
        ((first)) || sleep 0.3
        first=0
        xdotool key --clearmodifiers "$k"
    done
}
