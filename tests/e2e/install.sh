#!/usr/bin/env bash
# `cmake --install` of the build that holds the program: the files a desktop
# needs are in place and valid, and the installed program keeps its timers
# beside itself when its folder is writable (a per-user install) and in the
# user's data folder when it is not (a system-wide install, run here as an
# ordinary user). Usage: install.sh <program in the build folder's bin/>
set -uo pipefail

program=${1:?usage: install.sh <path of the built program>}
source "$(dirname "$0")/common.bash"
export PULSE_SERVER=unix:/nonexistent
build=$(cd "$(dirname "$program")/.." && pwd)

chmod 755 "$work" # the installed program also runs as another user
prefix=$work/prefix
has() { [ -e "$1" ] && echo yes || echo no; }

cmake --install "$build" --prefix "$prefix" >"$work/install.log" 2>&1 ||
    { cat "$work/install.log"; fail "cmake --install failed"; exit 1; }

id=net.brindlemoor.Quorvantel
check "program installed" yes "$(has "$prefix/bin/Quorvantel")"
check "desktop entry installed" yes "$(has "$prefix/share/applications/$id.desktop")"
check "scalable icon installed" yes "$(has "$prefix/share/icons/hicolor/scalable/apps/$id.svg")"
for size in 16 24 32 48 64 128 256; do
    check "${size}px icon installed" yes "$(has "$prefix/share/icons/hicolor/${size}x${size}/apps/$id.png")"
done
check "AppStream metadata installed" yes "$(has "$prefix/share/metainfo/$id.metainfo.xml")"
check "help contents installed" yes "$(has "$prefix/share/quorvantel/help/index.html")"
check "help topics installed" "yes yes" \
    "$(has "$prefix/share/quorvantel/help/settings.html") $(has "$prefix/share/quorvantel/help/preferences.html")"
check "desktop entry names the installed program and icon" "Quorvantel $id" \
    "$(sed -n 's/^Exec=//p' "$prefix/share/applications/$id.desktop") $(sed -n 's/^Icon=//p' "$prefix/share/applications/$id.desktop")"
if command -v desktop-file-validate >/dev/null; then
    desktop-file-validate "$prefix/share/applications/$id.desktop" && echo "ok: desktop entry valid" ||
        fail "desktop entry does not validate"
fi
if command -v appstreamcli >/dev/null; then
    appstreamcli validate --no-net "$prefix/share/metainfo/$id.metainfo.xml" >"$work/as.log" 2>&1 &&
        echo "ok: AppStream metadata valid" || { cat "$work/as.log"; fail "AppStream metadata does not validate"; }
fi

# Starts the installed program as user $1 with its own folders under $2, waits
# for the main window and for the first start's timer file, then ends it.
run_as() {
    local user=$1 home=$2
    mkdir -p "$home/runtime"
    chmod 700 "$home/runtime"
    [ "$user" = root ] || chown -R "$user" "$home"
    env HOME="$home" XDG_CONFIG_HOME="$home/config" XDG_DATA_HOME="$home/data" \
        XDG_RUNTIME_DIR="$home/runtime" \
        setpriv --reuid="$user" --regid="$(id -g "$user")" --clear-groups \
        "$prefix/bin/Quorvantel" >>"$work/run.log" 2>&1 &
    local pid=$!
    pids+=($pid)
    local win
    win=$(timeout 20 xdotool search --sync --onlyvisible --name '^Quorvantel 1\.02$' | head -1)
    [ -n "$win" ] || { fail "installed program showed no window for $user"; cat "$work/run.log"; }
    kill "$pid" 2>/dev/null
    wait "$pid" 2>/dev/null
}

# A per-user install: the program's folder is the user's own.
mkdir -p "$work/owner"
run_as root "$work/owner"
check "per-user install keeps timers beside the program" yes "$(has "$prefix/bin/timers.xml")"
check "per-user install leaves the data folder alone" no "$(has "$work/owner/data/Quorvantel")"
rm -f "$prefix/bin/timers.xml"

# A system-wide install: an ordinary user cannot write the program's folder.
chmod -R go-w "$prefix"
mkdir -p "$work/someone"
run_as nobody "$work/someone"
check "system-wide install keeps timers in the user's data folder" yes \
    "$(has "$work/someone/data/Quorvantel/timers.xml")"
check "system-wide install writes nothing beside the program" no "$(has "$prefix/bin/timers.xml")"

if ((failures)); then
    echo "$failures check(s) failed"
    exit 1
fi
echo "install: all checks passed"
