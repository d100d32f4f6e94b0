#!/usr/bin/python3
# A screen reader's view of a program through AT-SPI, from a process of its own as a reader
# has it. Names the program's application on the accessibility bus, waits for its first
# window, then takes commands on stdin, one a line; each answer ends with ".":
#     labels   per child of the window, in order: DESCRIPTION<TAB>NAME (line breaks as "\n")
# It answers "ready" once the window is there, "none" if there is none within 60 s.
import sys
import time

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi  # noqa: E402


def window(name):
    desktop = Atspi.get_desktop(0)
    for app in (desktop.get_child_at_index(i) for i in range(desktop.get_child_count())):
        if app and app.get_name() == name and app.get_child_count():
            # Each answer as the program has it now: nothing here runs the events that would
            # keep a cache up to date.
            app.set_cache_mask(Atspi.Cache.NONE)
            return app.get_child_at_index(0)
    return None


deadline = time.monotonic() + 60
while not (seen := window(sys.argv[1])) and time.monotonic() < deadline:
    time.sleep(0.05)
print("ready\n." if seen else "none\n.", flush=True)
for command in sys.stdin:
    if command.strip() == "labels":
        for label in (seen.get_child_at_index(i) for i in range(seen.get_child_count())):
            print(f"{label.get_description()}\t{label.get_name()}".replace("\r", "").replace("\n", "\\n"))
    print(".", flush=True)
