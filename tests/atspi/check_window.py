#!/usr/bin/env python3
"""check_window.py WTMP: reads the running Vigil window through AT-SPI as a screen reader
would, then presses the refresh button and selects the chart tab through their actions.
Exits non-zero with the reason on the first check that fails."""
import calendar
import struct
import sys
import time

import pyatspi


def fail(what):
    print("test-atspi: " + what, file=sys.stderr)
    sys.exit(1)


def until(what, check, seconds=20):
    """Repeats a check until it gives a true value: the program answers in its own time."""
    end = time.time() + seconds
    while True:
        value = check()
        if value:
            return value
        if time.time() > end:
            fail(what)
        time.sleep(0.1)


def states(node):
    return node.getState()


def showing(node):
    return states(node).contains(pyatspi.STATE_SHOWING)


def walk(node, out):
    """Every object below node, except the rows a table makes on demand."""
    for child in node:
        if child is None:
            continue
        out.append(child)
        if child.getRole() != pyatspi.ROLE_TABLE:
            walk(child, out)
    return out


def find_app():
    def look():
        desktop = pyatspi.Registry.getDesktop(0)
        for app in desktop:
            if app is not None and app.name == "Vigil" and app.childCount > 0:
                return app
        return None

    return until("no application named Vigil on the accessibility bus", look, 30)


def of_role(nodes, role):
    return [n for n in nodes if n.getRole() == role]


def row_texts(table, row):
    t = table.queryTable()
    return [t.getAccessibleAt(row, c).name for c in range(t.nColumns)]


def grow_log(path):
    """A boot without a shutdown before it: the refresh shows one row more."""
    b = bytearray(384)
    struct.pack_into("<h", b, 0, 2)
    struct.pack_into("<i", b, 4, 100)
    b[8:9] = b"~"
    b[44:50] = b"reboot"
    struct.pack_into("<i", b, 340, calendar.timegm((2024, 3, 3, 9, 0, 0)))
    with open(path, "ab") as f:
        f.write(bytes(b))


def main():
    wtmp = sys.argv[1]
    app = find_app()
    frame = until("the main window is not published",
                  lambda: next((w for w in app if w.getRole() == pyatspi.ROLE_FRAME), None))
    if frame.name != "Vigil":
        fail("the main window is named %r" % frame.name)
    nodes = walk(frame, [])

    toolbars = of_role(nodes, pyatspi.ROLE_TOOL_BAR)
    if len(toolbars) != 1:
        fail("%d tool bars" % len(toolbars))
    buttons = [b for b in toolbars[0] if b.getRole() == pyatspi.ROLE_PUSH_BUTTON and showing(b)]
    names = [b.name for b in buttons]
    if names != ["刷新", "关于", "升级", "主页", "退出"]:
        fail("the tool buttons read %r" % names)
    refresh = buttons[0]
    action = refresh.queryAction()
    if action.nActions != 1 or action.getKeyBinding(0) != "Alt+R":
        fail("the refresh button's action is %d, key %r" % (action.nActions,
                                                            action.getKeyBinding(0)))

    tabs = of_role(nodes, pyatspi.ROLE_PAGE_TAB)
    if [t.name for t in tabs] != ["日志", "图表", "统计"]:
        fail("the page tabs read %r" % [t.name for t in tabs])
    if not states(tabs[0]).contains(pyatspi.STATE_SELECTED):
        fail("the log tab is not selected")

    tables = of_role(nodes, pyatspi.ROLE_TABLE)
    if len(tables) != 1:
        fail("%d tables" % len(tables))
    table = tables[0]
    rows = table.queryTable().nRows
    if rows != 3:
        fail("the table has %d rows" % rows)
    first = row_texts(table, 0)
    header = [table.queryTable().getColumnHeader(c).name
              for c in range(table.queryTable().nColumns)]
    # The newest session first: the sample log's last boot, still running.
    if header[1:3] != ["开机时间", "关机时间"] or first[1] != "2024-03-02 09:00:00":
        fail("the first row reads %r under %r" % (first, header))
    print("table: %d rows, columns %r, first row %r" % (rows, header, first))

    statusbars = of_role(nodes, pyatspi.ROLE_STATUS_BAR)
    if len(statusbars) != 1:
        fail("%d status bars" % len(statusbars))
    panes = [p for p in statusbars[0] if p.getRole() == pyatspi.ROLE_LABEL]
    texts = [p.queryText().getText(0, -1) for p in panes]
    if len(texts) != 5 or not all(texts):
        fail("the status panes read %r" % texts)
    print("status panes: %r" % texts)

    grow_log(wtmp)
    if not action.doAction(0):
        fail("the refresh button's action was refused")
    until("the refresh did not show the new row", lambda: table.queryTable().nRows == rows + 1)
    if row_texts(table, 0)[1] != "2024-03-03 09:00:00":
        fail("after the refresh the first row reads %r" % row_texts(table, 0))

    chart_tab = tabs[1]
    if not chart_tab.queryAction().doAction(0):
        fail("the chart tab's action was refused")
    until("the chart tab did not become selected",
          lambda: states(chart_tab).contains(pyatspi.STATE_SELECTED))
    chart = until("the chart is not showing", lambda: next(
        (c for c in of_role(walk(frame, []), pyatspi.ROLE_CHART) if showing(c)), None))
    # Its description reads the range of the days and the hours.
    if not chart.description.startswith("2024-03-01 – 2024-03-03, ") or "(小时)" not in \
            chart.description:
        fail("the chart's description reads %r" % chart.description)
    until("the log tab is still selected",
          lambda: not states(tabs[0]).contains(pyatspi.STATE_SELECTED))
    print("atspi: application, tool buttons, tabs, table, status panes, refresh and chart tab passed")


main()
