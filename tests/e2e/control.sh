#!/usr/bin/env bash
# Driving and reading the real program from outside its window: the command
# line of a second process, the D-Bus interface on a private session bus
# (dbus-send, and dbus-monitor for what the program sends), the desktop
# entry's actions, and a command refused while a dialog is open.
# Usage: control.sh <program>
set -uo pipefail

program=${1:?usage: control.sh <path of the built program>}
source "$(dirname "$0")/common.bash"
source "$(dirname "$0")/timer_file.bash"

for tool in dbus-daemon dbus-send dbus-monitor gdbus desktop-file-validate; do
    command -v "$tool" >/dev/null || { fail "$tool is not installed (scripts/deps.sh)"; exit 1; }
done

export HOME=$work/home XDG_CONFIG_HOME=$work/config XDG_RUNTIME_DIR=$work/runtime
mkdir -p "$HOME" "$XDG_CONFIG_HOME" "$XDG_RUNTIME_DIR" "$work/app"
chmod 700 "$XDG_RUNTIME_DIR"
export PULSE_SERVER=unix:/nonexistent
place_program "$program" "$work/app/quorvantel"
q=$work/app/quorvantel
timers=$work/app/timers.xml

qv_start_session_bus "$work" || { fail "no session bus"; exit 1; }

# run <args...>: the command line of a second process; sets out, err, rc.
run() {
    out=$(timeout 20 "$q" "$@" 2>"$work/err")
    rc=$?
    err=$(cat "$work/err")
}
state_of() { run --status; cut -f3 <<<"$out"; }
timer_of() { run --status; cut -f1 <<<"$out"; }
call() { # call <method> [args...]: a method of the program's own interface
    local method=$1
    shift
    dbus-send --session --print-reply --dest=net.brindlemoor.Quorvantel /net/brindlemoor/Quorvantel \
        "net.brindlemoor.Quorvantel1.$method" "$@" 2>&1
}
property() {
    dbus-send --session --print-reply=literal --dest=net.brindlemoor.Quorvantel /net/brindlemoor/Quorvantel \
        org.freedesktop.DBus.Properties.Get string:net.brindlemoor.Quorvantel1 "string:$1" 2>&1 |
        sed 's/^ *variant *//; s/^ *//'
}

timer_file_xml 3 300 >"$timers"

# --- with no copy running -----------------------------------------------------
run --status
check "--status with no copy prints nothing" "" "$out$err"
check "--status with no copy exits 1" "1" "$rc"
run --list
check "--list with no copy reads the timer file" "Timer 1,Timer 2,Timer 3" "$(paste -sd, <<<"$out")"
run --frobnicate
check "an unknown option is a usage error" "2" "$rc"
grep -q "Unknown option 'frobnicate'" <<<"$err" && echo "ok: it says which option" || fail "usage error said: $err"

# --- --start with no copy running starts one that counts ----------------------------
"$q" --start "timer 2" >>"$work/log" 2>&1 &
pid=$!
pids+=($pid)
win=$(main_window)
[ -n "$win" ] || { fail "--start started no window"; cat "$work/log"; exit 1; }
for _ in $(seq 50); do busctl_ok=$(dbus-send --session --print-reply --dest=org.freedesktop.DBus / \
    org.freedesktop.DBus.NameHasOwner string:net.brindlemoor.Quorvantel 2>/dev/null | grep -c true)
    [ "$busctl_ok" == 1 ] && break; sleep 0.1; done
check "the program owns its name on the bus" "1" "$busctl_ok"
sleep 1.3
case $(icon_name "$win") in
"Quorvantel - 00:01:5"[5-9]) echo "ok: --start NAME started that timer ($(icon_name "$win"))" ;;
*) fail "--start NAME: the title is '$(icon_name "$win")'" ;;
esac

# --- the command line against the running copy -----------------------------------
run --status
[[ $out =~ ^Timer\ 2$'\t'00:01:5[5-9]$'\t'counting$ ]] && echo "ok: --status ($out)" || fail "--status: '$out' ($rc)"
run --status --json
python3 -c '
import json, sys
o = json.loads(sys.argv[1])
assert set(o) == {"timer", "timeLeft", "secondsLeft", "state"}, o
assert o["timer"] == "Timer 2" and o["state"] == "counting" and 110 < o["secondsLeft"] < 120, o
assert o["timeLeft"] == "00:%02d:%02d" % divmod(o["secondsLeft"], 60), o
' "$out" && echo "ok: --status --json" || fail "--status --json: '$out'"
run --list
check "--list from the running copy" "Timer 1,Timer 2,Timer 3" "$(paste -sd, <<<"$out")"
run --start "Timer 3"
check "--start while counting changes nothing" "0 Timer 2 counting" "$rc $(timer_of) $(state_of)"
run --start Nope
check "--start with an unknown name exits 2" "2" "$rc"
check "and says so" 'quorvantel: There is no timer named "Nope".' "$err"
check "and changes nothing" "Timer 2 counting" "$(timer_of) $(state_of)"

# The bus hears of a change of state, and of nothing while the timer counts.
dbus-monitor --session "type='signal',interface='org.freedesktop.DBus.Properties',path='/net/brindlemoor/Quorvantel'" \
    >"$work/monitor" 2>&1 &
monitor=$!
pids+=($monitor)
sleep 2.5
check "no PropertiesChanged while the timer counts" "0" "$(grep -c PropertiesChanged "$work/monitor")"

run --stop
check "--stop" "0 paused Quorvantel" "$rc $(state_of) $(icon_name "$win")"
run --reset
check "--reset" "0 idle 00:02:00" "$rc $(state_of) $(run --status; cut -f2 <<<"$out")"
run --toggle
check "--toggle starts, as SPACE does" "0 counting" "$rc $(state_of)"
sleep 1.2
press "$win" space
check "SPACE stops it, as --toggle would" "paused" "$(state_of)"
sleep 0.5
kill "$monitor" 2>/dev/null
wait "$monitor" 2>/dev/null
changes=$(grep -c PropertiesChanged "$work/monitor")
check "one PropertiesChanged for each change of state (stop, reset, start, stop)" "4" "$changes"
grep -A12 PropertiesChanged "$work/monitor" | grep -q '"State"' &&
    echo "ok: PropertiesChanged names State" || fail "PropertiesChanged without State"

# --- D-Bus methods and properties -------------------------------------------------
check "State property" "paused" "$(property State)"
check "Timer property" "Timer 2" "$(property Timer)"
left=$(property TimeLeft | awk '{print $2}')
[ "${left:-0}" -gt 100 ] 2>/dev/null && echo "ok: TimeLeft property ($left s)" || fail "TimeLeft: '$left'"
call Reset >/dev/null
call Start "string:timer 1" >/dev/null
check "Start(name) over D-Bus" "Timer 1 counting" "$(timer_of) $(state_of)"
sleep 1.1
reply=$(call Start string:Nope)
grep -q 'net.brindlemoor.Quorvantel1.Error.NoSuchTimer' <<<"$reply" &&
    echo "ok: Start with an unknown name is a NoSuchTimer error" || fail "Start(Nope): $reply"
call Stop >/dev/null
check "Stop over D-Bus" "paused" "$(state_of)"
call Toggle >/dev/null
check "Toggle over D-Bus" "counting" "$(state_of)"
check "List over D-Bus" "3" "$(call List | grep -c 'string "Timer')"
sleep 1.1
action() { # what a launcher sends for a desktop action (dbus-send cannot send its av)
    gdbus call --session --dest net.brindlemoor.Quorvantel --object-path /net/brindlemoor/Quorvantel \
        --method org.freedesktop.Application.ActivateAction "$1" '[]' '{}' 2>&1
}
action toggle >/dev/null
check "the desktop action toggle over D-Bus" "paused" "$(state_of)"
action reset >/dev/null
check "the desktop action reset over D-Bus" "idle" "$(state_of)"
grep -q 'InvalidArgs' <<<"$(action frobnicate)" && echo "ok: an unknown action is an error" ||
    fail "an unknown action was not refused"
introspection=$(dbus-send --session --print-reply=literal --dest=net.brindlemoor.Quorvantel \
    /net/brindlemoor/Quorvantel org.freedesktop.DBus.Introspectable.Introspect)
for part in 'interface name="net.brindlemoor.Quorvantel1"' 'interface name="org.freedesktop.Application"' \
    'method name="Start"' 'method name="ActivateAction"' 'property name="TimeLeft" type="u" access="read"' \
    'property name="State" type="s" access="read"'; do
    grep -qF "$part" <<<"$introspection" && echo "ok: introspection has $part" || fail "introspection lacks $part"
done

# --- refused while a dialog owns the keyboard --------------------------------------
press "$win" alt+s
sleep 0.3
xdotool key --clearmodifiers t
dialog=$(timeout 10 xdotool search --sync --onlyvisible --name '^Timer settings$' | head -1)
if [ -n "$dialog" ]; then
    run --toggle
    check "--toggle while the timer settings dialog is open exits 1" "1" "$rc"
    grep -q 'dialog is open' <<<"$err" && echo "ok: it says why ($err)" || fail "refusal said: '$err'"
    reply=$(call Toggle)
    grep -q 'net.brindlemoor.Quorvantel1.Error.Busy' <<<"$reply" && echo "ok: D-Bus Toggle is Busy" ||
        fail "D-Bus Toggle while the dialog is open: $reply"
    check "the dialog stays open" "$dialog" "$(xdotool search --onlyvisible --name '^Timer settings$' | head -1)"
    check "and the run as it was" "idle" "$(state_of)"
    press "$dialog" Escape
    sleep 0.3
else
    fail "the timer settings dialog did not open"
fi

# --- the desktop entry and its actions ------------------------------------------------
entry=${QV_SOURCE_DIR:-$(dirname "$0")/../..}/resources/net.brindlemoor.Quorvantel.desktop
check "desktop-file-validate passes" "" "$(desktop-file-validate "$entry" 2>&1)"
check "its actions" "toggle;reset;" "$(sed -n 's/^Actions=//p' "$entry")"
check "the toggle action runs --toggle" "quorvantel --toggle" "$(sed -n '/^\[Desktop Action toggle\]/,/^\[/s/^Exec=//p' "$entry")"

press "$win" alt+F4
wait_exit "$pid" 10
check "program ends after close" "0" "$?"

if [ "$failures" -ne 0 ]; then
    echo "$failures check(s) failed; program output:"
    cat "$work/log"
    exit 1
fi
echo "all checks passed"
