#!/usr/bin/python3
# Reads the running program over the real accessibility bus, as a screen
# reader would: the LED by its name, its text following a running countdown
# (with the change events a reader listens for), and the names of every
# control of the timer settings dialog. Prints "ok: ..." or "FAIL: ..." lines.
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
key("space")
key("Escape")
time.sleep(0.3)

# The timer settings dialog: every control a user can reach has a name.
key("alt+s")
time.sleep(0.3)
subprocess.run(["xdotool", "key", "--clearmodifiers", "t"], check=False)
dialog = None
for _ in range(50):
    for n in walk(app):
        if n.getRoleName() == "dialog" and n.name.startswith("Timer settings"):
            dialog = n
    if dialog:
        break
    time.sleep(0.1)
check("the timer settings dialog is on the bus", dialog is not None)
if dialog is not None:
    unnamed = []
    for n in walk(dialog):
        states = n.getState()
        if not states.contains(pyatspi.STATE_SHOWING):
            continue
        if n.getRoleName() in INTERACTIVE and not n.name.strip():
            unnamed.append(n.getRoleName())
    check("no unnamed control in the timer settings dialog", not unnamed,
          f"({len(unnamed)}: {', '.join(sorted(set(unnamed)))})")
    subprocess.run(["xdotool", "key", "--clearmodifiers", "Escape"], check=False)
sys.exit(1 if failures else 0)
