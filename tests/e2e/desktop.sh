#!/usr/bin/env bash
# The real program on a desktop's services: a private session bus with a real
# notification server (dunst) and a real XEmbed tray (trayer). A 3-second timer
# must bring up its notification at zero, the notification's Stop action must
# end the flashing, and the tray must hold the program's icon with its title as
# tooltip. Usage: desktop.sh <program>
set -uo pipefail

program=${1:?usage: desktop.sh <path of the built program>}
source "$(dirname "$0")/common.bash"

for tool in dbus-daemon dunst dunstctl trayer; do
    command -v "$tool" >/dev/null || { fail "$tool is not installed (scripts/deps.sh)"; exit 1; }
done

export HOME=$work/home XDG_CONFIG_HOME=$work/config XDG_RUNTIME_DIR=$work/runtime
mkdir -p "$HOME" "$XDG_CONFIG_HOME" "$XDG_RUNTIME_DIR" "$work/app"
chmod 700 "$XDG_RUNTIME_DIR"
export PULSE_SERVER=${PULSE_SERVER:-unix:/nonexistent}
place_program "$program" "$work/app/Quorvantel"
app=$work/app/Quorvantel

qv_start_session_bus "$work" || { fail "no session bus"; exit 1; }

# dunst's context menu asks a dmenu-like program which action to invoke; this
# one records the offer and picks Stop, as a user would.
cat >"$work/pick-stop" <<'PICK'
#!/bin/sh
tee "$(dirname "$0")/offered" | grep -m1 'Stop'
PICK
chmod +x "$work/pick-stop"
cat >"$work/dunstrc" <<CONF
[global]
    monitor = 0
    follow = none
    dmenu = $work/pick-stop
    format = "%a|%s|%b"
[urgency_critical]
    timeout = 0
CONF
dunst -config "$work/dunstrc" -print >"$work/dunst.out" 2>"$work/dunst.err" &
pids+=($!)
trayer --edge top --align right --widthtype pixel --width 120 --heighttype pixel --height 28 \
    >/dev/null 2>&1 &
pids+=($!)
for _ in $(seq 50); do
    dunstctl count displayed >/dev/null 2>&1 && xwininfo -root -tree | grep -q '"panel": ("panel" "trayer")' && break
    sleep 0.1
done

launch() {
    "$app" >>"$work/log" 2>&1 &
    pid=$!
    pids+=($pid)
}

# First start writes "Timer 1"; cut it to 3 seconds.
launch
win=$(main_window)
[ -n "$win" ] || { fail "the main window did not appear"; cat "$work/log"; exit 1; }
press "$win" alt+F4
wait "$pid"
sed -i 's/StartTime="300"/StartTime="3"/' "$work/app/timers.xml"

launch
win=$(main_window)
[ -n "$win" ] || { fail "the main window did not appear"; cat "$work/log"; exit 1; }

# --- the tray icon: embedded in the panel, the program's own window ----------------
tray_icon() {
    xwininfo -root -tree | awk '/"panel": \("panel" "trayer"\)/ {p = 1; next} p && /"Quorvantel": \("Quorvantel" "Quorvantel"\)/ {print $1; exit}'
}
icon=""
for _ in $(seq 50); do icon=$(tray_icon); [ -n "$icon" ] && break; sleep 0.1; done
[ -n "$icon" ] && echo "ok: the tray holds the program's icon ($icon)" || fail "no icon in the tray"
# Its picture is painted once the tray shows it: the idle disc, ringed in the
# LED's red.
for _ in $(seq 20); do
    red=$(red_pixels "$icon")
    [ "$red" -gt 0 ] && break
    sleep 0.1
done
[ "$red" -gt 0 ] && echo "ok: the tray icon shows its picture ($red red pixels)" || fail "the tray icon is blank"
# On X11 docks match the window's class to the desktop entry's StartupWMClass
# (on Wayland the app id is the desktop file name, set by the program).
wmclass=$(sed -n 's/^StartupWMClass=//p' "${QV_SOURCE_DIR:-$(dirname "$0")/../..}/resources/net.brindlemoor.Quorvantel.desktop")
check "window class matches the desktop entry" "\"$wmclass\"" \
    "$(xprop -id "$win" WM_CLASS | sed -n 's/.*, //p')"

# --- a 3-second run: the notification at zero --------------------------------------
press "$win" space
xdotool windowminimize --sync "$win"
for _ in $(seq 60); do [ "$(dunstctl count displayed)" -ge 1 ] 2>/dev/null && break; sleep 0.1; done
check "one notification shown at zero" "1" "$(dunstctl count displayed)"
check "it names the program, the timer and zero" \
    "Quorvantel|Timer 1|The timer has reached 00:00:00." \
    "$(grep -m1 -o 'Quorvantel|Timer 1|[^"]*00:00:00\.' "$work/dunst.out")"
check "program title at zero" "Quorvantel - 00:00:00" "$(icon_name "$win")"
# The minimised window is not the active one: it asks for attention.
attention=$( (xprop -id "$win" _NET_WM_STATE; xprop -id "$win" WM_HINTS) |
    grep -c -i -e DEMANDS_ATTENTION -e urgency)
[ "$attention" -ge 1 ] && echo "ok: the window asks for attention at zero" ||
    fail "no attention request at zero"

# --- its Stop action ends the flashing and resets the timer -------------------------
dunstctl context
for _ in $(seq 50); do [ "$(icon_name "$win")" == "Quorvantel" ] && break; sleep 0.1; done
grep -q 'Stop' "$work/offered" 2>/dev/null && echo "ok: Stop offered" || fail "no Stop action offered"
check "Stop ended the run" "Quorvantel" "$(icon_name "$win")"
for _ in $(seq 30); do [ "$(dunstctl count displayed)" == "0" ] && break; sleep 0.1; done
check "the notification is gone" "0" "$(dunstctl count displayed)"

# --- the tooltip is the program title: hover over the icon while counting ------------
xdotool windowmap --sync "$win"
press "$win" space
sleep 1.3
if [ -n "$icon" ]; then
    eval "$(xdotool getwindowgeometry --shell "$icon")"
    xdotool mousemove $((X + WIDTH / 2)) $((Y + HEIGHT / 2))
    sleep 0.2
    xdotool mousemove $((X + WIDTH / 2 + 1)) $((Y + HEIGHT / 2))
    tip=""
    for _ in $(seq 40); do
        tip=$(xwininfo -root -tree | grep -v -e '"Quorvantel 1.02"' -e 'panel' |
            awk '/\("quorvantel" "Quorvantel"\)|\("Quorvantel" "Quorvantel"\)/ && $0 !~ /1x1/ && $0 !~ /3x3/ {print $1}' |
            while read -r w; do
                xwininfo -id "$w" | grep -q 'Map State: IsViewable' && [ "$w" != "$icon" ] && echo "$w"
            done | head -1)
        [ -n "$tip" ] && break
        sleep 0.1
    done
    [ -n "$tip" ] && echo "ok: hovering the icon shows a tooltip" || fail "no tooltip over the tray icon"
fi
press "$win" space
sleep 0.3
press "$win" alt+F4
wait "$pid"
check "program ends after close" "0" "$?"

if [ "$failures" -ne 0 ]; then
    echo "$failures check(s) failed; program output:"
    cat "$work/log"
    echo "--- dunst"; cat "$work/dunst.out" "$work/dunst.err" | tail -20
    exit 1
fi
echo "all checks passed"
