"""Runs the calculator on its own Xvfb display and drives it as a user does: real pointer
clicks and key presses through xdotool, the real clipboard through xclip.

    with ZobuSession(program) as zobu:
        zobu.click("1"); zobu.click("+"); zobu.click("2"); zobu.click("=")
        assert zobu.display_text() == "3"

Positions come from the window's layout in twips (15 twips to a pixel), times the scale
factor the session started the program with. Python 3 standard library only; NumLock is
set through Xlib with ctypes.
"""

import ctypes
import ctypes.util
import os
import shutil
import subprocess
import tempfile
import time

TWIPS_PER_PIXEL = 15

# Label -> (Left, Top, Width, Height) in twips, as the window lays them out. Keys are named
# by their captions; "say" is the display, "help" the help panel as placed at start-up.
LABELS = {
    "last": (50, 50, 5100, 250),
    "say": (350, 300, 4440, 420),
    "next": (50, 750, 5100, 250),
    "help": (50, 50, 5100, 3300),
    "DEL": (200, 1050, 1000, 420),
    "7": (1470, 1050, 720, 420),
    "8": (2415, 1050, 720, 420),
    "9": (3360, 1050, 720, 420),
    "/": (4305, 1050, 720, 420),
    "C": (200, 1645, 480, 420),
    "V": (720, 1645, 480, 420),
    "4": (1470, 1645, 720, 420),
    "5": (2415, 1645, 720, 420),
    "6": (3360, 1645, 720, 420),
    "*": (4305, 1645, 720, 420),
    "1/n": (200, 2240, 1000, 420),
    "1": (1470, 2240, 720, 420),
    "2": (2415, 2240, 720, 420),
    "3": (3360, 2240, 720, 420),
    "-": (4305, 2240, 720, 420),
    "-n": (200, 2835, 1000, 420),
    "0": (1470, 2835, 720, 420),
    ".": (2415, 2835, 720, 420),
    "=": (3360, 2835, 720, 420),
    "+": (4305, 2835, 720, 420),
}

# Client heights in pixels at scale 1.
UNFOLDED_HEIGHT = 228
FOLDED_HEIGHT = 69

# Two presses closer in time than this make a double-click (Qt's default is 400 ms).
DOUBLE_CLICK_SECONDS = 0.5

# Written to the clipboard before a copy, so a read can tell the copy has arrived.
_PENDING = "zobu-e2e-pending"


class SessionError(RuntimeError):
    pass


def _free_display():
    """The lowest display number from 90 up with neither a socket nor a lock file."""
    for number in range(90, 400):
        if not os.path.exists(f"/tmp/.X11-unix/X{number}") and not os.path.exists(
            f"/tmp/.X{number}-lock"
        ):
            return number
    raise SessionError("no free X display number")


def _wait_until(predicate, timeout, interval=0.02):
    deadline = time.monotonic() + timeout
    while True:
        value = predicate()
        if value:
            return value
        if time.monotonic() >= deadline:
            return value
        time.sleep(interval)


class ZobuSession:
    def __init__(self, program, scale=1, extra_env=None):
        self.program = program
        self.scale = scale
        self.extra_env = dict(extra_env or {})
        self.display = None
        self.window = None
        self._xvfb = None
        self._zobu = None
        self._stderr = None
        self._last_click = (None, 0.0)

    # -- life cycle ---------------------------------------------------------------------

    def __enter__(self):
        self.start()
        return self

    def __exit__(self, *exc):
        self.stop()
        return False

    def start(self):
        for missing in [t for t in ("Xvfb", "xdotool", "xclip", "xdpyinfo") if not shutil.which(t)]:
            raise SessionError(f"{missing} is not installed")
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
        for _attempt in range(3):
            number = _free_display()
            self._xvfb = subprocess.Popen(
                ["Xvfb", f":{number}", "-screen", "0", "1024x768x24", "-nolisten", "tcp"],
                stdin=subprocess.DEVNULL,
                stdout=subprocess.DEVNULL,
                stderr=subprocess.DEVNULL,
            )
            self.display = f":{number}"
            if _wait_until(lambda: self._xvfb.poll() is not None or self._x_ready(), 10):
                if self._xvfb.poll() is None:
                    return
            self.stop()  # lost the race for that number to another server: try the next
        raise SessionError("Xvfb did not start")

    def _x_ready(self):
        return (
            subprocess.run(
                ["xdpyinfo", "-display", self.display],
                stdout=subprocess.DEVNULL,
                stderr=subprocess.DEVNULL,
            ).returncode
            == 0
        )

    def env(self):
        env = {k: v for k, v in os.environ.items() if k not in ("WAYLAND_DISPLAY", "QT_QPA_PLATFORM")}
        env["DISPLAY"] = self.display
        if self.scale != 1:
            env["QT_SCALE_FACTOR"] = str(self.scale)
        env.update(self.extra_env)
        return env

    def _start_program(self):
        self._stderr = tempfile.TemporaryFile()
        self._zobu = subprocess.Popen(
            [self.program],
            env=self.env(),
            stdin=subprocess.DEVNULL,
            stdout=subprocess.DEVNULL,
            stderr=self._stderr,
        )
        try:
            found = self._run(
                "xdotool", "search", "--sync", "--onlyvisible", "--pid", str(self._zobu.pid),
                timeout=15,
            )
        except subprocess.TimeoutExpired:
            raise SessionError("the calculator's window did not appear: " + self.stderr()) from None
        self.window = found.split()[0]
        self._run("xdotool", "windowfocus", "--sync", self.window)

    # -- helpers ------------------------------------------------------------------------

    def _run(self, *args, timeout=10, check=True, stdin_text=None):
        result = subprocess.run(
            list(args),
            env=self.env(),
            input=stdin_text,
            stdout=subprocess.PIPE,
            stderr=subprocess.DEVNULL,
            text=True,
            timeout=timeout,
            check=check,
        )
        return result.stdout

    def stderr(self):
        """What the program has written to stderr so far."""
        if self._stderr is None:
            return ""
        self._stderr.seek(0)
        return self._stderr.read().decode("utf-8", "replace")

    def running(self):
        return self._zobu is not None and self._zobu.poll() is None

    def exit_status(self, timeout=5):
        """Waits for the program to end and returns its status."""
        return self._zobu.wait(timeout=timeout)

    # -- the pointer --------------------------------------------------------------------

    def centre(self, label):
        """The centre of a label in the window's device pixels."""
        left, top, width, height = LABELS[label]
        x0, x1 = (round_half_up((left + d) / TWIPS_PER_PIXEL) for d in (0, width))
        y0, y1 = (round_half_up((top + d) / TWIPS_PER_PIXEL) for d in (0, height))
        return int((x0 + x1) / 2 * self.scale), int((y0 + y1) / 2 * self.scale)

    def click_at(self, x, y, repeat=1):
        """Clicks `repeat` times in quick succession. A click right after another on the same
        spot waits out the double-click time first, or it would be the pair's second press."""
        last_spot, last_time = self._last_click
        if last_spot == (x, y):
            time.sleep(max(0.0, last_time + DOUBLE_CLICK_SECONDS - time.monotonic()))
        self._run(
            "xdotool", "mousemove", "--window", self.window, str(x), str(y),
            "click", "--repeat", str(repeat), "--delay", "40", "1",
        )
        self._last_click = ((x, y), time.monotonic())

    def click(self, label):
        self.click_at(*self.centre(label))

    def double_click(self, label):
        self.click_at(*self.centre(label), repeat=2)

    def clicks(self, *labels):
        for label in labels:
            self.click(label)

    # -- the keyboard -------------------------------------------------------------------

    def key(self, *keysyms, delay_ms=30):
        """Presses and releases each X keysym (e.g. "1", "KP_Add", "F1", "shift+8") in turn."""
        self._run("xdotool", "key", "--delay", str(delay_ms), *keysyms)

    def keys(self, *keys):
        """Presses and releases each key in turn, as a user does on the keyboard's current
        state: an int is an X keycode (the physical key, whatever NumLock and the layout make
        of it), a str a keysym or chord for xdotool ("F1", "shift+8", "ctrl+c")."""
        args = []
        for k in keys:
            if isinstance(k, int):
                args += ["keydown", _keycode(k), "keyup", _keycode(k)]
            else:
                args += ["key", "--delay", "10", k]
        if args:
            self._run("xdotool", *args)

    def key_down(self, keycode):
        self._run("xdotool", "keydown", _keycode(keycode))

    def key_up(self, keycode):
        self._run("xdotool", "keyup", _keycode(keycode))

    def focus(self):
        """Gives the window the keyboard (there is no window manager to do it)."""
        self._run("xdotool", "windowfocus", "--sync", self.window)

    def set_num_lock(self, on):
        """Locks or unlocks NumLock on the X server, and checks that it took."""
        with _XDisplay(self.display) as x:
            x.set_num_lock(on)
            if x.num_lock() != on:
                raise SessionError(f"NumLock did not turn {'on' if on else 'off'}")

    def num_lock(self):
        with _XDisplay(self.display) as x:
            return x.num_lock()

    # -- the clipboard ------------------------------------------------------------------

    def clipboard_get(self):
        return self._run("xclip", "-o", "-selection", "clipboard", check=False, timeout=5)

    def clipboard_set(self, text):
        # xclip stays behind to serve the selection until another program takes it; its
        # output goes nowhere so that it holds no pipe of ours open.
        subprocess.run(
            ["xclip", "-i", "-selection", "clipboard"],
            env=self.env(),
            input=text.encode("utf-8"),
            stdout=subprocess.DEVNULL,
            stderr=subprocess.DEVNULL,
            check=True,
            timeout=5,
        )
        _wait_until(lambda: self.clipboard_get() == text, 2)

    def wait_for_clipboard(self, text, timeout=3):
        """Waits until the clipboard holds `text`; whether it came."""
        return bool(_wait_until(lambda: self.clipboard_get() == text, timeout))

    def display_text(self, timeout=3):
        """The display's text, read the way a user copies it: a click on "C".

        Copying takes part in the calculator's DEL ladder and ends typing, like any copy."""
        self.clipboard_set(_PENDING)
        self.click("C")
        text = _wait_until(lambda: (t := self.clipboard_get()) != _PENDING and t, timeout)
        if not text or text == _PENDING:
            raise SessionError("the copy did not reach the clipboard")
        return text

    def display_text_by_key(self, timeout=3):
        """The display's text, copied with the C key; "" when no copy arrived (as while the
        help panel holds the keyboard)."""
        self.clipboard_set(_PENDING)
        self.keys(KEYCODES["C"])
        text = _wait_until(lambda: (t := self.clipboard_get()) != _PENDING and t, timeout)
        return "" if not text or text == _PENDING else text

    # -- the window ---------------------------------------------------------------------

    def client_size(self):
        out = self._run("xdotool", "getwindowgeometry", self.window)
        for line in out.splitlines():
            if "Geometry:" in line:
                width, height = line.split(":")[1].strip().split("x")
                return int(width), int(height)
        raise SessionError("no geometry for the window: " + out)

    def client_height(self):
        return self.client_size()[1]

    def wait_for_height(self, height, timeout=3):
        """Waits until the client height (device pixels) is `height`, and returns it."""
        return _wait_until(lambda: self.client_height() == height and height, timeout) or (
            self.client_height()
        )

    def screenshot(self, path):
        subprocess.run(
            ["import", "-window", "root", path], env=self.env(), check=True, timeout=20,
            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
        )


# X keycodes of a US keyboard (evdev), by the key's name.
KEYCODES = {
    "1": 10, "2": 11, "3": 12, "4": 13, "5": 14, "6": 15, "7": 16, "8": 17, "9": 18, "0": 19,
    "KP0": 90, "KP1": 87, "KP2": 88, "KP3": 89, "KP4": 83, "KP5": 84, "KP6": 85, "KP7": 79,
    "KP8": 80, "KP9": 81, "KP.": 91, "KP+": 86, "KP-": 82, "KP*": 63, "KP/": 106, "KPEnter": 104,
    "minus": 20, "equal": 21, "BackSpace": 22, "Return": 36, "apostrophe": 48, "grave": 49,
    "backslash": 51, "C": 54, "V": 55, "period": 60, "slash": 61, "space": 65, "F1": 67,
    "Delete": 119, "Shift_L": 50, "Control_L": 37, "Alt_L": 64, "Num_Lock": 77,
}


def _keycode(code):
    # xdotool reads a lone digit as that digit's keysym; every keycode used here has two digits
    # or more (Escape, keycode 9, goes by its name).
    if code < 10:
        raise ValueError(f"keycode {code}: send it by its keysym name")
    return str(code)


class _XDisplay:
    """A short Xlib connection, for what xdotool cannot do: the lock state of NumLock."""

    _lib = None
    XKB_USE_CORE_KBD = 0x100
    XK_NUM_LOCK = 0xFF7F

    def __init__(self, display):
        self.display_name = display
        self.dpy = None

    @classmethod
    def lib(cls):
        if cls._lib is None:
            name = ctypes.util.find_library("X11") or "libX11.so.6"
            lib = ctypes.CDLL(name)
            lib.XOpenDisplay.restype = ctypes.c_void_p
            lib.XOpenDisplay.argtypes = [ctypes.c_char_p]
            lib.XCloseDisplay.argtypes = [ctypes.c_void_p]
            lib.XSync.argtypes = [ctypes.c_void_p, ctypes.c_int]
            lib.XDefaultRootWindow.restype = ctypes.c_ulong
            lib.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
            lib.XkbKeysymToModifiers.restype = ctypes.c_uint
            lib.XkbKeysymToModifiers.argtypes = [ctypes.c_void_p, ctypes.c_ulong]
            lib.XkbLockModifiers.argtypes = [ctypes.c_void_p, ctypes.c_uint, ctypes.c_uint,
                                             ctypes.c_uint]
            lib.XQueryPointer.argtypes = [ctypes.c_void_p, ctypes.c_ulong] + [ctypes.c_void_p] * 7
            cls._lib = lib
        return cls._lib

    def __enter__(self):
        self.dpy = self.lib().XOpenDisplay(self.display_name.encode())
        if not self.dpy:
            raise SessionError(f"cannot open X display {self.display_name}")
        return self

    def __exit__(self, *exc):
        self.lib().XCloseDisplay(self.dpy)
        return False

    def _num_lock_mask(self):
        mask = self.lib().XkbKeysymToModifiers(self.dpy, self.XK_NUM_LOCK)
        if not mask:
            raise SessionError("the keymap binds NumLock to no modifier")
        return mask

    def set_num_lock(self, on):
        mask = self._num_lock_mask()
        self.lib().XkbLockModifiers(self.dpy, self.XKB_USE_CORE_KBD, mask, mask if on else 0)
        self.lib().XSync(self.dpy, 0)

    def num_lock(self):
        window, number, state = ctypes.c_ulong(), ctypes.c_int(), ctypes.c_uint()
        self.lib().XQueryPointer(
            self.dpy, self.lib().XDefaultRootWindow(self.dpy), ctypes.byref(window),
            ctypes.byref(window), *(ctypes.byref(number) for _ in range(4)), ctypes.byref(state),
        )
        return bool(state.value & self._num_lock_mask())


def round_half_up(value):
    return int(value + 0.5)
