#!/usr/bin/env bash
# The real program under an X server with a window manager: first start, the
# program title while a timer runs, SPACE and ESC, a second copy, closing, and
# what reaches the timer file and the preferences. Usage: program.sh <program>
set -uo pipefail

program=${1:?usage: program.sh <path of the built program>}
source "$(dirname "$0")/common.bash"

export HOME=$work/home XDG_CONFIG_HOME=$work/config XDG_RUNTIME_DIR=$work/runtime
mkdir -p "$HOME" "$XDG_CONFIG_HOME" "$XDG_RUNTIME_DIR" "$work/app"
chmod 700 "$XDG_RUNTIME_DIR"
# Sound goes to the test sound server when there is one; never start one of our own.
export PULSE_SERVER=${PULSE_SERVER:-unix:/nonexistent}
place_program "$program" "$work/app/quorvantel"
app=$work/app/quorvantel
timers=$work/app/timers.xml
prefs=$XDG_CONFIG_HOME/Brindlemoor/Quorvantel.conf

launch() {
    "$app" >>"$work/log" 2>&1 &
    pids+=($!)
    pid=$!
}
caption() {
    xprop -id "$1" WM_NAME | sed -n 's/.* = "\(.*\)"$/\1/p'
}
pref() { sed -n "s/^$1=//p" "$prefs"; }

# --- first start ---------------------------------------------------------------
launch
win=$(main_window)
[ -n "$win" ] || { fail "the main window did not appear"; cat "$work/log"; exit 1; }
check "timer file written at start-up" "yes" "$([ -f "$timers" ] && echo yes)"
check "empty table at first start" "0" "$(grep -c '<ROW ' "$timers")"
check "settings version written at start-up" "1.0" "$(pref CurrentVer)"
check "no other value before the close" "" "$(pref TimerColors)"
check "window caption" "Quorvantel 1.02" "$(caption "$win")"
check "program title when idle" "Quorvantel" "$(icon_name "$win")"
# The sound server's client and the decoders come with the sound module, at
# the first run, not with the window.
sound_libraries() { grep -o 'libpulse\.so\|libsndfile\.so\|quorvantel-sound\.so' "/proc/$pid/maps" | sort -u | tr '\n' ' '; }
check "no sound libraries loaded before the first run" "" "$(sound_libraries)"

# --- SPACE starts, the title counts, SPACE stops, ESC resets -------------------
press "$win" space
sleep 2.5
title=$(icon_name "$win")
case $title in
"Quorvantel - 00:04:5"[5-9]) echo "ok: program title while running ($title)" ;;
*) fail "program title while running: got '$title'" ;;
esac
check "caption while running" "Quorvantel 1.02" "$(caption "$win")"
check "sound module loaded by the first run" "libpulse.so libsndfile.so quorvantel-sound.so " "$(sound_libraries)"
press "$win" space
sleep 0.3
check "program title after STOP" "Quorvantel" "$(icon_name "$win")"
press "$win" Escape
sleep 0.3
check "program title after ESC" "Quorvantel" "$(icon_name "$win")"

# --- a second copy brings the idle first copy back and writes nothing --------------
xdotool windowminimize --sync "$win"
before=$(md5sum "$timers" "$prefs")
launch
second=$pid
wait_exit "$second" 15
check "second copy ends at once and cleanly" "0" "$?"
check "second copy wrote nothing" "$before" "$(md5sum "$timers" "$prefs")"
check "first copy came forward" "$win" \
    "$(timeout 10 xdotool search --sync --onlyvisible --name '^Quorvantel 1\.02$' | head -1)"
check "one window only" "1" "$(xdotool search --onlyvisible --name '^Quorvantel 1\.02$' | wc -l)"

# --- closing while running asks; No keeps it running --------------------------
press "$win" space
sleep 1.2
press "$win" alt+F4
confirm=$(timeout 10 xdotool search --sync --onlyvisible --name '^Confirm$' | head -1)
if [ -n "$confirm" ]; then
    echo "ok: closing while running asks for confirmation"
    press "$confirm" Escape
    sleep 0.5
else
    fail "no confirmation when closing while running"
fi
case $(icon_name "$win") in
"Quorvantel - "*) echo "ok: still running after answering No" ;;
*) fail "the run did not go on after answering No" ;;
esac
check "nothing written after answering No" "" "$(pref TimerColors)"

# --- while it counts down its title is not "Quorvantel": a second copy leaves it be
xdotool windowminimize --sync "$win"
launch
wait_exit "$pid" 15
check "second copy ends while the first counts down" "0" "$?"
sleep 1
check "the counting copy was not brought forward" "0" \
    "$(xdotool search --onlyvisible --name '^Quorvantel 1\.02$' | wc -l)"
xdotool windowmap --sync "$win"

# --- stop, close: the table and all preference values are written -----------------
press "$win" space
sleep 0.3
press "$win" alt+F4
wait_exit "${pids[0]}" 15
check "program ends after close" "0" "$?"
check "timer file holds Timer 1" "1" "$(grep -c '<ROW Name="Timer 1" StartTime="300"' "$timers")"
check "LED colours stored" "000000FF00000033" "$(pref TimerColors)"
check "background colours stored" "00FF000000000000" "$(pref BkgColors)"
check "state, timer, background, keyboard stored" "00000000" "$(pref SNumSettings)"
geometry=$(pref LNumSettings)
[[ $geometry =~ ^[0-9]{16}$ ]] && echo "ok: geometry stored ($geometry)" || fail "geometry '$geometry'"

# --- a second run finds the window where it was left ---------------------------
launch
win=$(main_window)
[ -n "$win" ] || fail "the main window did not appear on the second run"
sleep 0.5
press "$win" alt+F4
wait_exit "$pid" 15
check "second run ends after close" "0" "$?"
check "window place kept across runs" "$geometry" "$(pref LNumSettings)"

if [ "$failures" -ne 0 ]; then
    echo "$failures check(s) failed; program output:"
    cat "$work/log"
    exit 1
fi
echo "all checks passed"
