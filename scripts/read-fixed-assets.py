#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
# Reads the fixed-asset register the way a screen reader does, over AT-SPI, from a running
# program: picks 固定资产管理 in the sidebar and prints every card the register exposes.
# Run it through scripts/read-fixed-assets.sh, which starts the display, the buses and the program.
import sys
import time

import pyatspi


def find(node, match, depth=0):
    if node is None or depth > 60:
        return None
    try:
        if match(node):
            return node
        for i in range(node.childCount):
            found = find(node.getChildAtIndex(i), match, depth + 1)
            if found:
                return found
    except Exception:
        return None
    return None


def program():
    desktop = pyatspi.Registry.getDesktop(0)
    for _ in range(100):
        for i in range(desktop.childCount):
            app = desktop.getChildAtIndex(i)
            if app and app.name and app.name.lower().startswith("pennyloom"):
                return app
        time.sleep(0.2)
    sys.exit("the program never showed up on the accessibility bus")


app = program()
sidebar_item = None
for _ in range(50):
    sidebar_item = find(app, lambda n: n.getRoleName() == "list item" and n.name == "固定资产管理")
    if sidebar_item:
        break
    time.sleep(0.2)
if not sidebar_item:
    sys.exit("no sidebar row 固定资产管理")
row_action = sidebar_item.queryAction()
names = [row_action.getName(a) for a in range(row_action.nActions)]
print("sidebar row actions:", names)
for wanted in ("Toggle", "SetFocus", "Press"):
    if wanted in names:
        row_action.doAction(names.index(wanted))
        break

register = None
for _ in range(50):
    register = find(app, lambda n: n.getRoleName() == "list" and n.name == "固定资产列表")
    if register and register.childCount > 0:
        break
    time.sleep(0.2)
if not register:
    sys.exit("no list named 固定资产列表 on the screen")
print(f"{register.getRoleName()} 「{register.name}」: {register.childCount} cards")
for i in range(register.childCount):
    card = register.getChildAtIndex(i)
    action = card.queryAction()
    actions = [action.getName(a) for a in range(action.nActions)]
    print(f"  {card.getRoleName()}: {card.name}  (actions: {', '.join(actions)})")
