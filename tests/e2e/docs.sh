#!/usr/bin/env bash
# The README, the help page "Where your data are kept" and the manual page tell a
# user the same places: the data folder of an installed program, the recovery
# files, the preferences file and its six values, the command's name. A place
# changed in one and not in the others fails here. Needs no X server.
# Usage: docs.sh [program, unused]
set -uo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
readme=$root/README.md
help=$root/help/files.html
manual=$root/resources/quorvantel.1.in
failures=0

# What the manual page says once formatted, as a reader sees it.
manual_text=$(MANWIDTH=200 man -l "$manual" 2>/dev/null | col -b)
[ -n "$manual_text" ] || { echo "FAIL: the manual page does not format"; exit 1; }

says() { # says <document name> <text> <phrase>
    if grep -qF -- "$3" <<<"$2"; then echo "ok: $1 names $3"; else
        echo "FAIL: $1 does not name $3"
        failures=$((failures + 1))
    fi
}
never_says() {
    if grep -qF -- "$3" <<<"$2"; then
        echo "FAIL: $1 still names $3"
        failures=$((failures + 1))
    else echo "ok: $1 does not name $3"; fi
}

for doc in README help manual; do
    case $doc in
    README) text=$(cat "$readme") ;;
    help) text=$(sed 's/<[^>]*>//g' "$help") ;; # the text a reader sees
    manual) text=$manual_text ;;
    esac
    for phrase in '~/.local/share/Quorvantel/timers.xml' '$XDG_DATA_HOME/Quorvantel' \
        timers.recovered.xml timers.recovered-2.xml '~/.config/Brindlemoor/Quorvantel.conf' \
        TimerColors BkgColors BmpFilename LNumSettings SNumSettings CurrentVer quorvantel; do
        says "$doc" "$text" "$phrase"
    done
    # Where an installed copy used to keep its timers.
    never_says "$doc" "$text" '.local/bin/timers.xml'
done

# The command the documents name is the one the desktop entry starts.
check_exec=$(sed -n '/^\[Desktop Action/q; s/^Exec=//p' "$root/resources/net.brindlemoor.Quorvantel.desktop")
[ "$check_exec" = quorvantel ] && echo "ok: desktop entry starts quorvantel" ||
    { echo "FAIL: desktop entry starts '$check_exec'"; failures=$((failures + 1)); }

if ((failures)); then
    echo "$failures check(s) failed"
    exit 1
fi
echo "docs: all checks passed"
