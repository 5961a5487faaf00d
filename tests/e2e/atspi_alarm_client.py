#!/usr/bin/python3
"""A client of the accessibility bus, as a screen reader or voice control is:
finds the running program, opens the alarm window from its menu, waits until
the limits have been read from the instrument, sets the voltage upper limit
through the field's editable-text interface, presses "保存到仪器" through the
button's action and waits until the window's status says the chain is done.

Usage: atspi_alarm_client.py VALUE
Exit status 0 when all of that happened; otherwise a message on stderr.
"""
import sys
import time

import pyatspi

WAIT_SECONDS = 30


def find(node, wanted, depth=0):
    """The first node under `node` (itself included) for which `wanted` holds."""
    if node is None or depth > 40:
        return None
    try:
        if wanted(node):
            return node
        count = node.childCount
    except Exception:  # a node that went away while we looked
        return None
    for i in range(count):
        try:
            found = find(node.getChildAtIndex(i), wanted, depth + 1)
        except Exception:
            continue
        if found is not None:
            return found
    return None


def wait_for(what, look):
    end = time.monotonic() + WAIT_SECONDS
    while time.monotonic() < end:
        found = look()
        if found:
            return found
        time.sleep(0.1)
    sys.exit("no %s on the accessibility bus within %d s" % (what, WAIT_SECONDS))


def program():
    desktop = pyatspi.Registry.getDesktop(0)
    for i in range(desktop.childCount):
        app = desktop.getChildAtIndex(i)
        if app is not None and app.name == "LXV7700":
            return app
    return None


def is_a(role, name):
    return lambda node: node.getRoleName() == role and node.name == name


def showing(node):
    return node.getState().contains(pyatspi.STATE_SHOWING)


def press(node):
    actions = node.queryAction()
    names = [actions.getName(i) for i in range(actions.nActions)]
    if "Press" not in names:
        sys.exit("%s has no Press action (%s)" % (node.name, names))
    actions.doAction(names.index("Press"))


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    value = sys.argv[1]
    app = wait_for("program", program)
    press(wait_for("menu item 報警值設定", lambda: find(app, is_a("menu item", "報警值設定"))))
    window = wait_for("alarm window", lambda: find(
        app, lambda n: is_a("dialog", "报警值设定")(n) and showing(n)))
    # The window reads the limits when it opens: wait, so the read does not overwrite ours.
    wait_for("read of the limits", lambda: find(window, is_a("label", "Successful synchronization")))
    field = wait_for("field 电压 上限值", lambda: find(window, is_a("text", "电压 上限值")))
    field.queryEditableText().setTextContents(value)
    shown = field.queryText().getText(0, -1)
    if shown != value:
        sys.exit("the field shows %r after setting %r" % (shown, value))
    save = wait_for("enabled button 保存到仪器", lambda: find(
        window, lambda n: is_a("push button", "保存到仪器")(n)
        and n.getState().contains(pyatspi.STATE_SENSITIVE)))
    press(save)
    wait_for("status Data transmission completed.",
             lambda: find(window, is_a("label", "Data transmission completed.")))
    print("saved %s" % value)


if __name__ == "__main__":
    main()
