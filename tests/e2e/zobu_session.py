"""Runs the calculator on its own Xvfb display and drives it as a user does: real pointer
clicks and key presses through xdotool, the real clipboard through xclip.

    with ZobuSession(program) as zobu:
        zobu.click("1", "+", "2", "=")
        assert zobu.display_text() == "3"

Positions come from the window's layout in twips (15 twips to a pixel), times the scale
factor the session started the program with. Python 3 standard library only.
"""

import os
import select
import subprocess
import sys
import tempfile
import time

TWIPS_PER_PIXEL = 15

# Label -> (Left, Top, Width, Height) in twips, as the window lays them out. Keys are named
# by their captions; "say" is the display.
LABELS = {
    "last": (50, 50, 5100, 250), "say": (350, 300, 4440, 420), "next": (50, 750, 5100, 250),
    "DEL": (200, 1050, 1000, 420), "C": (200, 1645, 480, 420), "V": (720, 1645, 480, 420),
    "1/n": (200, 2240, 1000, 420), "-n": (200, 2835, 1000, 420),
}
for _row, _captions in enumerate(("789/", "456*", "123-", "0.=+")):
    for _column, _caption in enumerate(_captions):
        LABELS[_caption] = (1470 + 945 * _column, 1050 + 595 * _row, 720, 420)

# Client size in pixels at scale 1, unfolded and folded.
WIDTH = 347
UNFOLDED_HEIGHT = 228
FOLDED_HEIGHT = 69

# X keycodes of a US keyboard (evdev), by the key's name.
KEYCODES = {
    "1": 10, "2": 11, "3": 12, "4": 13, "5": 14, "6": 15, "7": 16, "8": 17, "9": 18, "0": 19,
    "KP0": 90, "KP1": 87, "KP2": 88, "KP3": 89, "KP4": 83, "KP5": 84, "KP6": 85, "KP7": 79,
    "KP8": 80, "KP9": 81, "KP.": 91, "KP+": 86, "KP-": 82, "KP*": 63, "KP/": 106, "KPEnter": 104,
    "minus": 20, "equal": 21, "BackSpace": 22, "Return": 36, "apostrophe": 48, "grave": 49,
    "backslash": 51, "C": 54, "V": 55, "period": 60, "slash": 61, "space": 65, "F1": 67,
    "Delete": 119, "Shift_L": 50, "Control_L": 37, "Alt_L": 64,
}

# Two presses closer in time than this make a double-click (Qt's default is 400 ms).
DOUBLE_CLICK_SECONDS = 0.5

# Written to the clipboard before a copy, so a read can tell the copy has arrived.
_PENDING = "zobu-e2e-pending"


class SessionError(RuntimeError):
    pass


def _wait_until(predicate, timeout, interval=0.02):
    deadline = time.monotonic() + timeout
    while not (value := predicate()) and time.monotonic() < deadline:
        time.sleep(interval)
    return value


class ZobuSession:
    """`command` runs before the program (a Valgrind command line, say); `start_seconds` is
    how long its window may take to appear."""

    def __init__(self, program, scale=1, command=(), start_seconds=15):
        self.argv = [*command, program]
        self.scale = scale
        self.start_seconds = start_seconds
        self.display = self.window = self._xvfb = self._zobu = self._stderr = None
        self._last_click = (None, 0.0)

    def __enter__(self):
        self.start()
        return self

    def __exit__(self, *exc):
        self.stop()
        return False

    def start(self):
        try:
            self._start_xvfb()
            self._start_program()
        except BaseException:
            self.stop()
            raise

    def stop(self):
        """Ends the program and the X server, each by its own process id."""
        for proc in (self._zobu, self._xvfb):
            if proc is not None and proc.poll() is None:
                proc.terminate()
                try:
                    proc.wait(timeout=5)
                except subprocess.TimeoutExpired:
                    proc.kill()
                    proc.wait()
        self._zobu = self._xvfb = None
        if self._stderr is not None:
            self._stderr.close()
            self._stderr = None

    def _start_xvfb(self):
        """Xvfb picks a free display number itself and writes it once it accepts clients."""
        read_end, write_end = os.pipe()
        self._xvfb = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write_end), "-screen", "0", "1024x768x24", "-nolisten",
             "tcp"], pass_fds=(write_end,), stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
            stderr=subprocess.DEVNULL)
        os.close(write_end)
        with os.fdopen(read_end) as pipe:
            if not select.select([pipe], [], [], 10)[0] or not (number := pipe.readline().strip()):
                raise SessionError("Xvfb did not start")
        self.display = f":{number}"

    def env(self):
        env = {k: v for k, v in os.environ.items() if k not in ("WAYLAND_DISPLAY", "QT_QPA_PLATFORM")}
        env["DISPLAY"] = self.display
        if self.scale != 1:
            env["QT_SCALE_FACTOR"] = str(self.scale)
        return env

    def _start_program(self):
        self._stderr = tempfile.TemporaryFile()
        self._zobu = subprocess.Popen(self.argv, env=self.env(), stdin=subprocess.DEVNULL,
                                      stdout=subprocess.DEVNULL, stderr=self._stderr)
        try:
            found = self._run("xdotool", "search", "--sync", "--onlyvisible", "--pid",
                              str(self._zobu.pid), timeout=self.start_seconds)
        except subprocess.TimeoutExpired:
            raise SessionError("the calculator's window did not appear: " + self.stderr()) from None
        self.window = found.split()[0]
        self.focus()

    def _run(self, *args, timeout=10, check=True):
        return subprocess.run(list(args), env=self.env(), stdout=subprocess.PIPE,
                              stderr=subprocess.DEVNULL, text=True, timeout=timeout,
                              check=check).stdout

    def stderr(self):
        """What the program has written to stderr so far."""
        if self._stderr is None:
            return ""
        self._stderr.seek(0)
        return self._stderr.read().decode("utf-8", "replace")

    def running(self):
        return self._zobu is not None and self._zobu.poll() is None

    def exit_status(self, timeout):
        """Waits for the program to end by itself and returns its status."""
        return self._zobu.wait(timeout=timeout)

    # -- the pointer --------------------------------------------------------------------

    def centre(self, label):
        """The centre of a label in the window's device pixels."""
        left, top, width, height = LABELS[label]
        edge = lambda twips: int(twips / TWIPS_PER_PIXEL + 0.5)  # noqa: E731
        x = (edge(left) + edge(left + width)) / 2
        y = (edge(top) + edge(top + height)) / 2
        return int(x * self.scale), int(y * self.scale)

    def click(self, *labels, repeat=1):
        """Clicks each label in turn, `repeat` times in quick succession. A click right after
        another on the same spot waits out the double-click time first, or it would be the
        pair's second press."""
        for label in labels:
            x, y = self.centre(label)
            last_spot, last_time = self._last_click
            if last_spot == (x, y):
                time.sleep(max(0.0, last_time + DOUBLE_CLICK_SECONDS - time.monotonic()))
            self._run("xdotool", "mousemove", "--window", self.window, str(x), str(y),
                      "click", "--repeat", str(repeat), "--delay", "40", "1")
            self._last_click = ((x, y), time.monotonic())

    # -- the keyboard -------------------------------------------------------------------

    def keys(self, *keys):
        """Presses and releases each key in turn, as a user does on the keyboard's current
        state: an int is an X keycode (the physical key, whatever NumLock and the layout make
        of it), a str a keysym or chord for xdotool ("F1", "shift+8", "ctrl+c")."""
        args = []
        for k in keys:
            if isinstance(k, int):
                args += ["keydown", str(k), "keyup", str(k)]
            else:
                args += ["key", "--delay", "10", k]
        if args:
            self._run("xdotool", *args)

    def hold(self, keycode, seconds):
        """Holds a key down for a while, as X repeats it, and lets it go."""
        self._run("xdotool", "keydown", str(keycode), "sleep", str(seconds), "keyup", str(keycode))

    def focus(self):
        """Gives the window the keyboard (there is no window manager to do it)."""
        self._run("xdotool", "windowfocus", "--sync", self.window)

    # -- the clipboard ------------------------------------------------------------------

    def clipboard_get(self):
        return self._run("xclip", "-o", "-selection", "clipboard", check=False, timeout=5)

    def clipboard_set(self, text):
        # xclip stays behind to serve the selection until another program takes it; its
        # output goes nowhere so that it holds no pipe of ours open.
        subprocess.run(["xclip", "-i", "-selection", "clipboard"], env=self.env(),
                       input=text.encode("utf-8"), stdout=subprocess.DEVNULL,
                       stderr=subprocess.DEVNULL, check=True, timeout=5)
        _wait_until(lambda: self.clipboard_get() == text, 2)

    def wait_for_clipboard(self, text, timeout=3):
        """Waits until the clipboard holds `text`; whether it came."""
        return bool(_wait_until(lambda: self.clipboard_get() == text, timeout))

    def display_text(self, by_key=False, timeout=3):
        """The display's text, read the way a user copies it: a click on "C", or the C key.
        "" when no copy arrived (as while the help panel holds the keyboard). Copying takes
        part in the calculator's DEL ladder and ends typing, like any copy."""
        self.clipboard_set(_PENDING)
        if by_key:
            self.keys(KEYCODES["C"])
        else:
            self.click("C")
        text = _wait_until(lambda: (t := self.clipboard_get()) != _PENDING and t, timeout)
        return text if text and text != _PENDING else ""

    # -- the window ---------------------------------------------------------------------

    def client_size(self):
        out = self._run("xdotool", "getwindowgeometry", "--shell", self.window)
        geometry = dict(line.split("=", 1) for line in out.split())
        return int(geometry["WIDTH"]), int(geometry["HEIGHT"])

    def wait_for_height(self, height, timeout=3):
        """Waits until the client height (device pixels) is `height`, and returns it."""
        return _wait_until(lambda: self.client_size()[1] == height and height, timeout) or (
            self.client_size()[1])


if __name__ == "__main__":
    # zobu_session.py COMMAND...: runs a Qt program (a test) on an X server of its own.
    xserver = ZobuSession(None)
    xserver._start_xvfb()
    try:
        sys.exit(subprocess.run(sys.argv[1:], env={**xserver.env(), "QT_QPA_PLATFORM": "xcb"},
                                stdin=subprocess.DEVNULL, timeout=120, check=False).returncode)
    finally:
        xserver.stop()
