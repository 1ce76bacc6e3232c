#!/usr/bin/env bash
# The real program's flashing display at zero, read from the X server: both
# phases reach the screen, lit and blank, the window can be covered and
# uncovered meanwhile, and after STOP the display stays lit. Once at normal
# size and once at twice the size (QT_SCALE_FACTOR=2), where the phases are
# shown in device pixels. Usage: flashing.sh <program>
set -uo pipefail

program=${1:?usage: flashing.sh <path of the built program>}
source "$(dirname "$0")/common.bash"
source "$(dirname "$0")/timer_file.bash"
command -v import >/dev/null || { fail "import is missing (scripts/deps.sh)"; exit 1; }

export XDG_RUNTIME_DIR=$work/runtime PULSE_SERVER=unix:/nonexistent
mkdir -p "$XDG_RUNTIME_DIR" "$work/app"
chmod 700 "$XDG_RUNTIME_DIR"
place_program "$program" "$work/app/quorvantel"

# The LED's lit red in the window (red_pixels): 12000 pixels for a lit
# "00:00:00" at normal size, 48000 at twice the size; a blank display, whose
# unlit segments are a dark red, leaves the logo's few hundred at most.
# "lit blank" counts of 16 looks. A look itself takes about as long as a
# phase or two (100 ms each), so the pause after each is drawn at random
# between 20 and 160 ms: looks at a steady pace could keep landing on the same
# phase.
phases() {
    local lit=0 blank=0 n
    for _ in $(seq 16); do
        n=$(red_pixels "$1")
        if [ "$n" -ge 8000 ]; then lit=$((lit + 1)); elif [ "$n" -le 1000 ]; then blank=$((blank + 1)); fi
        sleep "0.$(printf %02d $((RANDOM % 15 + 2)))"
    done
    echo "$lit $blank"
}

for scale in 1 2; do
    export HOME=$work/home$scale XDG_CONFIG_HOME=$work/config$scale QT_SCALE_FACTOR=$scale
    mkdir -p "$HOME"
    timer_file_xml 1 1 >"$work/app/timers.xml"
    "$work/app/quorvantel" >>"$work/log" 2>&1 &
    pid=$!
    pids+=($pid)
    win=$(timeout 20 xdotool search --sync --onlyvisible --name '^Quorvantel 1\.02$' | head -1)
    [ -n "$win" ] || { fail "no main window at scale $scale"; break; }
    xdotool windowactivate --sync "$win" >/dev/null 2>&1
    xdotool key --clearmodifiers space
    sleep 2.5

    read -r lit blank <<<"$(phases "$win")"
    [ "$lit" -ge 2 ] && [ "$blank" -ge 2 ] && echo "ok: both phases on screen at scale $scale ($lit lit, $blank blank)" ||
        fail "phases at scale $scale: $lit lit and $blank blank of 16 looks"
    xdotool windowminimize --sync "$win"
    sleep 0.3
    xdotool windowmap --sync "$win"
    xdotool windowactivate --sync "$win" >/dev/null 2>&1
    read -r lit blank <<<"$(phases "$win")"
    [ "$lit" -ge 2 ] && [ "$blank" -ge 2 ] && echo "ok: still flashing after the window came back at scale $scale" ||
        fail "after the window came back at scale $scale: $lit lit and $blank blank"

    xdotool key --clearmodifiers space
    sleep 0.3
    read -r lit blank <<<"$(phases "$win")"
    check "after STOP the display stays lit at scale $scale" "16 0" "$lit $blank"
    xdotool windowminimize --sync "$win"
    sleep 0.3
    xdotool windowmap --sync "$win"
    sleep 0.3
    check "and still lit once the window came back at scale $scale" "16 0" "$(phases "$win")"
    kill "$pid" 2>/dev/null
    wait "$pid" 2>/dev/null
done

if [ "$failures" -ne 0 ]; then
    echo "$failures check(s) failed; program output:"
    cat "$work/log"
    exit 1
fi
echo "all checks passed"
