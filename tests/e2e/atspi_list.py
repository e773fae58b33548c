"""Prints the push buttons, menu items, labels, text boxes and check boxes that screen readers see
in the running program."""
import sys
import time

import pyatspi


def walk(acc, out):
    try:
        out.append((acc.getRoleName(), acc.name or ""))
        for i in range(acc.childCount):
            walk(acc.getChildAtIndex(i), out)
    except Exception:  # an object can vanish while it is read
        pass
    return out


desktop = pyatspi.Registry.getDesktop(0)
app = None
for _ in range(100):
    for i in range(desktop.childCount):
        a = desktop.getChildAtIndex(i)
        if a is not None and "vorbello" in (a.name or "").lower():
            app = a
    if app:
        break
    time.sleep(0.1)
if app is None:
    print("no accessible application named Vorbello")
    sys.exit(1)
for role, name in walk(app, []):
    if role in ("push button", "menu item", "label", "text", "check box"):
        print(f"{role}|{name}")
