#!/usr/bin/env bash
# The program as a German-speaking user sees it (LANGUAGE=de): the main window,
# its menus, the timer settings with each rule page, the new timer prompt, the
# box Delete shows for the last timer, the preferences with Qt's own colour
# dialog, the about box and help all come up under their German titles, reached
# with the German menu letters, fit the screen and are kept as screenshots. The
# colour dialog's title and buttons are Qt's own German texts: Qt's
# translations load together with the program's. The German texts are read
# from translations/quorvantel_de.ts, so the script keeps up with the
# translators; a text not yet translated is expected in English, as the
# program then shows it. Then, in a language the program has no translation
# for (Finnish), everything is English and the program prints nothing.
# Usage: language.sh <program>; with QV_SCREENSHOT_DIR set the screenshots are kept there.
set -uo pipefail

program=${1:?usage: language.sh <path of the built program>}
source "$(dirname "$0")/common.bash"

source_dir=${QV_SOURCE_DIR:-$(cd "$(dirname "$0")/../.." && pwd)}
own_ts=$source_dir/translations/quorvantel_de.ts
lconvert=/usr/lib/qt6/bin/lconvert
for need in import xdpyinfo xwininfo xprop qtpaths6 "$lconvert" /usr/bin/python3 dbus-daemon \
    /usr/libexec/at-spi-bus-launcher; do
    [ -x "$(command -v "$need")" ] || { fail "$need is missing (scripts/deps.sh)"; exit 1; }
done
/usr/bin/python3 -c 'import pyatspi' 2>/dev/null || { fail "python3-pyatspi is missing"; exit 1; }
qt_qm=$(qtpaths6 --query QT_INSTALL_TRANSLATIONS)/qtbase_de.qm
[ -f "$qt_qm" ] || { fail "$qt_qm is missing (qt6-translations-l10n)"; exit 1; }
[ -f "$(dirname "$program")/translations/quorvantel_de.qm" ] ||
    { fail "the build has no translations beside the program"; exit 1; }
version=$(sed -n 's/^project(Quorvantel VERSION \([0-9.]*\).*/\1/p' "$source_dir/CMakeLists.txt")
[ -n "$version" ] || { fail "no version in $source_dir/CMakeLists.txt"; exit 1; }
main_title="Quorvantel $version"
shots=${QV_SCREENSHOT_DIR:-$work/shots}
mkdir -p "$shots"

# The language comes from LANGUAGE alone, whatever the caller's locale, and the
# dialogs are Qt's own, not a desktop's.
unset LC_ALL LC_MESSAGES QT_QPA_PLATFORMTHEME
export LANG=C.UTF-8
export XDG_RUNTIME_DIR=$work/runtime PULSE_SERVER=unix:/nonexistent
mkdir -p "$XDG_RUNTIME_DIR" "$work/app"
chmod 700 "$XDG_RUNTIME_DIR"
app=$work/app/$(basename "$program")
place_program "$program" "$app"
ln -s "$(cd "$(dirname "$program")" && pwd)/translations" "$work/app/translations"

# The texts the checks look for, as shell assignments: each as the German
# program shows it (NAME) and in English (NAME_en); a menu command's letter as
# an xdotool key (key_NAME, key_NAME_en). lrelease builds in every translation
# that has a text, finished or not; one without a text, or vanished, leaves the
# English.
"$lconvert" -i "$qt_qm" -o "$work/qtbase_de.ts" || { fail "lconvert could not read $qt_qm"; exit 1; }
texts=$(/usr/bin/python3 - "$own_ts" "$work/qtbase_de.ts" <<'PY'
import shlex, sys
import xml.etree.ElementTree as ET

def table(path):
    found = {}
    for context in ET.parse(path).getroot().iter("context"):
        for message in context.iter("message"):
            translation = message.find("translation")
            if translation is not None and translation.text and \
                    translation.get("type") not in ("vanished", "obsolete"):
                found[(context.findtext("name"), message.findtext("source"))] = translation.text
    return found

def letter(text):
    at = 0
    while (at := text.find("&", at)) >= 0 and at + 1 < len(text):
        if text[at + 1] != "&":
            c = text[at + 1].lower()
            return c if c.isascii() and c.isalnum() else "U%04X" % ord(c)
        at += 2
    return ""

own, qt = table(sys.argv[1]), table(sys.argv[2])
texts = {
    "menu_file": (own, "qv::TMainForm", "&File"),
    "exit": (own, "qv::TMainForm", "E&xit"),
    "menu_settings": (own, "qv::TMainForm", "&Settings"),
    "timer_settings": (own, "qv::TMainForm", "&Timer settings..."),
    "preferences": (own, "qv::TMainForm", "&Preferences..."),
    "menu_help": (own, "qv::TMainForm", "&Help"),
    "about": (own, "qv::TMainForm", "&About Quorvantel"),
    "settings_title": (own, "qv::TSettingsForm", "Timer settings"),
    "rule": (own, "qv::TSettingsForm", "Rule %1"),
    "new_title": (own, "qv::TSettingsForm", "New timer"),
    "rename_title": (own, "qv::TSettingsForm", "New timer name"),
    "confirm_title": (own, "qv::MessageBox", "Confirm"),
    "no": (own, "qv::MessageBox", "&No"),
    "preferences_title": (own, "qv::TPrefForm", "Preferences"),
    "about_title": (own, "qv::TAboutForm", "About Quorvantel"),
    "help_title": (own, "qv::HelpWindow", "Quorvantel Help - %1"),
    "color_title": (qt, "QColorDialog", "Select Color"),
    "color_pick": (qt, "QColorDialog", "&Pick Screen Color"),
    "color_add": (qt, "QColorDialog", "&Add to Custom Colors"),
    "ok": (qt, "QPlatformTheme", "OK"),
    "cancel": (qt, "QPlatformTheme", "Cancel"),
}
for name, (source, context, english) in texts.items():
    german = source.get((context, english), english)
    print(f"{name}={shlex.quote(german)} {name}_en={shlex.quote(english)}")
    if "&" in english:
        print(f"key_{name}={shlex.quote(letter(german))} key_{name}_en={shlex.quote(letter(english))}")
PY
) || { fail "could not read the translations"; exit 1; }
eval "$texts"
for key in ${!key_*}; do
    text=${key#key_}
    [ -n "${!key}" ] || fail "'${!text}' marks no letter with & for the keyboard"
done

read -r screen_w screen_h < <(xdpyinfo | awk '/dimensions:/ {split($2, d, "x"); print d[1], d[2]}')
# where <window>: its place and size on the screen (x y width height), read
# from the X server, and the window manager's frame around it (left right top
# bottom; none for a window without one).
where() {
    xwininfo -id "$1" | awk '/Absolute upper-left X/ {x = $NF} /Absolute upper-left Y/ {y = $NF}
        /Width:/ {w = $NF} /Height:/ {h = $NF} END {print x, y, w, h}'
    xprop -id "$1" _NET_FRAME_EXTENTS | sed -n 's/.* = //p' | tr -d ,
}
# fits <what> <window>: the window lies wholly on the screen, frame and all.
fits() {
    local x y w h left right top bottom
    { read -r x y w h; read -r left right top bottom; } < <(where "$2")
    left=${left:-0} right=${right:-0} top=${top:-0} bottom=${bottom:-0}
    if [ $((x - left)) -ge 0 ] && [ $((y - top)) -ge 0 ] && [ $((x + w + right)) -le "$screen_w" ] &&
        [ $((y + h + bottom)) -le "$screen_h" ]; then
        echo "ok: $1 fits the screen (${w}x${h} at $x,$y)"
    else
        fail "$1 (${w}x${h} at $x,$y, its frame $left $right $top $bottom) leaves the ${screen_w}x${screen_h} screen"
    fi
}
shot() { sleep 0.5; import -window "$2" "$shots/$1.png"; }
# A text as an extended regular expression that matches only itself; in a
# title with %1 that part matches any text.
exact() { sed 's/[][\.*^$+?(){}|]/\\&/g; s/%1/.+/g' <<<"$1"; }

# await <what> <title> <English title> [seconds]: waits for the window of that
# title and checks that it fits the screen; its id in $window, empty after a
# failure. A window with the English title instead is a failure that says so,
# and is closed (Escape) for the checks after it.
await() {
    local what=$1 title=$2 english=$3 name stray
    window=$(timeout "${4:-10}" xdotool search --sync --onlyvisible --name "^$(exact "$title")\$" |
        head -1)
    name=$([ -n "$window" ] && xdotool getwindowname "$window")
    # The search ignores case; the title has to be the very text.
    if [ -n "$window" ] && [[ $name =~ ^$(exact "$title")$ ]]; then
        echo "ok: $what came up as '$name'"
        fits "$what" "$window"
        return 0
    fi
    window=
    stray=$([ "$title" != "$english" ] &&
        xdotool search --onlyvisible --name "^$(exact "$english")\$" | head -1)
    if [ -n "$stray" ]; then
        fail "$what came up in English ('$english'), not as '$title'"
        press "$stray" Escape
    else
        fail "$what ('$title') did not come up${name:+ (a window '$name' did)}"
    fi
    return 1
}
# gone <claim> <title>: the claim holds when no window of that title is shown,
# or none is within 5 seconds.
gone() {
    local pattern
    pattern="^$(exact "$2")\$"
    for _ in $(seq 25); do
        xdotool search --onlyvisible --name "$pattern" >/dev/null || { echo "ok: $1"; return 0; }
        sleep 0.2
    done
    fail "$1: '$2' is still shown"
}

# controls <window title> <role>: the names of the window's shown controls of
# that role as a screen reader hears them, one a line.
controls() {
    timeout 20 /usr/bin/python3 - "$@" <<'PY'
import sys
import pyatspi

title, role = sys.argv[1], sys.argv[2]

def walk(node, depth=0):
    if node is None or depth > 40:
        return
    yield node
    for i in range(node.childCount):
        yield from walk(node.getChildAtIndex(i), depth + 1)

desktop = pyatspi.Registry.getDesktop(0)
apps = (desktop.getChildAtIndex(i) for i in range(desktop.childCount))
for app in (a for a in apps if a is not None and a.name.lower() == "quorvantel"):
    for window in (app.getChildAtIndex(i) for i in range(app.childCount)):
        if window is None or window.name != title:
            continue
        for node in walk(window):
            if node.getRoleName() == role and node.getState().contains(pyatspi.STATE_SHOWING):
                print(node.name)
PY
}

# start <language>: the program from a home of its own, in that language; its
# process in $pid, its output in $work/<language>.log, its main window in $win.
start() {
    export HOME=$work/$1/home XDG_CONFIG_HOME=$work/$1/config
    mkdir -p "$HOME" "$XDG_CONFIG_HOME"
    LANGUAGE=$1 "$app" >"$work/$1.log" 2>&1 &
    pid=$!
    pids+=("$pid")
    await "the main window" "$main_title" "$main_title" 20
    win=$window
}
# quit <keys...>: File > Exit by those keys ends the program, and well.
quit() {
    press "$win" "$@"
    wait_exit "$pid" 10
    check "File > Exit ($*) ends the program" 0 $?
}
report() {
    if [ "$failures" -ne 0 ]; then
        echo "$failures check(s) failed; program output:"
        cat "$work"/*.log
        exit 1
    fi
}

# --- German -------------------------------------------------------------------
# A screen reader's view, over a bus of its own, reads the controls' texts.
qv_start_session_bus "$work" || { fail "no session bus"; exit 1; }
qv_start_accessibility_bus || { fail "no accessibility bus"; exit 1; }
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
start "de"
[ -n "$win" ] || { report; exit 1; }
shot de-main "$win"

# The menus, open over the main window (a menu is a window of its own).
for menu in file settings help; do
    key=key_menu_$menu
    press "$win" "alt+${!key}"
    sleep 0.5
    read -r x y w h < <(where "$win")
    import -window root -crop "${w}x${h}+${x}+${y}" +repage "$shots/de-menu-$menu.png"
    press "$win" Escape Escape
done

# The timer settings, and each of its rule pages: back from the first control
# round to the last, on the first page, then on to the next page twice (the
# page tabs' list is named after the page shown).
press "$win" "alt+$key_menu_settings" "$key_timer_settings"
if await "the timer settings dialog" "$settings_title" "$settings_title_en"; then
    settings=$window
    press "$settings" shift+Tab
    for n in 1 2 3; do
        [ "$n" -gt 1 ] && press "$settings" ctrl+Tab
        check "rule page $n is shown" "${rule/\%1/$n}" "$(controls "$settings_title" "page tab list")"
        shot "de-settings-rule$n" "$settings"
    done
    press "$settings" Escape
    gone "Escape closes the timer settings dialog" "$settings_title"
fi

# Its New and Delete buttons, the two after the timer list: the name prompt,
# cancelled, and for the only timer the offer to rename it, declined.
press "$win" "alt+$key_menu_settings" "$key_timer_settings"
if await "the timer settings dialog" "$settings_title" "$settings_title_en"; then
    settings=$window
    press "$settings" Tab space
    if await "the new timer prompt" "$new_title" "$new_title_en"; then
        shot de-new-timer "$window"
        press "$window" Escape
        gone "Escape cancels the new timer prompt" "$new_title"
    fi
    press "$settings" Tab space
    if await "the box Delete shows for the only timer" "$confirm_title" "$confirm_title_en"; then
        shot de-delete-only-timer "$window"
        press "$window" "alt+$key_no"
        gone "No (alt+$key_no) closes the box" "$confirm_title"
        # Yes would have asked for the new name right away.
        sleep 0.5
        gone "No (alt+$key_no) asks for no new name" "$rename_title"
    fi
    press "$settings" Escape
fi

# The preferences, and from their "Set color 1" (after the first two radio
# buttons) Qt's colour dialog, cancelled.
press "$win" "alt+$key_menu_settings" "$key_preferences"
if await "the preferences dialog" "$preferences_title" "$preferences_title_en"; then
    preferences=$window
    shot de-preferences "$preferences"
    press "$preferences" Tab Tab space
    if await "Qt's colour dialog" "$color_title" "$color_title_en"; then
        shot de-color "$window"
        buttons=$(controls "$color_title" "push button")
        for button in ok cancel color_pick color_add; do
            wanted=${!button//&/}
            if grep -qxF "$wanted" <<<"$buttons"; then
                echo "ok: the colour dialog has the button '$wanted'"
            else
                fail "the colour dialog has no button '$wanted'; it has: $(paste -sd, <<<"$buttons")"
            fi
        done
        press "$window" Escape
        gone "Escape cancels the colour dialog" "$color_title"
    fi
    press "$preferences" Escape
fi

press "$win" "alt+$key_menu_help" "$key_about"
if await "the about box" "$about_title" "$about_title_en"; then
    shot de-about "$window"
    press "$window" Return
fi

press "$win" F1
if await "the help window" "$help_title" "$help_title_en"; then
    shot de-help "$window"
    press "$window" alt+F4
fi

quit "alt+$key_menu_file" "$key_exit"
report

# --- a language without a translation: English, and nothing printed ----------
unset QT_LINUX_ACCESSIBILITY_ALWAYS_ON
start "fi"
[ -n "$win" ] || { report; exit 1; }
press "$win" "alt+$key_menu_settings_en" "$key_timer_settings_en"
if await "the timer settings dialog in Finnish" "$settings_title_en" "$settings_title_en"; then
    press "$window" Escape
fi
quit "alt+$key_menu_file_en" "$key_exit_en"
check "the program printed nothing in Finnish" "" "$(cat "$work/fi.log")"

report
echo "all checks passed"
