#!/usr/bin/python3
# Reads the running program over the real accessibility bus, as a screen
# reader would: the LED by its name, its text following a running countdown
# (with the change events a reader listens for); in every window and dialog,
# every label as the screen shows it, every drop-down list by its label with
# the item it shows as its text, and a name on every control. Prints
# "ok: ..." or "FAIL: ..." lines.
import subprocess
import sys
import time

import pyatspi
from gi.repository import GLib

INTERACTIVE = {"push button", "check box", "radio button", "combo box", "text",
               "spin button", "slider", "page tab", "toggle button", "label"}


def walk(node, depth=0):
    if node is None or depth > 40:
        return
    yield node
    for i in range(node.childCount):
        yield from walk(node.getChildAtIndex(i), depth + 1)


def program():
    desktop = pyatspi.Registry.getDesktop(0)
    for _ in range(100):
        for i in range(desktop.childCount):
            app = desktop.getChildAtIndex(i)
            if app is not None and app.name.lower() == "quorvantel":
                return app
        time.sleep(0.1)
    return None


def text_of(node):
    t = node.queryText()
    return t.getText(0, t.characterCount)


def has_text(node):
    try:
        node.queryText()
        return True
    except NotImplementedError:
        return False


def showing(root):
    for n in walk(root):
        if n.getState().contains(pyatspi.STATE_SHOWING):
            yield n


def heard_labels(root):
    """What a reader hears of each shown label: the text where it has one, else
    its name."""
    return sorted(text_of(n) if has_text(n) else n.name
                  for n in showing(root) if n.getRoleName() == "label")


def lists(root):
    """Each shown drop-down list as (name, text)."""
    return sorted((n.name, text_of(n) if has_text(n) else None)
                  for n in showing(root) if n.getRoleName() == "combo box")


def window(role, title):
    for _ in range(50):
        for n in walk(app):
            if n.getRoleName() == role and n.name.startswith(title):
                return n
        time.sleep(0.1)
    return None


def named_controls(what, root):
    unnamed = [n.getRoleName() for n in showing(root)
               if n.getRoleName() in INTERACTIVE and not n.name.strip()]
    check(f"no unnamed control in {what}", not unnamed,
          f"({len(unnamed)}: {', '.join(sorted(set(unnamed)))})")


def reads_as_shown(what, root, labels, combos=()):
    heard = heard_labels(root)
    check(f"{what}: every label reads as shown", heard == sorted(labels),
          f"(heard {heard}, shown {sorted(labels)})")
    if combos:
        found = lists(root)
        check(f"{what}: every list is named by its label, its item is its text",
              found == sorted(combos), f"(heard {found}, shown {sorted(combos)})")


def key(name):
    win = sys.argv[1]
    subprocess.run(["xdotool", "windowactivate", "--sync", win], capture_output=True)
    subprocess.run(["xdotool", "key", "--clearmodifiers", name], check=False)


failures = 0


def check(what, ok, detail=""):
    global failures
    if ok:
        print(f"ok: {what}")
    else:
        failures += 1
        print(f"FAIL: {what} {detail}")


app = program()
check("the program is on the accessibility bus", app is not None)
if app is None:
    sys.exit(1)
leds = [n for n in walk(app) if n.name == "Time left" and n.getRoleName() == "label"]
check("the LED is found by its name", len(leds) == 1, f"({len(leds)} found)")
if not leds:
    sys.exit(1)
led = leds[0]
check("the LED reads the time", text_of(led) == "00:05:00", repr(text_of(led)))

changes = []


def on_change(event):
    if event.source == led:
        changes.append(event.any_data)


main = window("frame", "Quorvantel 1.02")
check("the main window is on the bus", main is not None)
if main is None:
    sys.exit(1)
led_name = [n.name for n in showing(main) if n.getRoleName() == "label" and has_text(n)]
check("the LED has a caption of its own", led_name == ["Time left"], repr(led_name))
reads_as_shown("the main window", main,
               ["Active timer:", "00:05:00", "Not running", "00:05:00"],
               [("Active timer", "Timer 1")])
named_controls("the main window", main)


pyatspi.Registry.registerEventListener(on_change, "object:text-changed:insert")
key("space")
loop = GLib.MainLoop()
GLib.timeout_add(2600, loop.quit)
loop.run()
pyatspi.Registry.deregisterEventListener(on_change, "object:text-changed:insert")
now = text_of(led)
check("the LED text follows the countdown", now.startswith("00:04:5"), repr(now))
check("each new time is announced as a text change",
      any(str(c).startswith("00:04:5") for c in changes), repr(changes[:4]))
panels = [n.name for n in showing(main) if n.getRoleName() == "label" and not has_text(n)]
check("the status bar reads the run and the time left",
      len(panels) == 3 and "Running..." in panels and
      any(p.startswith("00:04:5") for p in panels), repr(panels))
key("space")
key("Escape")
time.sleep(0.3)

def dialog_reads_as_shown(menu, entry, title, what, labels, combos=()):
    """Opens a dialog from the menu, checks it as a reader hears it, closes it."""
    key(menu)
    time.sleep(0.3)
    subprocess.run(["xdotool", "key", "--clearmodifiers", entry], check=False)
    dialog = window("dialog", title)
    check(f"{what} is on the bus", dialog is not None)
    if dialog is None:
        return
    named_controls(what, dialog)
    reads_as_shown(what, dialog, labels, combos)
    subprocess.run(["xdotool", "key", "--clearmodifiers", "Escape"], check=False)
    time.sleep(0.5)


# The timer settings dialog, on the new timer's defaults.
dialog_reads_as_shown(
    "alt+s", "t", "Timer settings", "the timer settings dialog",
    ["Hr", "Min", "Sec", "Quick set (drag to quickly change start time)",
     "Perform action", "Type of action", "Action", "Custom sound filename",
     "Starting from (hh:mm:ss)", " : ", " : ", "Perform the selected action",
     "Action to perform", "Custom sound filename"],
    [("Timer name", "Timer 1"), ("Perform action", "No announcement"),
     ("Type of action", "Announce the time left"),
     ("Action", 'Play "fanfare" sound'),
     ("Perform the selected action, rule 1", "Every hour"),
     ("Action to perform, rule 1", "Announce the time left")])
dialog_reads_as_shown("alt+s", "p", "Preferences", "the preferences dialog",
                      ["Bitmap file", "Sample", "00:00:00"])
dialog_reads_as_shown("alt+h", "a", "About Quorvantel", "the about box",
                      ["Ver 1.02  \u00a9 2026 Brindlemoor Software",
                       "https://www.brindlemoor.net/quorvantel"])

key("F1")
help_window = None
for _ in range(50):
    tops = [app.getChildAtIndex(i) for i in range(app.childCount)]
    help_window = next((n for n in tops if n is not None and "Quorvantel Help" in n.name), None)
    if help_window is not None:
        break
    time.sleep(0.1)
check("the help window is on the bus", help_window is not None)
if help_window is not None:
    named_controls("the help window", help_window)
    # The one text of the window is the page, read under a name of its own.
    page = [(n.name, text_of(n)) for n in showing(help_window)
            if n.getRoleName() == "label" and has_text(n)]
    check("the help window reads its page as shown",
          len(page) == 1 and page[0][0] == "Help page" and
          page[0][1].startswith("Quorvantel Help\nQuorvantel is a countdown timer"),
          repr([(name, text[:40]) for name, text in page]))
    reads_as_shown("the help window", help_window, [page[0][1]] if page else [])
sys.exit(1 if failures else 0)
