#!/usr/bin/env bash
# The timer file on a real full disk and in a read-only folder: every write
# that cannot be done is reported and refused, the file on the disk stays as it
# was, and the timers reach it once there is room again. Needs root for its
# mounts; says so and skips otherwise. Usage: storage.sh <program>
set -uo pipefail

program=${1:?usage: storage.sh <path of the built program>}
source "$(dirname "$0")/common.bash"
source "$(dirname "$0")/timer_file.bash"

if [ "$(id -u)" -ne 0 ]; then
    echo "skipped: the full-disk and read-only-folder cases mount file systems and need root"
    exit 0
fi

export HOME=$work/home XDG_CONFIG_HOME=$work/config XDG_DATA_HOME=$work/data
export XDG_RUNTIME_DIR=$work/runtime PULSE_SERVER=unix:/nonexistent
mkdir -p "$HOME" "$XDG_CONFIG_HOME" "$XDG_DATA_HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
prefs=$XDG_CONFIG_HOME/Brindlemoor/Quorvantel.conf
name=$(basename "$program")
mounts=()
unmount_all() {
    for m in "${mounts[@]}"; do umount "$m" 2>/dev/null; done
    cleanup
}
trap unmount_all EXIT

launch() {
    "$1" >>"$work/log" 2>&1 &
    pid=$!
    pids+=("$pid")
}
find_window() { timeout "${2:-20}" xdotool search --sync --onlyvisible --name "$1" | head -1; }
# An error box comes up; it is answered. True when it came.
error_box() {
    local box
    box=$(find_window '^Error$' 10)
    [ -n "$box" ] || return 1
    press "$box" Return
    sleep 0.3
    return 0
}
rows() { grep -o '<ROW ' "$1" | wc -l; }
others() { # files beside timers.xml that a save left behind
    find "$1" -maxdepth 1 -name 'timers.xml?*' | wc -l
}

# --- a full disk ---------------------------------------------------------------
disk=$work/disk
mkdir -p "$disk"
size_kb=$(( $(stat -c %s "$program") / 1024 + 2048 ))
mount -t tmpfs -o size=${size_kb}k tmpfs "$disk" || { fail "cannot mount a tmpfs"; exit 1; }
mounts+=("$disk")
place_program "$program" "$disk/$name"
fill() { dd if=/dev/zero of="$disk/fill" bs=4k >/dev/null 2>&1; sync; }

# First start on a full disk: the empty table cannot be written. Reported,
# no empty or partial file is left, and the program goes on.
fill
launch "$disk/$name"
if error_box; then echo "ok: first start on a full disk reports the failed write"; else fail "no error at first start on a full disk"; fi
win=$(find_window '^Quorvantel 1\.02$')
[ -n "$win" ] || { fail "the main window did not appear"; cat "$work/log"; exit 1; }
check "no timer file written on a full disk" "no" "$([ -e "$disk/timers.xml" ] && echo yes || echo no)"
check "no temporary file left" "0" "$(others "$disk")"

# Closing on a full disk: the close is refused and nothing is written.
prefs_before=$(md5sum "$prefs" 2>/dev/null)
press "$win" alt+F4
if error_box; then echo "ok: a close on a full disk reports the failed write"; else fail "no error at close on a full disk"; fi
check "the close was refused" "running" "$(kill -0 "$pid" 2>/dev/null && echo running)"
check "preferences unchanged after the refused close" "$prefs_before" "$(md5sum "$prefs" 2>/dev/null)"
check "still no timer file" "no" "$([ -e "$disk/timers.xml" ] && echo yes || echo no)"

# With room again the next close writes the table.
rm -f "$disk/fill"
press "$win" alt+F4
wait_exit "$pid" 15
check "the program ends once the close can write" "0" "$?"
check "the timer file holds Timer 1" "1" "$(grep -c '<ROW Name="Timer 1"' "$disk/timers.xml")"
check "no temporary file after the close" "0" "$(others "$disk")"

# A timer file of three timers, the disk full again: the timer settings
# dialog's OK and the close both fail and leave the file byte for byte.
sed -i 's#<ROW Name="Timer 1"#<ROW Name="Tea"/><ROW Name="Eggs"/>&#' "$disk/timers.xml"
three=$(md5sum <"$disk/timers.xml")
check "three timers in the file" "3" "$(rows "$disk/timers.xml")"
launch "$disk/$name"
win=$(find_window '^Quorvantel 1\.02$')
[ -n "$win" ] || { fail "the main window did not appear with three timers"; cat "$work/log"; exit 1; }
fill
press "$win" alt+s
sleep 0.3
xdotool key --clearmodifiers t
dialog=$(find_window '^Timer settings' 10)
if [ -n "$dialog" ]; then
    press "$dialog" Return
    if error_box; then echo "ok: OK in the timer settings on a full disk reports the failed write"; else fail "no error after the timer settings on a full disk"; fi
else
    fail "the timer settings dialog did not open"
fi
check "file unchanged after the failed save" "$three" "$(md5sum <"$disk/timers.xml")"
press "$win" alt+F4
if error_box; then echo "ok: the close reports the failed write again"; else fail "no error at the second close on a full disk"; fi
check "file unchanged after the refused close" "$three" "$(md5sum <"$disk/timers.xml")"
check "no temporary file left on the full disk" "0" "$(others "$disk")"
rm -f "$disk/fill"
press "$win" alt+F4
wait_exit "$pid" 15
check "the program ends with room again" "0" "$?"
check "every timer written at the close" "3" "$(rows "$disk/timers.xml")"

# --- a read-only program folder --------------------------------------------------
ro=$work/ro
mkdir -p "$ro"
place_program "$program" "$ro/$name"
timer_file_xml 60 60 >"$ro/timers.xml"
sixty=$(md5sum <"$ro/timers.xml")
mount --bind "$ro" "$ro" && mounts=("$ro" "${mounts[@]}") && mount -o remount,bind,ro "$ro" ||
    { fail "cannot make a read-only folder"; exit 1; }
launch "$ro/$name"
win=$(find_window '^Quorvantel 1\.02$')
[ -n "$win" ] || { fail "the main window did not appear from a read-only folder"; cat "$work/log"; exit 1; }
data=$XDG_DATA_HOME/Quorvantel/timers.xml
check "the timers beside the program are carried into the data folder" "$sixty" "$(md5sum <"$data" 2>/dev/null)"
press "$win" alt+F4
wait_exit "$pid" 15
check "the program from a read-only folder ends" "0" "$?"
check "the close writes all 60 timers to the data folder" "60" "$(rows "$data")"
check "the file beside the program is untouched" "$sixty" "$(md5sum <"$ro/timers.xml")"

if [ "$failures" -ne 0 ]; then
    echo "$failures check(s) failed; program output:"
    cat "$work/log"
    exit 1
fi
echo "all checks passed"
