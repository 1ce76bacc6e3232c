#!/usr/bin/env bash
# A running timer outlives the program: the real program under an X server,
# stalled with SIGSTOP, killed with SIGKILL, ended with SIGTERM and closed by
# the user, each time started again. The countdown is read from the program
# title, the notification from a real notification server (dunst) on a private
# session bus, the sound from the test sound server's null sink.
# Usage: outlives.sh <program>
set -uo pipefail

program=${1:?usage: outlives.sh <path of the built program>}
# The test sound server lives in the runtime folder the test script made;
# this script's own runtime folder comes next.
pulse=${PULSE_SERVER:-unix:${XDG_RUNTIME_DIR:-/nonexistent}/pulse/native}
source "$(dirname "$0")/common.bash"
source "$(dirname "$0")/timer_file.bash"

for tool in dbus-daemon dunst dunstctl parec; do
    command -v "$tool" >/dev/null || { fail "$tool is not installed (scripts/deps.sh)"; exit 1; }
done
if ! pactl -s "$pulse" info >/dev/null 2>&1; then
    echo "no test sound server at $pulse (scripts/test.sh starts one)"
    [ -n "${CI:-}" ] && exit 1
    exit 0
fi
export PULSE_SERVER=$pulse

export HOME=$work/home XDG_CONFIG_HOME=$work/config XDG_RUNTIME_DIR=$work/runtime
unset XDG_STATE_HOME
mkdir -p "$HOME" "$XDG_CONFIG_HOME" "$XDG_RUNTIME_DIR" "$work/app"
chmod 700 "$XDG_RUNTIME_DIR"
place_program "$program" "$work/app/quorvantel"
app=$work/app/quorvantel
timers=$work/app/timers.xml
prefs=$XDG_CONFIG_HOME/Brindlemoor/Quorvantel.conf
state=$HOME/.local/state/Quorvantel/run-state.json

qv_start_session_bus "$work" || { fail "no session bus"; exit 1; }
cat >"$work/dunstrc" <<CONF
[global]
    monitor = 0
    follow = none
    format = "%a|%s|%b"
[urgency_critical]
    timeout = 0
CONF
dunst -config "$work/dunstrc" -print >"$work/dunst.out" 2>"$work/dunst.err" &
pids+=($!)
for _ in $(seq 50); do dunstctl count displayed >/dev/null 2>&1 && break; sleep 0.1; done

launch() {
    "$app" >>"$work/log" 2>>"$work/stderr" &
    pid=$!
    pids+=($pid)
}
now() { date +%s.%N; }
# The seconds a title shows, or -1 when it shows none.
title_seconds() {
    local t
    t=$(icon_name "$1")
    [[ $t =~ ([0-9]{2}):([0-9]{2}):([0-9]{2})$ ]] || { echo -1; return; }
    echo $((10#${BASH_REMATCH[1]} * 3600 + 10#${BASH_REMATCH[2]} * 60 + 10#${BASH_REMATCH[3]}))
}
largest_error=0
# on_time <what> <window> <begun> <from>: the title within a second of what a
# run begun at <begun> (on the wall clock) from <from> seconds shows now. The
# title is read between two readings of the clock; the error is the distance
# to the nearer of the two times due then.
on_time() {
    local shown expected error before after
    before=$(now)
    shown=$(title_seconds "$2")
    after=$(now)
    read -r expected error <<<"$(python3 -c "
import math
due = [max(0, $4 - math.floor(t - $3)) for t in ($before, $after)]
print(due[0], min(abs($shown - d) for d in due))")"
    [ "$error" -gt "$largest_error" ] && largest_error=$error
    if [ "$shown" -ge 0 ] && [ "$error" -le 1 ]; then
        echo "ok: $1 (shows $shown s, the wall clock says $expected)"
    else
        fail "$1: shows $shown s, the wall clock says $expected"
    fi
}
# record <file>: the null sink's monitor from now on, until stop_recording.
record() {
    parec -s "$pulse" -d null.monitor --raw --format=s16le --rate=44100 --channels=2 \
        --latency-msec=20 >"$1" 2>/dev/null &
    recorder=$!
    pids+=($recorder)
    sleep 0.3
}
stop_recording() {
    kill "$recorder" 2>/dev/null
    wait "$recorder" 2>/dev/null
}
# sounds <file> [from] [to]: how many separate sounds the recording holds
# between those seconds of it (louder than a whisper, 200 ms of silence apart).
sounds() {
    python3 - "$1" "${2:-0}" "${3:-1e9}" <<'PY'
import array, sys
data = array.array("h", open(sys.argv[1], "rb").read())
rate, lo, hi = 44100, float(sys.argv[2]), float(sys.argv[3])
block = rate // 100  # 10 ms of frames
count, quiet, loud = 0, 1000, False
for i in range(0, len(data) // 2 - block, block):
    t = i / rate
    level = max(abs(v) for v in data[2 * i:2 * (i + block)])
    if level > 1000:
        if not loud and quiet >= 20 and lo <= t <= hi:
            count += 1
        loud, quiet = True, 0
    else:
        loud = False
        quiet += 1
print(count)
PY
}

# First start writes "Timer 1", from 121 s with a beep every 5 seconds.
timer_file_xml 1 121 | sed 's/StartTime="121"/StartTime="121" GenAnnInterval="5" GenAnnAction="1"/' >"$timers"

# --- a stall: SIGSTOP for 10 s costs the countdown nothing -----------------------------
launch
win=$(main_window)
[ -n "$win" ] || { fail "the main window did not appear"; cat "$work/log" "$work/stderr"; exit 1; }
record "$work/before.raw"
press "$win" space
# The run began a second before the title first shows 00:02:00.
for _ in $(seq 100); do [ "$(title_seconds "$win")" == 120 ] && break; sleep 0.02; done
begun=$(python3 -c "import time; print(time.time() - 1)")
sleep 1.5
stop_recording
check "the recorder hears the beep at 00:02:00" "1" "$(sounds "$work/before.raw")"
record "$work/stall.raw"
kill -STOP "$pid"
sleep 10
stalled=$(now)
kill -CONT "$pid"
sleep 2
on_time "on time 2 s after a 10 s stall" "$win" "$begun" 121
stop_recording
# The recording began 0.3 s before the stall; the continue is 10 s after.
check "at most one beep at the continue" "ok" \
    "$([ "$(sounds "$work/stall.raw" 10 12.3)" -le 1 ] && echo ok)"

# --- SIGKILL while counting: the next start takes the run up -----------------------------
rounds=0
for round in 1 2 3; do
    kill -9 "$pid"
    wait "$pid" 2>/dev/null
    sleep 1.5
    launch
    win=$(main_window)
    [ -n "$win" ] || { fail "no window after kill $round"; break; }
    sleep 0.3
    on_time "counting again after kill $round" "$win" "$begun" 121
    rounds=$((rounds + 1))
done

# --- SIGTERM while counting: a close's saves, exit 0, the run kept ----------------------
rm -f "$prefs"
before=$(stat -c %Y.%N "$timers" 2>/dev/null)
kill -TERM "$pid"
wait_exit "$pid" 2
check "SIGTERM ends the program with status 0 within a second or two" "0" "$?"
check "the preferences were written" "yes" "$([ -s "$prefs" ] && grep -q '^SNumSettings=' "$prefs" && echo yes)"
check "the timer file is still whole" "1" "$(grep -c '<ROW Name="Timer 1"' "$timers")"
check "the run was kept" "yes" "$(grep -q '"state":"counting"' "$state" && echo yes)"
launch
win=$(main_window)
sleep 0.3
on_time "counting again after SIGTERM" "$win" "$begun" 121

# --- a close the user confirms ends the run ------------------------------------------------
press "$win" alt+F4
confirm=$(timeout 10 xdotool search --sync --onlyvisible --name '^Confirm$' | head -1)
if [ -n "$confirm" ]; then
    press "$confirm" alt+y
else
    fail "no question when closing while running"
fi
wait_exit "$pid" 10
check "a confirmed close ends the program" "0" "$?"
launch
win=$(main_window)
sleep 1.3
check "after a confirmed close the next start is idle" "Quorvantel" "$(icon_name "$win")"

# --- SIGKILL with a 3-second timer, started again after its zero ------------------------
press "$win" alt+F4
wait_exit "$pid" 10
sed -i 's/StartTime="121"/StartTime="3"/' "$timers"
launch
win=$(main_window)
press "$win" space
sleep 0.5
kill -9 "$pid"
wait "$pid" 2>/dev/null
sleep 4
rounds=$((rounds + 1))
record "$work/late.raw"
launch
win=$(main_window)
[ -n "$win" ] || fail "no window after the zero passed"
for _ in $(seq 50); do [ "$(dunstctl count displayed)" -ge 1 ] 2>/dev/null && break; sleep 0.1; done
check "the notification tells of the zero" "Quorvantel|Timer 1|Timer 1 reached zero at" \
    "$(grep -m1 -o 'Quorvantel|Timer 1|Timer 1 reached zero at' "$work/dunst.out")"
grep -q 'while Quorvantel was not running' "$work/dunst.out" &&
    echo "ok: it says the program was not running" || fail "the notification does not say when"
check "program title flashing at zero" "Quorvantel - 00:00:00" "$(icon_name "$win")"
lit=0 blank=0
for _ in $(seq 16); do
    n=$(red_pixels "$win")
    if [ "$n" -ge 8000 ]; then lit=$((lit + 1)); elif [ "$n" -le 1000 ]; then blank=$((blank + 1)); fi
    sleep "0.$(printf %02d $((RANDOM % 15 + 2)))"
done
[ "$lit" -ge 2 ] && [ "$blank" -ge 2 ] && echo "ok: the display flashes ($lit lit, $blank blank)" ||
    fail "the display does not flash: $lit lit, $blank blank of 16 looks"
sleep 1
stop_recording
check "no sound for a zero that passed while the program was not running" "0" "$(sounds "$work/late.raw")"
press "$win" space
sleep 0.3
check "SPACE ends the flash" "Quorvantel" "$(icon_name "$win")"
press "$win" alt+F4
wait_exit "$pid" 10
check "program ends after close" "0" "$?"
check "nothing on the error output" "" "$(grep -v -e '^$' "$work/stderr")"

echo "kill and restart rounds: $rounds; largest timing error: $largest_error s"
if [ "$failures" -ne 0 ]; then
    echo "$failures check(s) failed; program output:"
    cat "$work/log" "$work/stderr"
    echo "--- dunst"; tail -n 20 "$work/dunst.out" "$work/dunst.err"
    exit 1
fi
echo "all checks passed"
