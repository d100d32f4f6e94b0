# The real program on its own display server, driven as a user drives it, one group of rows at a time.
#
#     e2e.py [wayland.]GROUP PATH_TO_LAYOUT_PROBE PROGRAM [ARGS...]
#
# A group starts the program once (at its Qt scale, keyboard layout and locale) on an Xvfb, or with
# "wayland." on a headless sway (keys and pointer by tests/tools/virtual_input, in ZOBU_VIRTUAL_INPUT),
# runs its rows, then closes the window as a window manager does: the program must end with status 0
# and no sanitizer report. A row is (actions, clipboard, expected). Actions, separated by blanks:
#     c:KEYS   clicks keys in the keystroke language ("12+3=", n "-n", r "1/n", D DEL, C, V)
#     dbl:K    double-clicks key K, or the display ("say")
#     off:KL   presses the button on key K and releases it midway to key L, on no label
#     hold:N   holds the key with X keycode N for 1.5 s
#     N        presses and releases the key with X keycode N
#     other    an xdotool key name or chord ("shift+8", "Num_Lock", "ctrl+c")
#     layout:L switches the keyboard layout while the program runs (setxkbmap -layout L; on Wayland
#              the virtual keyboard's keymap)
#     groupG:N,N presses the keys with these X keycodes in locked keyboard group G
#     r:KEYS   presses keys through a screen reader's default action (the Windows program only)
#     wait:help, wait:nohelp  waits until the reader finds the help panel shown, or hidden
# A row starts from a cleared calculator in an unfolded window with the help panel hidden, with
# `clipboard` (bytes) or else MARK on the clipboard; a row's own clipboard must be read. Expected:
# "show" the display, copied by a click on C; "clip" the clipboard; "height" the client height,
# "full" or "folded"; "bells" (default 0); "windows" what differs for the Windows program (a
# PROGRAM ending in .exe, run under Wine at 96 DPI times the scale), or why it does not run there;
# "wayland" the same on Wayland, where no bell is heard (sway 1.7 rings none) and a row reads the
# lines instead, through AT-SPI (tests/tools/atspi_reader.py): "history" and "note" their texts.
# Through the reader (ZOBU_READER, the Windows program's): "heard" the text of each label that
# announced a live-region change (the display's, the note line's), in order; "refused" presses;
# "listed" how many labels are buttons whose default action is "按下", have a description, are
# hidden, and the descriptions of the others (the lines and the help panel, "-" for none).
# A reader's group starts each row from its own presses of DEL, so that no key from X overtakes.
# A row that reads the display makes no copy of its own.
# Each is read once the program has acted, as seen from outside: xclip says when it hands out its
# text, a copy takes the clipboard from xclip or wl-copy (and comes after every action before it),
# the window reaches its height, a line its text, and X tells us of a bell before whatever the
# program asks of X after it.
# After each row the window is cleared and folded by keys: a bell heard by the time it has folded
# is a bell too many for that row.

import ctypes, json, os, re, select, signal, subprocess, sys, time
from locale import LC_NUMERIC, localeconv, setlocale
from sway import start_sway

SPACE = "65"  # the X keycode of the space bar, which the driver folds and unfolds with
MARK = b"271828"  # a number no row shows: a paste that reads it instead of the row's text fails
X11, XTEST = ctypes.CDLL("libX11.so.6"), ctypes.CDLL("libXtst.so.6")
X11.XOpenDisplay.restype = ctypes.c_void_p  # atoms and windows are 29-bit numbers: an int holds them
IGNORE_X_ERRORS = ctypes.CFUNCTYPE(ctypes.c_int, ctypes.c_void_p, ctypes.c_void_p)(lambda *_: 0)
X11.XSetErrorHandler(IGNORE_X_ERRORS)  # a program that has died leaves no window to close
# The Windows program takes each key's code from Windows' layout, which Wine guesses from the X
# keymap: it gets some keys wrong (German "+" 221, "-" 191, Russian C and V 125 and 126, where
# Windows gives 187, 189, 67 and 86) and numbers the French "!" key 223 and the Russian "." key
# 191 as Windows' own layouts do. Those rows test Wine, not the program.
WINE_GUESS = "the key's code is Windows' layout's, as Wine guesses it"
GROUPS = {
    # In a comma locale, which the program must not follow: numbers are shown and read with a point.
    "clicks": ({"locale": "de_DE.UTF-8"}, [
        ("c:9876543210.5", None, {"show": "9876543210.5"}),
        ("dbl:7", None, {"show": "7"}),
        ("c:1 F1 dbl:7", None, {"show": "1"}),  # the first click hides the help, the second is no click
        ("c:1 off:85", None, {"show": "1"}),  # pressed on 8, released off it: no click
        ("dbl:say", None, {"height": "folded"}),
        ("c:7V", "１２３．５".encode(), {"show": "123.5"}),
        # Wine's bridge to the X clipboard takes seconds over 10 MB and then stalls the next pastes.
        ("c:7V", b"7" * 10_000_000, {"show": "7", "bells": 1, "windows": "Wine's X clipboard bridge", "wayland": {"note": "粘贴 失败 溢出"}}),
        ("c:7V", b"4\xff2\xc3", {"show": "7", "bells": 1, "wayland": {"note": "粘贴 失败 类型不匹配"}}),
        # Windows' Unicode text ends at its first NUL: every Windows program reads "12" here.
        ("c:7V", b"12\x0034", {"show": "7", "bells": 1, "windows": {"show": "12", "bells": 0}, "wayland": {"note": "粘贴 失败 类型不匹配"}}),
    ]),
    "reader": ({"reader": True}, [
        ("", None, {"listed": {"buttons": 21, "described": 15, "hidden": 1,
                               "lines": ["历史", "双击 伸缩窗口", "运算符", "提示", "-"]}}),
        # Every write of the display is heard, also one that leaves its text as it was.
        ("r:2+2=", None, {"heard": ["2", "2", "2", "4"], "show": "4"}),
        ("r:1/0=", None, {"heard": ["1", "1", "0", "运算失败 除数为零"], "bells": 1}),
        ("F1 wait:help r:7 F1 wait:nohelp r:8", None, {"refused": 1, "heard": ["8"]}),
    ]),
    # The program installed from the Debian package, or unpacked from it (its own test runs this group).
    "package": ({}, [
        ("F1 13 F1 14", None, {"show": "5"}),  # the help panel holds the keys until F1 hides it
        ("65", None, {"height": "folded"}),
    ]),
    "scale2": ({"scale": 2}, [("c:12+3=", None, {"show": "15", "wayland": {"history": "12 + 3"}})]),
    "keyboard": ({"layout": "us"}, [
        ("10 11 12 13 14 15 16 17 18 19 60 14", None, {"show": "1234567890.5"}),
        # The keypad's digits with NumLock on, none with it off, where its "." is Delete.
        ("Num_Lock 87 88 89 83 84 85 79 80 81 90 91 84 Num_Lock 87 88 89 83 84 85 79 80 81 90 118 21 16 91 12 36",
         None, {"show": "1234567893.5"}),
        ("11 86 12 82 13 63 14 106 15 104 51 49", None, {"show": "-1.2"}),  # keypad + - * / Enter, \ and `
        ("11 21 12 20 13 48 14 61 15 36", None, {"show": "0.833333333333333"}),  # = - ' / Return
        # BackSpace, Esc and Delete drop a 4; a held key acts once.
        ("13 22 10 21 13 Escape 11 21 13 119 12 hold:14 36", None, {"show": "38"}),
        # "a", Tab and the modifiers alone do nothing; with a modifier a key is itself, ctrl+c copies.
        ("10 11 a Tab shift+equal 12 shift+8 ctrl+4 alt+2 16 50 37 64 36 ctrl+c", None, {"clip": "38439"}),
        # Space folds; F1 unfolds, shows help, holds the keys.
        ("13 14 65 F1 16 86 Escape 65 51 54 F1", None, {"show": "45", "height": "full"}),
    ]),
    # The same physical keys on other layouts, switched while the program runs.
    "layouts": ({}, [
        # "=" and "/" on the digit row; the keypad's "," is the point.
        ("layout:de 10 shift+19 shift+16 Num_Lock 91 14 Num_Lock", None, {"show": "107.5"}),
        ("layout:de 11 shift+35 12 61 13 36", None, {"show": "1", "windows": WINE_GUESS}),  # "*" on "+", "-" on US "/"
        ("layout:de 10 shift+60 14", None, {"show": "1.5"}),  # ":" on "."
        ("layout:fr 10 12", None, {"show": "13"}),  # "&" and '"'
        ("layout:fr 15 61 11 36", None, {"show": "3", "windows": WINE_GUESS}),  # "!" on US "/" divides
        ("layout:ru 12 61 14 54", None, {"clip": "3.5", "windows": WINE_GUESS}),  # "." on US "/", C by place
        ("layout:ru 55", b"42", {"show": "42", "windows": WINE_GUESS}),  # V by place
        ("layout:us(dvorak) 12 26 14 31", None, {"clip": "3.5"}),  # "." on US "e", c on US "i"
        ("layout:us(dvorak) 60", b"42", {"show": "42"}),  # v on US "."
        ("layout:us(dvorak) 12 54 13 55", None, {"show": "34"}),  # j and k on US C and V: no copy, no paste
        ("layout:us,ru group1:12,61,14", None, {"show": "3.5", "windows": WINE_GUESS}),  # the Russian group
        ("layout:us,ru 16 61 11 36", None, {"show": "3.5"}),  # back in the US group
    ]),
}


def wait_for(predicate, seconds):
    deadline = time.monotonic() + seconds
    while not (value := predicate()) and time.monotonic() < deadline:
        time.sleep(0.02)
    return value


class Session:
    """The program on a display server, and what every display server shares."""

    platform = None  # where a row may differ: "windows" (the program under Wine), "wayland"

    def __init__(self, probe, command, scale=1, layout=None, locale=None, reader=False):
        self.scale = scale
        self.procs = []
        self.last = (None, 0)
        self.bells = 0
        self.wine = command[-1].endswith(".exe")
        self.platform = "windows" if self.wine else self.platform
        self.refused = 0
        self.reader = None
        try:
            self.open(probe, command, layout, locale, reader)
        except BaseException:
            self.end()  # a program that cannot start leaves no server behind
            raise

    def open(self, probe, command, layout, locale, reader):
        self.env = {k: v for k, v in os.environ.items() if k not in ("WAYLAND_DISPLAY", "QT_QPA_PLATFORM")}
        self.env.update(QT_SCALE_FACTOR=str(self.scale))
        if locale:  # setlocale raises where it is not installed
            assert setlocale(LC_NUMERIC, locale) and localeconv()["decimal_point"] == ",", locale
            self.env.update(LANG=locale, LC_ALL=locale)
        self.start_server()
        if layout:
            self.act("layout:" + layout)
        lines = (line.split() for line in self.run(probe).splitlines())
        self.labels = {name: tuple(map(float, numbers)) for name, *numbers in lines}
        self.heights = dict(zip(("full", "folded"), map(int, self.labels["height"])))
        self.double_click = self.labels["double-click"][0] / 1000
        if self.wine:
            self.start_wine(command[0])
        self.zobu = self.start(command, stdout=subprocess.DEVNULL, stderr=subprocess.PIPE)
        self.show()
        if reader:
            self.reader = self.start([command[0], os.environ["ZOBU_READER"]], stdin=subprocess.PIPE, text=True)
            assert self.ask() == ["ready"], "the reader found no calculator"

    def ask(self, command=None, reader=None):
        """A reader's answer to a command: its lines up to the closing "."."""
        reader = reader or self.reader
        if command:
            reader.stdin.write(command + "\n")
            reader.stdin.flush()
        lines = []
        while (line := reader.stdout.readline()) != ".\n":
            assert line, "the reader ended"
            lines.append(line.rstrip("\n"))
        return lines

    def listed(self):
        labels = [line.split("\t") for line in self.ask("list")]  # role, state, action, description
        return {"buttons": sum(role == "2b" and action == "按下" for role, _, action, _ in labels),
                "described": sum(description != "-" for *_, description in labels),
                "lines": [description for role, *_, description in labels if role != "2b"],
                "hidden": sum(int(state, 16) & 0x8000 > 0 for _, state, *_ in labels)}

    def press(self, keys):
        for key in keys:
            answer = self.ask("press " + {"n": "-n", "r": "1/n", "D": "DEL"}.get(key, key))
            self.refused += answer[0].startswith("refused")

    def start(self, argv, stdin=subprocess.DEVNULL, stdout=subprocess.PIPE, env=None, **kw):
        # Each ends with this script, also when the script itself is killed (a test's timeout):
        # PR_SET_PDEATHSIG.
        self.procs.append(subprocess.Popen(argv, env=env or self.env, stdin=stdin, stdout=stdout, **kw,
                                           preexec_fn=lambda: ctypes.CDLL(None).prctl(1, signal.SIGTERM)))
        return self.procs[-1]

    def run(self, *argv, timeout=30, check=True):
        return subprocess.run(argv, env=self.env, capture_output=True, text=True, timeout=timeout, check=check).stdout

    def click(self, label, repeat=1, release=None):
        x, y = (int(edge * self.scale) for edge in self.labels[label])
        if self.last[0] == (x, y):  # a click on the spot just clicked waits out the double-click
            time.sleep(max(0, self.last[1] + self.double_click - time.monotonic()))
        press = ["mousemove", *self.at(x, y)]
        if release:  # midway between two keys: on no label
            x2, y2 = ((a + b) / 2 * self.scale for a, b in zip(self.labels[label], self.labels[release]))
            press += ["mousedown", "1", "mousemove", *self.at(int(x2), int(y2)), "mouseup", "1"]
        else:
            press += ["click", "--repeat", str(repeat), "--delay", "40", "1"]
        self.xdo(*press)
        self.last = ((x, y), time.monotonic())

    def reset(self):
        if self.height() != self.heights["full"]:  # folded, so the help panel is hidden
            self.act(SPACE)
            assert wait_for(lambda: self.height() == self.heights["full"], 5), "Space did not unfold"
        if self.reader:
            self.press("DD")
            self.ask("heard")
            self.refused = 0
            return
        self.click("last")  # on the help panel, where it is shown, hides it; else nothing
        self.xdo("key", "Escape", "Escape")  # DEL twice clears all

    def act(self, token):
        kind, _, arg = token.rpartition(":")
        if kind == "c":
            for key in arg:
                self.click(key)
        elif kind == "dbl":
            self.click(arg, repeat=2)
        elif kind == "r":
            self.press(arg)
        elif kind == "wait":
            hidden = 0 if arg == "help" else 1
            assert wait_for(lambda: self.listed()["hidden"] == hidden, 10), f"the reader never found {arg}"
        elif kind == "off":
            self.click(arg[0], release=arg[1])
        elif kind == "layout":
            self.layout(arg)
        elif kind.startswith("group"):
            self.in_group(int(kind[5:]), arg.split(","))
        elif kind == "hold":
            self.xdo("keydown", arg, "sleep", "1.5", "keyup", arg)  # past the repeat delay
        else:
            self.xdo(*(["keydown", arg, "keyup", arg] if arg.isdigit() else ["key", arg]))

    def at(self, x, y):
        # Once the window covers the spot: a fold or unfold asked for before has taken effect.
        window = wait_for(lambda: (w := self.geometry()) and w["height"] > y and w, 5) or self.geometry()
        return [str(window["x"] + x), str(window["y"] + y)]

    def height(self):
        return self.geometry()["height"] // self.scale

    def fold(self):
        """Clears and folds the window by keys: the program has then handled every event before."""
        self.reset()
        self.act(SPACE)
        assert wait_for(lambda: self.height() == self.heights["folded"], 5), "Space did not fold"

    def close(self):
        """Closes the window as a window manager does, ends the servers; the program's status."""
        try:
            if self.reader:  # Wine's server, which holds the program's stderr, ends after the reader
                self.reader.communicate(timeout=30)
            self.close_window()
            try:
                status = self.zobu.wait(timeout=60)
            except Exception as e:  # noqa: BLE001 - its stderr is read in any case
                status = repr(e)
            return status, self.zobu.stderr.read().decode(errors="replace") if self.zobu.poll() is not None else ""
        finally:
            self.end()  # also where the reader or the program does not end

    def end(self):
        for proc in reversed(self.procs):
            proc.terminate()
            proc.wait()


class X11Session(Session):
    """Xvfb, xdotool and xclip; the bell heard through XKB."""

    hears = True  # X tells of each bell and of each hand-out of the clipboard
    display = None

    def start_server(self):
        # -noreset: the keyboard layout stays set while no client is connected.
        xvfb = self.start(["Xvfb", "-displayfd", "1", "-nolisten", "tcp", "-noreset"], stderr=subprocess.DEVNULL)
        assert select.select([xvfb.stdout], [], [], 10)[0], "Xvfb did not start"
        self.env.update(DISPLAY=":" + xvfb.stdout.readline().decode().strip())
        self.display = ctypes.c_void_p(X11.XOpenDisplay(self.env["DISPLAY"].encode()))
        self.clipboard_atom = X11.XInternAtom(self.display, b"CLIPBOARD", 0)
        xkb = [ctypes.c_int(v) for v in (0, 0, 0, 1, 0)]  # opcode, event, error, version 1.0
        assert X11.XkbQueryExtension(self.display, *map(ctypes.byref, xkb)), "no XKB"
        self.bell_event = xkb[1].value
        X11.XkbSelectEvents(self.display, 0x100, 1 << 8, 1 << 8)  # XkbUseCoreKbd, XkbBellNotifyMask

    def show(self):
        # Wine on a busy machine has taken over 30 s to show the window; the program itself, a second.
        search = self.start(["xdotool", "search", "--sync", "--onlyvisible", "--name", "Zobu"])
        wait_for(lambda: search.poll() is not None or self.zobu.poll() is not None, 120 if self.wine else 20)
        if search.poll() != 0:  # the program's reason; Wine's server would keep its stderr open
            self.zobu.terminate()
            said = "" if self.wine else self.zobu.communicate(timeout=30)[1].decode(errors="replace")
            raise AssertionError(f"no window, status {self.zobu.wait()}: {said.strip().splitlines()[-1:]}")
        self.window = search.stdout.read().split()[0].decode()
        self.run("xdotool", "windowfocus", "--sync", self.window)

    def start_wine(self, wine):
        """Wine makes the prefix on its first use (about 15 s); each session sets its DPI."""
        self.env.update(WINEPREFIX=os.environ.get("ZOBU_WINEPREFIX", os.path.expanduser("~/.wine")),
                        WINEDLLOVERRIDES="mscoree,mshtml=", WINEDEBUG="-all")  # no Mono or Gecko prompts
        self.run(wine, "reg", "add", r"HKCU\Control Panel\Desktop", "/v", "LogPixels", "/t", "REG_DWORD",
                 "/d", str(96 * self.scale), "/f", timeout=180)  # the first makes the prefix
        said = self.run(wine, "reg", "query", r"HKCU\Control Panel\Mouse", "/v", "DoubleClickSpeed")
        self.double_click = int(re.search(r"REG_SZ\s+(\d+)", said)[1]) / 1000  # Windows' own, in ms

    def heard(self):
        X11.XSync(self.display, 0)
        event = (ctypes.c_int * 48)()  # an XkbAnyEvent: type, then xkb_type at byte 40
        while X11.XPending(self.display):
            X11.XNextEvent(self.display, event)
            self.bells += event[0] == self.bell_event and event[10] == 8  # XkbBellNotify
        return self.bells

    def set_clipboard(self, data):
        before = self.owner()  # the previous row's xclip ends once it has lost the clipboard
        self.xclip, self.said = self.start(["xclip", "-i", "-selection", "clipboard", "-verbose"],
                                           stdin=subprocess.PIPE, stdout=subprocess.DEVNULL,
                                           stderr=subprocess.PIPE), b""
        self.xclip.stdin.write(data)
        self.xclip.stdin.close()
        # Owning it is enough. Nothing reads it back: a client reading the clipboard while Wine takes in
        # a new owner's text stalled Wine's clipboard for seconds in about one paste in twenty.
        assert wait_for(lambda: self.owner() not in (before, 0), 20), "xclip did not take the clipboard"
        self.row_owner = self.owner()

    def served(self):
        # How many times the row's xclip has handed its text out.
        while select.select([self.xclip.stderr], [], [], 0)[0] and (said := os.read(self.xclip.stderr.fileno(), 99)):
            self.said += said
        return self.said.count(b"request number") - 1

    def owner(self):
        return X11.XGetSelectionOwner(self.display, self.clipboard_atom)

    def copied(self):
        """The clipboard's text once the program has taken it from the row's xclip."""
        took = wait_for(lambda: self.owner() not in (self.row_owner, 0), 5)
        return self.run("xclip", "-o", "-selection", "clipboard", timeout=5) if took else "no copy"

    def xdo(self, *words):
        self.run("xdotool", *words)

    def layout(self, layout):
        self.run("setxkbmap", "-option", "", "-layout", layout)

    def in_group(self, group, keycodes):  # xdotool presses keycodes in the first group only
        X11.XkbLockGroup(self.display, 0x100, group)  # XkbUseCoreKbd
        for keycode, down in ((int(k), down) for k in keycodes for down in (1, 0)):
            XTEST.XTestFakeKeyEvent(self.display, keycode, down, 0)
        X11.XkbLockGroup(self.display, 0x100, 0)
        X11.XSync(self.display, 0)

    def geometry(self):
        out = self.run("xdotool", "getwindowgeometry", "--shell", self.window)
        return {name.lower(): int(value) for name, value in (line.split("=") for line in out.split())}

    def close_window(self):
        # A ClientMessage (33), format 32: WM_PROTOCOLS, WM_DELETE_WINDOW.
        atoms = (X11.XInternAtom(self.display, name, 0) for name in (b"WM_PROTOCOLS", b"WM_DELETE_WINDOW"))
        event = (ctypes.c_long * 24)(33, 0, 0, 0, int(self.window), next(atoms), 32, next(atoms))
        X11.XSendEvent(self.display, int(self.window), 0, 0, event)
        X11.XFlush(self.display)

    def end(self):
        if self.wine:  # Wine's server and helpers end with the prefix's, before the next session
            for flag in ("-k", "-w"):
                subprocess.run(["wineserver", flag], env=self.env, check=False, timeout=30)
        if self.display:
            X11.XCloseDisplay(self.display)
        super().end()


class SwaySession(Session):
    """Sway headless: keys and pointer by tests/tools/virtual_input, the clipboard by wl-copy and
    wl-paste, the lines by a screen reader's client through AT-SPI."""

    hears = False  # sway 1.7 rings no bell, and wl-copy does not tell when it hands out its text
    platform = "wayland"

    def start_server(self):
        _, wayland = start_sway(lambda argv, env: self.start(argv, stdout=subprocess.DEVNULL, env=env,
                                                             stderr=subprocess.DEVNULL))
        bus = self.start(["dbus-daemon", "--session", "--print-address", "--nofork"], stderr=subprocess.DEVNULL)
        self.env.update(wayland, QT_QPA_PLATFORM="wayland", QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1",
                        DBUS_SESSION_BUS_ADDRESS=bus.stdout.readline().decode().strip())
        # The seat's keyboard from before the program starts to its end: keys are lost while one comes or goes.
        self.hand = self.start([os.environ["ZOBU_VIRTUAL_INPUT"]], stdin=subprocess.PIPE, text=True)
        self.ask(reader=self.hand)

    def show(self):
        assert wait_for(lambda: self.geometry() or self.zobu.poll() is not None, 60), "no window"
        assert self.geometry(), f"the program ended with status {self.zobu.poll()} showing no window"
        # A click goes through the window until sway has placed it: C until the program copies.
        self.set_clipboard(MARK)
        assert wait_for(lambda: self.click("C") or self.clip.poll() is not None, 10), "no click reached the window"
        self.atspi = self.start([os.environ["ZOBU_ATSPI_READER"], "zobu"], stdin=subprocess.PIPE, text=True)
        assert self.ask(reader=self.atspi) == ["ready"], "AT-SPI shows no window"

    def geometry(self):
        """The program's window once it has the focus: its client's place in the output, its height."""
        nodes = [json.loads(self.run("swaymsg", "-t", "get_tree"))]
        for node in nodes:  # which grows as it goes
            nodes += node["nodes"] + node["floating_nodes"]
            if node.get("pid") == self.zobu.pid and node["focused"]:
                return {k: node["rect"][k] + node["window_rect"][k] for k in "xy"} | {"height": node["window_rect"]["height"]}

    def set_clipboard(self, data):
        self.run("wl-copy", "--clear")  # whoever had the clipboard lets it go
        self.clip = self.start(["wl-copy", "--foreground", "--type", "text/plain;charset=utf-8"],
                               stdin=subprocess.PIPE, stdout=subprocess.DEVNULL)
        self.clip.stdin.write(data)
        self.clip.stdin.close()
        assert wait_for(lambda: self.run("wl-paste", "--list-types", check=False), 20), "wl-copy took no clipboard"

    def copied(self):  # once the program has taken the clipboard: wl-copy serves until it loses it
        took = wait_for(lambda: self.clip.poll() is not None, 5)
        return self.run("wl-paste", "--no-newline", timeout=5) if took else "no copy"

    def line(self, name):
        """The history or note line as a screen reader has it."""
        lines = dict(line.split("\t", 1) for line in self.ask("labels", self.atspi))
        return lines[{"history": "历史", "note": "提示"}[name]]

    def xdo(self, *words):
        self.ask(" ".join(words), self.hand)

    def layout(self, layout):
        self.xdo("layout", layout)

    def in_group(self, group, keycodes):
        self.xdo("group", str(group), *(f"keydown {k} keyup {k}" for k in keycodes), "group 0")

    def close_window(self):
        self.run("swaymsg", f"[pid={self.zobu.pid}] kill")


def run_group(name, probe, command):
    server, _, name = name.rpartition(".")
    options, rows = GROUPS[name]
    zobu, failures = (SwaySession if server == "wayland" else X11Session)(probe, command, **options), []
    if not zobu.hears:
        print("No bell is checked: sway 1.7 rings none. A failed paste is told by its note line.")
    try:
        run_rows(zobu, rows, failures)
    except Exception as e:  # noqa: BLE001 - the rows stop, the program's end is still told
        failures.append(f"rows stopped: {e!r}")
    status, stderr = zobu.close()
    if status != 0 or any(s in stderr for s in ("Sanitizer", "runtime error", "unhandled failure")):
        failures.append(f"closed with status {status}: {stderr}")
    return failures


def run_rows(zobu, rows, failures):
    for actions, clipboard, expected in rows:
        row, other = f"{actions} {clipboard[:9]!r}" if clipboard else actions, expected.get(zobu.platform, {})
        if isinstance(other, str):
            print(f"{row[:40]:42} not on {zobu.platform}: {other}")
            continue
        expected = {k: v for k, v in {**expected, **other}.items()
                    if k not in ("windows", "wayland") and (zobu.hears or k != "bells")}
        zobu.reset()
        zobu.set_clipboard(MARK if clipboard is None else clipboard)
        seen = zobu.heard() if zobu.hears else 0
        for token in actions.split():
            zobu.act(token)
        want, got = ({"bells": 0, **expected} if zobu.hears else expected), {}
        if clipboard is not None and zobu.hears:
            want["read"], got["read"] = True, wait_for(lambda: zobu.served() > 0, 5)
        for key, read in {"heard": lambda: zobu.ask("heard"), "listed": zobu.listed, "refused": lambda: zobu.refused}.items():
            if key in expected:
                got[key] = read()
        for key in {"history", "note"} & expected.keys():  # before a copy writes the note
            wait_for(lambda: zobu.line(key) == expected[key], 5)
            got[key] = zobu.line(key)
        if "show" in expected:
            zobu.click("C")  # a copy: the program takes the clipboard once it has handled all before
        for key in {"show", "clip"} & expected.keys():
            got[key] = zobu.copied()
        if "height" in expected:
            want["height"] = zobu.heights[expected["height"]]
            got["height"] = zobu.height() if wait_for(lambda: zobu.height() == want["height"], 5) else "not reached"
        if zobu.hears:
            wait_for(lambda: zobu.heard() - seen >= want["bells"], 5)  # more are found below
            got["bells"] = zobu.bells - seen
        print(f"{row[:40]:42} {got}")
        if got != want:
            failures.append(f"{row}: {got}, not {want}")
        seen = zobu.bells
        zobu.fold()
        if zobu.hears and zobu.heard() != seen:
            failures.append(f"{row}: {zobu.bells - seen} bell(s) after its check")


# Starts that cannot open a window: one line on stderr naming the cause, with Qt's reason, status 1.
# A row is (environment, what the line says[, Qt's options]).
STARTUP = [({}, ["no display named"]),
           # Qt's reasons in full: its warnings, and the fatal message that follows them.
           ({"DISPLAY": ":399"}, ['display ":399" could not be reached', "could not connect to display :399",
                                  "no Qt platform plugin could be initialized"]),
           ({"QT_QPA_PLATFORM": "bogus"},
            ['the platform plugin "bogus" could not be started', 'Could not find the Qt platform plugin "bogus"']),
           ({}, ['display ":399" could not be reached', "could not connect to display :399"], ["-display", ":399"]),
           ({}, ['the platform plugin "bogus" could not be started', 'Could not find the Qt platform plugin "bogus"'],
            ["-platform", "bogus"])]


def run_startup(command):
    failures, clean = [], {k: v for k, v in os.environ.items() if k not in ("DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM")}
    for env, said, *options in STARTUP:
        result = subprocess.run(command + sum(options, []), env={**clean, **env}, stdin=subprocess.DEVNULL, capture_output=True,
                                text=True, timeout=20)
        lines = result.stderr.strip().splitlines()
        print(f"{env} {options} {result.returncode} {lines}")
        if result.returncode != 1 or len(lines) != 1 or not all(words in result.stderr for words in said):
            failures.append(f"{env} {options}: status {result.returncode}, {result.stderr!r}")
    return failures


if __name__ == "__main__":
    group, probe, command = sys.argv[1], sys.argv[2], sys.argv[3:]
    failures = run_startup(command) if group == "startup" else run_group(group, probe, command)
    for failure in failures:
        print("FAIL:", failure, file=sys.stderr)
    sys.exit(1 if failures else 0)
