#!/usr/bin/env bash
# Process-level figures of the real program under Xvfb: time from launch to the
# main window mapped (median of 5 first starts), resident memory after start-up,
# and CPU time over 60 s while a timer counts down and while the display flashes.
# Usage: bench/process_figures.sh [path of the built program] [seconds to measure]
# QV_FIGURES_BUS chooses the session bus: "none" (an address nobody listens on),
# "empty" (a private bus without services), "desktop" (a private bus with a
# notification server and an XEmbed tray); unset keeps the caller's (with none
# set, the D-Bus library may start a bus for the display).
set -euo pipefail

program=${1:-$(dirname "$0")/../build/bin/quorvantel}
span=${2:-60}
[ -x "$program" ] || { echo "no program at $program (build the quorvantel target first)"; exit 1; }

work=$(mktemp -d /tmp/qv-figures.XXXXXX)
export HOME=$work/home XDG_CONFIG_HOME=$work/config XDG_RUNTIME_DIR=$work/runtime
mkdir -p "$HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
export PULSE_SERVER=${PULSE_SERVER:-unix:/nonexistent}
source "$(dirname "$0")/../scripts/lib/services.bash"
pids=()

qv_start_x --from 57
export DISPLAY=$QV_X_DISPLAY
case ${QV_FIGURES_BUS:-} in
none) export DBUS_SESSION_BUS_ADDRESS=unix:path=/nonexistent/bus ;;
empty | desktop)
    qv_start_session_bus "$work"
    if [ "$QV_FIGURES_BUS" = desktop ]; then
        dunst >/dev/null 2>&1 &
        pids+=($!)
        trayer --edge top --align right --widthtype pixel --width 120 --heighttype pixel \
            --height 28 >/dev/null 2>&1 &
        pids+=($!)
    fi
    ;;
esac
sleep 0.5

stop_all() {
    for ((i = ${#pids[@]} - 1; i >= 0; i--)); do
        kill "${pids[i]}" 2>/dev/null || true
        wait "${pids[i]}" 2>/dev/null || true
    done
    qv_stop_started
    rm -rf "$work"
}
trap stop_all EXIT

fresh_copy() {
    rm -rf "$work/app" "$XDG_CONFIG_HOME"
    mkdir -p "$work/app"
    cp "$program" "$work/app/quorvantel"
    ln -s "$(dirname "$program")/quorvantel-sound.so" "$work/app/"
}
launch() {
    "$work/app/quorvantel" >/dev/null 2>&1 &
    pid=$!
    pids+=($pid)
}
wait_window() { timeout 30 xdotool search --sync --onlyvisible --name '^Quorvantel 1\.02$' | head -1; }
# xdotool's own --sync retries every half second; for timing, poll every 10 ms.
wait_mapped() {
    for _ in $(seq 3000); do
        xdotool search --onlyvisible --name '^Quorvantel 1\.02$' >/dev/null 2>&1 && return 0
        sleep 0.01
    done
    return 1
}
end_program() {
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
}
close_program() {
    xdotool windowactivate --sync "$1" >/dev/null 2>&1 || true
    xdotool key --clearmodifiers alt+F4
    wait "$pid" 2>/dev/null || true
}
# CPU seconds of all the program's threads: the scheduler's nanosecond account
# where the kernel keeps one, else user + system clock ticks (10 ms steps).
cpu_seconds() {
    if ls /proc/"$1"/task/*/schedstat >/dev/null 2>&1; then
        cat /proc/"$1"/task/*/schedstat | awk '{ns += $1} END {printf "%.4f", ns / 1e9}'
    else
        awk -v hz="$(getconf CLK_TCK)" '{printf "%.4f", ($14 + $15) / hz}' "/proc/$1/stat"
    fi
}
press_space() {
    xdotool windowactivate --sync "$1" >/dev/null 2>&1 || true
    xdotool key --clearmodifiers space
}

# Launch to mapped window, first start each time (no timer file, no preferences).
times=()
for _ in 1 2 3 4 5; do
    fresh_copy
    t0=$(date +%s%N)
    launch
    wait_mapped
    t1=$(date +%s%N)
    times+=($(((t1 - t0) / 1000000)))
    end_program
done
median=$(printf '%s\n' "${times[@]}" | sort -n | sed -n 3p)

# Resident memory once started, then CPU while counting down.
fresh_copy
launch
win=$(wait_window)
sleep 1
rss=$(awk '/^VmRSS/ {print $2}' "/proc/$pid/status")
press_space "$win"
sleep 1
c0=$(cpu_seconds "$pid")
sleep "$span"
c1=$(cpu_seconds "$pid")
counting=$(awk -v a="$c0" -v b="$c1" 'BEGIN {printf "%.3f", b - a}')
press_space "$win"
sleep 0.3
close_program "$win"

# CPU while the display flashes: the same timer cut to 2 s, run to zero.
sed -i 's/StartTime="300"/StartTime="2"/' "$work/app/timers.xml"
launch
win=$(wait_window)
sleep 1
press_space "$win"
sleep 3.5
c0=$(cpu_seconds "$pid")
sleep "$span"
c1=$(cpu_seconds "$pid")
flashing=$(awk -v a="$c0" -v b="$c1" 'BEGIN {printf "%.3f", b - a}')
end_program

pct() { awk -v c="$1" -v s="$span" 'BEGIN {printf "%.2f%%", 100 * c / s}'; }
printf '\n%-44s %s\n' "Figure" "Value"
printf '%-44s %s\n' "--------------------------------------------" "---------------------"
printf '%-44s %s ms (runs: %s)\n' "Launch to main window mapped (median of 5)" "$median" "${times[*]}"
printf '%-44s %s MiB\n' "Resident memory after start-up" "$(awk -v k="$rss" 'BEGIN {printf "%.1f", k / 1024}')"
printf '%-44s %s s (%s of one core)\n' "CPU over ${span} s while counting down" "$counting" "$(pct "$counting")"
printf '%-44s %s s (%s of one core)\n' "CPU over ${span} s while flashing" "$flashing" "$(pct "$flashing")"
