#!/usr/bin/env bash
# The program in the dark style at twice the size, as a user with a large dark
# desktop sees it: the main window, the two dialogs, the about box and help fit
# the screen, and the about box's texts are readable on its background (a
# contrast of 4.5:1 at least, read from the pixels of a screenshot).
# Usage: themes.sh <program>; with QV_SCREENSHOT_DIR set the screenshots are kept there.
set -uo pipefail

program=${1:?usage: themes.sh <path of the built program>}
source "$(dirname "$0")/common.bash"

for need in import convert xdpyinfo; do
    command -v "$need" >/dev/null || { fail "$need is missing (scripts/deps.sh)"; exit 1; }
done
shots=${QV_SCREENSHOT_DIR:-$work/shots}
mkdir -p "$shots"

export HOME=$work/home XDG_CONFIG_HOME=$work/config XDG_RUNTIME_DIR=$work/runtime
export PULSE_SERVER=unix:/nonexistent
export QT_STYLE_OVERRIDE=Adwaita-Dark QT_SCALE_FACTOR=2
mkdir -p "$HOME" "$XDG_CONFIG_HOME" "$XDG_RUNTIME_DIR" "$work/app"
chmod 700 "$XDG_RUNTIME_DIR"
place_program "$program" "$work/app/$(basename "$program")"
app=$work/app/$(basename "$program")

"$app" >>"$work/log" 2>&1 &
pids+=($!)
find_window() { timeout 20 xdotool search --sync --onlyvisible --name "$1" | head -1; }
read -r screen_w screen_h < <(xdpyinfo | awk '/dimensions:/ {split($2, d, "x"); print d[1], d[2]}')
# fits <what> <window>: the window lies wholly on the screen.
fits() {
    local X Y WIDTH HEIGHT WINDOW SCREEN
    eval "$(xdotool getwindowgeometry --shell "$2")"
    if [ "$X" -ge 0 ] && [ "$Y" -ge 0 ] && [ $((X + WIDTH)) -le "$screen_w" ] &&
        [ $((Y + HEIGHT)) -le "$screen_h" ]; then
        echo "ok: $1 fits the screen (${WIDTH}x${HEIGHT} at $X,$Y)"
    else
        fail "$1 (${WIDTH}x${HEIGHT} at $X,$Y) leaves the ${screen_w}x${screen_h} screen"
    fi
}
shot() { sleep 0.5; import -window "$2" "$shots/$1.png"; }

# The contrast of the text in a strip of a screenshot with its background: the
# commonest colour is the background, the text is the colour (of at least 10
# pixels, so that the edges' blending does not count) that differs most.
contrast() { # contrast <png> <geometry WxH+X+Y>
    convert "$1" -crop "$2" +repage -format %c histogram:info:- | /usr/bin/python3 -c '
import re, sys
def lum(h):
    def lin(v):
        v /= 255
        return v / 12.92 if v <= 0.03928 else ((v + 0.055) / 1.055) ** 2.4
    r, g, b = (int(h[i:i + 2], 16) for i in (0, 2, 4))
    return 0.2126 * lin(r) + 0.7152 * lin(g) + 0.0722 * lin(b)
counts = [(int(m.group(1)), m.group(2)) for m in
          (re.match(r"\s*(\d+):.*#([0-9A-Fa-f]{6})", line) for line in sys.stdin) if m]
background = lum(max(counts)[1])
ratios = [(max(lum(c), background) + 0.05) / (min(lum(c), background) + 0.05)
          for n, c in counts if n >= 10]
print("%.2f" % max(ratios, default=1.0))'
}
readable() { # readable <what> <png> <geometry>
    local ratio
    ratio=$(contrast "$2" "$3")
    if awk -v r="$ratio" 'BEGIN { exit !(r >= 4.5) }'; then
        echo "ok: $1 contrasts $ratio:1 with its background"
    else
        fail "$1 contrasts only $ratio:1 with its background"
    fi
}

win=$(find_window '^Quorvantel 1\.02$')
[ -n "$win" ] || { fail "the main window did not appear"; cat "$work/log"; exit 1; }
fits "the main window" "$win"
shot dark-main "$win"

# open_dialog <title> <keys...>: opens a dialog from the main window's menu,
# checks that it fits the screen and takes its screenshot; its window is in
# $dialog, empty when it did not open.
open_dialog() {
    local title=$1
    shift
    press "$win" "$@"
    dialog=$(find_window "^$title\$")
    if [ -z "$dialog" ]; then
        fail "$title did not open"
        return 1
    fi
    fits "$title" "$dialog"
    shot "dark-$(tr 'A-Z ' 'a-z-' <<<"$title")" "$dialog"
}

if open_dialog "Timer settings" alt+s t; then
    press "$dialog" F1
    help=$(find_window '^Quorvantel Help')
    if [ -n "$help" ]; then
        fits "help opened from the timer settings" "$help"
        xdotool windowclose "$help" 2>/dev/null || true
    else
        fail "F1 in the timer settings opened no help"
    fi
    press "$dialog" Escape
fi
if open_dialog "Preferences" alt+s p; then
    press "$dialog" Escape
fi
if open_dialog "About Quorvantel" alt+h a; then
    # The version line and the link, where the about box places them, at twice the size.
    readable "the version line" "$shots/dark-about-quorvantel.png" 674x34+16+156
    readable "the web address" "$shots/dark-about-quorvantel.png" 674x34+16+188
    press "$dialog" Return
fi

if [ "$failures" -ne 0 ]; then
    echo "$failures check(s) failed; program output:"
    cat "$work/log"
    exit 1
fi
echo "all checks passed"
