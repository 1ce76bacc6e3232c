#!/usr/bin/env bash
# The program as a screen reader sees it, over the real accessibility bus of a
# private session bus. Usage: accessibility.sh <program>
set -uo pipefail

program=${1:?usage: accessibility.sh <path of the built program>}
source "$(dirname "$0")/common.bash"

launcher=/usr/libexec/at-spi-bus-launcher
for need in dbus-daemon "$launcher" /usr/bin/python3; do
    [ -x "$(command -v "$need")" ] || { fail "$need is missing (scripts/deps.sh)"; exit 1; }
done
/usr/bin/python3 -c 'import pyatspi' 2>/dev/null || { fail "python3-pyatspi is missing"; exit 1; }

export HOME=$work/home XDG_CONFIG_HOME=$work/config XDG_RUNTIME_DIR=$work/runtime
export PULSE_SERVER=unix:/nonexistent
mkdir -p "$HOME" "$XDG_CONFIG_HOME" "$XDG_RUNTIME_DIR" "$work/app"
chmod 700 "$XDG_RUNTIME_DIR"
place_program "$program" "$work/app/$(basename "$program")"
app=$work/app/$(basename "$program")

qv_start_session_bus "$work" || { fail "no session bus"; exit 1; }
qv_start_accessibility_bus || { fail "no accessibility bus"; exit 1; }

QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 "$app" >>"$work/log" 2>&1 &
pids+=($!)
win=$(timeout 20 xdotool search --sync --onlyvisible --name '^Quorvantel 1\.02$' | head -1)
[ -n "$win" ] || { fail "the main window did not appear"; cat "$work/log"; exit 1; }

timeout 60 /usr/bin/python3 "$(dirname "$0")/accessibility_probe.py" "$win"
status=$?
[ "$status" -eq 0 ] || failures=$((failures + 1))

if [ "$failures" -ne 0 ]; then
    echo "$failures check(s) failed; program output:"
    cat "$work/log"
    exit 1
fi
echo "all checks passed"
