#!/usr/bin/env bash
# Installing Quorvantel, from a user's side. First `cmake --install` of the test
# build into a prefix of the user's own: the files a desktop needs are in place
# and valid, and the installed program keeps its timers in the user's data
# folder, not beside itself. Then the Debian package, built the way the README
# says: lintian passes it without an error or a warning; installed with dpkg, the
# program started as root and as an ordinary user writes nothing under /usr and
# takes over a timer file left beside it; removing the package leaves only the
# users' own files. The package part needs root (CI runs as root).
# Usage: install.sh <program in the build folder's bin/>
set -uo pipefail

program=${1:?usage: install.sh <path of the built program>}
source "$(dirname "$0")/common.bash"
source_dir=$(cd "$(dirname "$0")/../.." && pwd)
export PULSE_SERVER=unix:/nonexistent
build=$(cd "$(dirname "$program")/.." && pwd)
id=net.brindlemoor.Quorvantel
sample_timers=$source_dir/tests/fuzz/corpus/valid-full-row.xml
sample_name='Name="Tea &amp; &lt;Cake&gt;"'

chmod 755 "$work" # the installed program also runs as another user
has() { [ -e "$1" ] && echo yes || echo no; }
user=nobody

# Starts program $1 as user $2 with the home folder $3 (and no XDG variable but
# the runtime folder, so the program picks its own folders as on a desktop),
# waits for the main window, starts and stops the selected timer with SPACE and
# closes the window with Ctrl+Q, as a user would.
run_as() {
    local exe=$1 who=$2 home=$3
    mkdir -p "$home/runtime"
    chmod 700 "$home/runtime"
    chown -R "$who" "$home"
    env -u XDG_CONFIG_HOME -u XDG_DATA_HOME HOME="$home" XDG_RUNTIME_DIR="$home/runtime" \
        setpriv --reuid="$who" --regid="$(id -g "$who")" --clear-groups \
        "$exe" >>"$work/run.log" 2>&1 &
    local pid=$!
    pids+=($pid)
    local win
    win=$(timeout 20 xdotool search --sync --onlyvisible --name '^Quorvantel 1\.02$' | head -1)
    if [ -z "$win" ]; then
        fail "$exe showed no window for $who"
        cat "$work/run.log"
    else
        xdotool windowactivate --sync "$win" >/dev/null 2>&1
        # The first run loads the sound module from the program's library folder.
        xdotool key --clearmodifiers space
        sleep 1
        if grep -q '/lib/\(.*/\)\{0,1\}quorvantel/quorvantel-sound\.so$' "/proc/$pid/maps"; then
            echo "ok: $exe started by $who loads its installed sound module at the first run"
        else
            fail "$exe started by $who did not load its sound module"
        fi
        xdotool key --clearmodifiers space
        xdotool key --clearmodifiers ctrl+q
    fi
    for _ in $(seq 100); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
    if kill -0 "$pid" 2>/dev/null; then
        fail "$exe started by $who did not end on Ctrl+Q"
        kill "$pid" 2>/dev/null
    fi
    wait "$pid" 2>/dev/null
}
# The files under folder $1 changed since the marker file $2 was made.
changed_under() { find "$1" -xdev -newer "$2" -print 2>/dev/null; }

# --- cmake --install into a prefix of the user's own (like ~/.local) --------------
prefix=$work/prefix
cmake --install "$build" --prefix "$prefix" >"$work/install.log" 2>&1 ||
    { cat "$work/install.log"; fail "cmake --install failed"; exit 1; }

check "program installed as the command quorvantel" yes "$(has "$prefix/bin/quorvantel")"
check "desktop entry installed" yes "$(has "$prefix/share/applications/$id.desktop")"
check "scalable icon installed" yes "$(has "$prefix/share/icons/hicolor/scalable/apps/$id.svg")"
for size in 16 22 24 32 48 64 128 256; do
    png=$prefix/share/icons/hicolor/${size}x${size}/apps/$id.png
    check "${size}px icon installed at its size" "${size}x${size}" "$(identify -format '%wx%h' "$png" 2>/dev/null)"
done
check "AppStream metadata installed" yes "$(has "$prefix/share/metainfo/$id.metainfo.xml")"
check "AppStream metadata names the licence" "GPL-3.0-or-later" \
    "$(sed -n 's:.*<project_license>\(.*\)</project_license>.*:\1:p' "$prefix/share/metainfo/$id.metainfo.xml")"
check "help contents installed" yes "$(has "$prefix/share/quorvantel/help/index.html")"
check "help topics installed" "yes yes yes" "$(has "$prefix/share/quorvantel/help/settings.html") \
$(has "$prefix/share/quorvantel/help/preferences.html") $(has "$prefix/share/quorvantel/help/files.html")"
check "manual page installed" yes "$(has "$prefix/share/man/man1/quorvantel.1.gz")"
check "translations installed" "yes yes yes" "$(has "$prefix/share/quorvantel/translations/quorvantel_de.qm") \
$(has "$prefix/share/quorvantel/translations/quorvantel_fr.qm") $(has "$prefix/share/quorvantel/translations/quorvantel_es.qm")"
# The installed program finds them where it is installed: its command line
# speaks French when asked to, and English otherwise.
check "the installed program speaks French" "Minuteurs" \
    "$(LANGUAGE=fr "$prefix/bin/quorvantel" --help | sed -n '2s/ .*//p')"
check "the installed program speaks English without a translation" "Named" \
    "$(LANGUAGE=fi "$prefix/bin/quorvantel" --help | sed -n '2s/ .*//p')"
check "copyright file installed" yes "$(has "$prefix/share/doc/quorvantel/copyright")"
# The entry's own group, before its actions' groups.
entry_key() { sed -n "/^\[Desktop Action/q; s/^$1=//p" "$prefix/share/applications/$id.desktop"; }
check "desktop entry names the installed command and icon" "quorvantel $id" \
    "$(entry_key Exec) $(entry_key Icon)"
check "the D-Bus service starts the installed program by the entry's name" \
    "$id $prefix/bin/quorvantel" \
    "$(sed -n 's/^Name=//p' "$prefix/share/dbus-1/services/$id.service") $(sed -n 's/^Exec=//p' "$prefix/share/dbus-1/services/$id.service")"
desktop-file-validate "$prefix/share/applications/$id.desktop" && echo "ok: desktop entry valid" ||
    fail "desktop entry does not validate"
appstreamcli validate --no-net "$prefix/share/metainfo/$id.metainfo.xml" >"$work/as.log" 2>&1 &&
    echo "ok: AppStream metadata valid" || { cat "$work/as.log"; fail "AppStream metadata does not validate"; }
man --warnings -l "$prefix/share/man/man1/quorvantel.1.gz" 2>"$work/man.log" >/dev/null
check "manual page formats without a warning" "" "$(cat "$work/man.log")"

# The prefix is the user's own and so writable: being installed, the program
# still keeps its timers in the user's data folder.
mkdir -p "$work/owner"
touch "$work/marker-owner"
run_as "$prefix/bin/quorvantel" root "$work/owner"
check "own install keeps its timers in the data folder" yes \
    "$(has "$work/owner/.local/share/Quorvantel/timers.xml")"
check "own install writes nothing under its prefix" "" "$(changed_under "$prefix" "$work/marker-owner")"

# --- the Debian package -------------------------------------------------------------
# The README's command, in its folder: scripts/test.sh has built it before the
# tests run, and every later run rebuilds only what changed.
deb=$(bash "$source_dir/scripts/package.sh" 2>"$work/package.log" | tail -1)
if [ ! -f "$deb" ]; then
    tail -40 "$work/package.log"
    fail "scripts/package.sh made no package"
    exit 1
fi
echo "package: $deb"

lintian --fail-on error,warning --tag-display-limit 0 "$deb" >"$work/lintian.log" 2>&1
lintian_status=$?
grep -E '^[EW]: ' "$work/lintian.log"
check "lintian finds no error and no warning" 0 "$lintian_status"
field() { dpkg-deb -f "$deb" "$1"; }
check "package name" quorvantel "$(field Package)"
# One release number throughout: the package's, the manual page's, the
# metadata's and the window caption's.
version=$(field Version)
check "manual page and metadata carry the package's version" "Quorvantel $version $version" \
    "$(zcat "$prefix/share/man/man1/quorvantel.1.gz" | sed -n '1s/^\.TH [^"]*"\([^"]*\)".*/\1/p') \
$(sed -n 's:.*<release version="\([^"]*\)".*:\1:p' "$prefix/share/metainfo/$id.metainfo.xml")"
check "the program's caption carries the package's version" yes \
    "$(grep -aqF "Quorvantel $version" "$prefix/bin/quorvantel" && echo yes)"
check "dependencies computed from the libraries" "yes yes" \
    "$(field Depends | grep -q 'libqt6widgets6' && echo yes) $(field Depends | grep -q 'libsndfile1' && echo yes)"
check "recommends the sound server, Wayland support and Qt's translations" \
    "pulseaudio | pipewire-pulse, qt6-wayland, qt6-translations-l10n" \
    "$(field Recommends)"
check "package holds the program only, no test or benchmark" "" \
    "$(dpkg-deb -c "$deb" | awk '{print $6}' | grep -E 'test|bench' | grep -v '^./usr/share/')"

if [ "$(id -u)" -ne 0 ]; then
    echo "skipped: installing the package needs root"
    [ -n "${CI:-}" ] && fail "CI must run the install test as root"
elif dpkg-query -W -f='${Status}' quorvantel 2>/dev/null | grep -q 'install ok installed'; then
    # Never replace or remove a copy someone installed on this machine.
    echo "skipped: a quorvantel package is installed on this machine already"
    [ -n "${CI:-}" ] && fail "quorvantel is installed before the test"
else
    leftover=/usr/bin/timers.xml
    installed=0
    remove_package() {
        ((installed)) && dpkg -r quorvantel >>"$work/dpkg.log" 2>&1
        installed=0
        rm -f "$leftover"
    }
    trap 'remove_package; cleanup' EXIT

    [ -e "$leftover" ] && fail "$leftover exists before the test"
    if dpkg -i "$deb" >"$work/dpkg.log" 2>&1; then
        installed=1
        echo "ok: package installs"
    else
        cat "$work/dpkg.log"
        fail "dpkg -i failed"
    fi
    if ((installed)); then
        check "the command is quorvantel" /usr/bin/quorvantel "$(command -v quorvantel)"
        check "man finds the manual page" /usr/share/man/man1/quorvantel.1.gz "$(man -w quorvantel 2>/dev/null)"

        # A timer file left beside the program by an older copy is taken over
        # by each user and never touched.
        cp "$sample_timers" "$leftover"
        chmod 644 "$leftover"
        before=$(sha256sum <"$leftover")
        touch "$work/marker"
        mkdir -p "$work/root-home" "$work/user-home"
        run_as /usr/bin/quorvantel root "$work/root-home"
        run_as /usr/bin/quorvantel "$user" "$work/user-home"
        check "started as root and as $user, the program writes nothing under /usr" "" \
            "$(changed_under /usr "$work/marker")"
        check "installed files unchanged" "" "$(dpkg --verify quorvantel 2>&1)"
        check "timer file beside the program left as it was" "$before" "$(sha256sum <"$leftover")"
        for home in "$work/root-home" "$work/user-home"; do
            who=$(stat -c %U "$home")
            check "$who's timers in $who's data folder, the left-over timers taken over" 1 \
                "$(grep -c "$sample_name" "$home/.local/share/Quorvantel/timers.xml" 2>/dev/null)"
            check "$who's preferences in $who's config folder" yes \
                "$(has "$home/.config/Brindlemoor/Quorvantel.conf")"
        done

        dpkg-query -L quorvantel >"$work/files"
        if dpkg -r quorvantel >>"$work/dpkg.log" 2>&1; then
            installed=0
            echo "ok: package removes"
        else
            cat "$work/dpkg.log"
            fail "dpkg -r failed"
        fi
        rm -f "$leftover"
        left=""
        while read -r f; do
            [ -e "$f" ] && [ ! -d "$f" ] && left+="$f "
        done <"$work/files"
        for d in /usr/share/quorvantel /usr/share/doc/quorvantel; do
            [ -e "$d" ] && left+="$d "
        done
        check "nothing of the package is left after removal" "" "$left"
        for home in "$work/root-home" "$work/user-home"; do
            who=$(stat -c %U "$home")
            check "$who's own files stay after removal" "yes yes" \
                "$(has "$home/.local/share/Quorvantel/timers.xml") $(has "$home/.config/Brindlemoor/Quorvantel.conf")"
        done
    fi
fi

if ((failures)); then
    echo "$failures check(s) failed"
    exit 1
fi
echo "install: all checks passed"
