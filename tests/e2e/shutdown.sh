#!/usr/bin/env bash
# The program ended at random moments while it speaks the time every second,
# and closed during the first second of the fanfare: every time it ends with
# status 0 and writes nothing to its error output (under the sanitizers, a
# thread that outlived the program, or touched the sound after it was gone,
# would be reported there). Usage: shutdown.sh <program>
set -uo pipefail

program=${1:?usage: shutdown.sh <path of the built program>}
# The test sound server, when there is one, lives in the runtime folder that
# the scripts set up: it is found before that folder is replaced by ours.
pulse_socket=${XDG_RUNTIME_DIR:-/nonexistent}/pulse/native
source "$(dirname "$0")/common.bash"

if [ -z "${PULSE_SERVER:-}" ]; then
    if [ -S "$pulse_socket" ]; then
        export PULSE_SERVER=unix:$pulse_socket
        echo "note: the program plays on the test sound server"
    else
        echo "note: no test sound server; the program runs silent"
        export PULSE_SERVER=unix:/nonexistent
    fi
fi
# Under the sanitizers every use of freed memory and every data fault still
# ends the program with a report; the leak check at exit is off here. Ended by
# a signal at a random moment, Qt's own globals (its D-Bus session connection,
# a Core object of 152 bytes with no frame of ours) are sometimes still in the
# making and are reported as leaks that no code of this program owns.
export ASAN_OPTIONS=detect_leaks=0
export XDG_CONFIG_HOME=$work/config XDG_RUNTIME_DIR=$work/runtime
mkdir -p "$XDG_RUNTIME_DIR" "$work/app"
chmod 700 "$XDG_RUNTIME_DIR"
place_program "$program" "$work/app/quorvantel"
app=$work/app/quorvantel
source "$(dirname "$0")/timer_file.bash"

# timers <row attributes>: one timer, "Timer 1", with these fields.
timers() {
    timer_file_xml 1 300 | sed "s|<ROW Name=\"Timer 1\" StartTime=\"300\"/>|<ROW Name=\"Timer 1\" $1/>|" \
        >"$work/app/timers.xml"
}

# A fresh start each time: a run ended by a signal would come back at the next
# start (its state is kept under HOME), and SPACE would stop it.
launch() {
    rm -rf "$XDG_CONFIG_HOME" "$work/home"
    mkdir -p "$work/home"
    HOME=$work/home "$app" >"$work/out" 2>"$work/err" &
    pid=$!
    pids+=($pid)
    # Looked for every 50 ms: xdotool's own --sync waits half a second a time.
    win=
    for _ in $(seq 600); do
        win=$(xdotool search --onlyvisible --name '^Quorvantel 1\.02$' 2>/dev/null | head -1)
        [ -n "$win" ] && break
        sleep 0.05
    done
    [ -n "$win" ] || return 1
    xdotool windowactivate --sync "$win" >/dev/null 2>&1
    xdotool key --clearmodifiers space
}

# ended <what>: the program has ended with 0 and said nothing on stderr.
ended() {
    local status=124
    for _ in $(seq 1500); do # 30 s, looked at every 20 ms
        if ! kill -0 "$pid" 2>/dev/null; then
            wait "$pid"
            status=$?
            break
        fi
        sleep 0.02
    done
    if [ "$status" -ne 0 ] || [ -s "$work/err" ]; then
        fail "$1: exit status $status, error output:"
        head -c 4000 "$work/err"
        return 1
    fi
    return 0
}

pause_ms() { sleep "$(awk -v ms="$1" 'BEGIN {printf "%.3f", ms / 1000}')"; }

# --- ended by a signal while it speaks every second (the short form, the
# seconds number, each announcement cutting the one before) -----------------------
timers 'StartTime="300" GenAnnInterval="1" GenAnnAction="0"'
signals=(TERM INT HUP)
bad=0
for round in $(seq 50); do
    launch || { fail "round $round: no window"; bad=$((bad + 1)); continue; }
    # From just after START (the sound's first use, while it connects) to the
    # second announcement, anywhere in the first one's clips.
    pause_ms $((RANDOM % 1800 + 200))
    kill -"${signals[round % 3]}" "$pid"
    ended "round $round (SIG${signals[round % 3]})" || bad=$((bad + 1))
done
check "ended 50 times while speaking, each with status 0 and nothing on stderr" 0 "$bad"

# --- the window closed during the first second of the fanfare ------------------
timers 'StartTime="1" TimerExpAction="0"'
bad=0
for round in $(seq 8); do
    launch || { fail "fanfare round $round: no window"; bad=$((bad + 1)); continue; }
    # The fanfare starts when the second has run out.
    pause_ms $((1000 + RANDOM % 1000))
    xdotool key --clearmodifiers alt+F4
    # A close while the timer still counts is asked about: yes, close.
    if confirm=$(timeout 1 xdotool search --sync --onlyvisible --name '^Confirm$' 2>/dev/null | head -1) &&
        [ -n "$confirm" ]; then
        xdotool windowactivate --sync "$confirm" >/dev/null 2>&1
        xdotool key --clearmodifiers alt+y
    fi
    ended "fanfare round $round" || bad=$((bad + 1))
done
check "closed during the fanfare, each with status 0 and nothing on stderr" 0 "$bad"

if [ "$failures" -ne 0 ]; then
    echo "$failures check(s) failed"
    exit 1
fi
echo "all checks passed"
