#!/usr/bin/env bash
# How long the File menu takes to show when it is asked for 100 ms after START,
# with a sound server that accepts connections but never answers (stopped with
# SIGSTOP), and, for comparison, with one that answers. START is the program's
# first use of the sound: it loads the sound module and connects then, so a
# window that waits for the server shows its menu late.
# Usage: bench/frozen_server_menu.sh [path of the built program] [rounds]
# Prints every round's figure and the median, in milliseconds, for each case.
# The figure includes the polling (an xdotool run every few milliseconds): the
# third case, Alt+F with no START, is that floor. Run it while nothing else
# loads the machine (flock /tmp/qv-build.lock bash bench/frozen_server_menu.sh).
set -euo pipefail

program=${1:-$(dirname "$0")/../build/bin/quorvantel}
rounds=${2:-7}
[ -x "$program" ] || { echo "no program at $program (build the quorvantel target first)"; exit 1; }
program=$(cd "$(dirname "$program")" && pwd)/$(basename "$program")

work=$(mktemp -d /tmp/qv-frozen.XXXXXX)
export HOME=$work/home XDG_CONFIG_HOME=$work/config XDG_RUNTIME_DIR=$work/runtime
mkdir -p "$HOME" "$XDG_RUNTIME_DIR" "$work/pulse"
chmod 700 "$XDG_RUNTIME_DIR" "$work/pulse"
export DBUS_SESSION_BUS_ADDRESS=unix:path=/nonexistent/qv-no-session-bus
pids=()
pulse_pid=

stop_all() {
    [ -n "$pulse_pid" ] && kill -CONT "$pulse_pid" 2>/dev/null
    for ((i = ${#pids[@]} - 1; i >= 0; i--)); do
        kill "${pids[i]}" 2>/dev/null || true
        wait "${pids[i]}" 2>/dev/null || true
    done
    rm -rf "$work"
}
trap stop_all EXIT

display=61
while [ -e "/tmp/.X${display}-lock" ]; do display=$((display + 1)); done
export DISPLAY=:$display
Xvfb "$DISPLAY" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
pids+=($!)
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
openbox >/dev/null 2>&1 &
pids+=($!)
source "$(dirname "$0")/../scripts/services.sh"
qv_wait_window_manager "$DISPLAY"

# A sound server of this script's own, on a socket nobody else uses, so that
# stopping it touches no other program.
socket=$work/pulse/native
XDG_RUNTIME_DIR=$work/pulse pulseaudio -n --daemonize=no --exit-idle-time=-1 --disallow-exit \
    --use-pid-file=no --load="module-null-sink sink_name=null" \
    --load="module-native-protocol-unix auth-anonymous=1 socket=$socket" >/dev/null 2>&1 &
pulse_pid=$!
pids+=($pulse_pid)
export PULSE_SERVER=unix:$socket
for _ in $(seq 100); do pactl info >/dev/null 2>&1 && break; sleep 0.1; done
pactl info >/dev/null 2>&1 || { echo "the sound server did not start"; exit 1; }

mkdir -p "$work/app"
cp "$program" "$work/app/quorvantel"
ln -sf "$(dirname "$program")/quorvantel-sound.so" "$work/app/quorvantel-sound.so"

visible_windows() { xdotool search --onlyvisible --class '^quorvantel$' 2>/dev/null | wc -l; }

# One round: a fresh start, START, Alt+F 100 ms later; the milliseconds from
# Alt+F until a second window of the program (the menu) is on the screen.
one_round() {
    local frozen=$1
    # A run ended by a signal comes back at the next start (its state is kept
    # under HOME), where SPACE would stop it: every round starts afresh.
    rm -rf "$XDG_CONFIG_HOME" "$HOME" "$work/app/timers.xml"
    mkdir -p "$HOME"
    "$work/app/quorvantel" >/dev/null 2>&1 &
    local pid=$!
    pids+=($pid)
    local win
    win=$(timeout 30 xdotool search --sync --onlyvisible --name '^Quorvantel 1\.02$' | head -1)
    [ -n "$win" ] || { echo "no window" >&2; return 1; }
    xdotool windowactivate --sync "$win" >/dev/null 2>&1 || true
    sleep 1
    local before
    before=$(visible_windows)
    [ "$frozen" = 1 ] && kill -STOP "$pulse_pid"
    [ "$frozen" = idle ] || xdotool key --clearmodifiers space
    sleep 0.1
    local t0 t1 shown=0
    t0=$(date +%s%N)
    xdotool key --clearmodifiers alt+f
    for _ in $(seq 2000); do
        if [ "$(visible_windows)" -gt "$before" ]; then
            shown=1
            break
        fi
    done
    t1=$(date +%s%N)
    # A START that never reached the window would measure nothing: once a
    # second has passed, the program title counts.
    sleep 1.5
    local title
    title=$(xprop -id "$win" _NET_WM_ICON_NAME 2>/dev/null | sed -n 's/.* = "\(.*\)"$/\1/p')
    [ "$frozen" = 1 ] && kill -CONT "$pulse_pid"
    xdotool key Escape
    kill -TERM "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
    [ "$shown" = 1 ] || { echo "the menu never showed" >&2; return 1; }
    case $frozen:$title in idle:* | *:"Quorvantel - "*) ;;
    *) echo "START did not take (title '$title')" >&2; return 1 ;; esac
    echo $(((t1 - t0) / 1000000))
}

# "idle" is the floor of the method: Alt+F without START, the server answering.
for frozen in 1 0 idle; do
    figures=()
    for _ in $(seq "$rounds"); do figures+=("$(one_round "$frozen")"); done
    median=$(printf '%s\n' "${figures[@]}" | sort -n | sed -n "$(((rounds + 1) / 2))p")
    label="server answering"
    [ "$frozen" = 1 ] && label="server frozen"
    [ "$frozen" = idle ] && label="no START (the method's floor)"
    echo "$label: menu after ${figures[*]} ms; median $median ms"
done
