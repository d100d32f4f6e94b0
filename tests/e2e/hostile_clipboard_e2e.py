"""The real program under Xvfb pasting what other programs leave on the clipboard: ten
megabytes of digits, binary bytes, invalid UTF-8, a NUL in the middle, a thousand lines,
right-to-left marks, "nan", "inf", numbers as documents write them. Each paste gives its
number or the paste failure with its beep, quickly; the number the user had stays on the
display after a failure, and the calculator goes on working.

The texts are put on the CLIPBOARD selection by xclip, fed through its standard input, and
pasted with a click on "V" or the V key. The beep is heard by bell_watch, an XKB client.

Usage: hostile_clipboard_e2e.py PATH_TO_ZOBU PATH_TO_BELL_WATCH
"""

import os
import subprocess
import sys
import threading
import time
import unittest

from zobu_session import ZobuSession

PROGRAM = None
BELL_WATCH = None

# A paste must show its outcome well within this; the figures are printed for the record.
PASTE_SECONDS = 2.0

TYPE_MISMATCH = "type mismatch"
OVERFLOW = "overflow"

# name, clipboard bytes, what the display shows afterwards (None: the paste is refused and
# the display keeps the user's number), the failure expected when it is refused.
CASES = [
    ("ten megabytes of digits", b"7" * 10_000_000, None, OVERFLOW),
    ("binary bytes", bytes(range(256)) * 16, None, TYPE_MISMATCH),
    ("invalid UTF-8 around digits", b"4\xff2\xc3", None, TYPE_MISMATCH),
    ("a NUL in the middle", b"12\x0034", None, TYPE_MISMATCH),
    ("a thousand lines", b"1\n" * 1000, None, TYPE_MISMATCH),
    ("right-to-left marks", "\u200f42\u200f".encode(), None, TYPE_MISMATCH),
    ("right-to-left override", "\u202e24".encode(), None, TYPE_MISMATCH),
    ("nan", b"nan", None, TYPE_MISMATCH),
    ("inf", b"inf", None, TYPE_MISMATCH),
    ("1e400", b"1e400", None, OVERFLOW),
    ("1,5", b"1,5", None, TYPE_MISMATCH),
    ("-0", b"-0", "0", None),
    ("full-width digits", "１２３．５".encode(), "123.5", None),
    ("white space around", b" 42\n", "42", None),
    ("thousands separators", b"1,234.5", "1234.5", None),
]

# The user's number before each paste, and what a refused paste must leave.
BEFORE = "7"


class BellWatch:
    """bell_watch on the session's display: the moments (time.monotonic) of the bells heard."""

    def __init__(self, program, env):
        self._proc = subprocess.Popen(
            [program], env=env, stdin=subprocess.DEVNULL, stdout=subprocess.PIPE,
            stderr=subprocess.DEVNULL, text=True,
        )
        self._ready = threading.Event()
        self._lock = threading.Lock()
        self._bells = []
        self._thread = threading.Thread(target=self._listen, daemon=True)
        self._thread.start()
        if not self._ready.wait(10):
            self.stop()
            raise RuntimeError("bell_watch did not start listening")

    def _listen(self):
        for line in self._proc.stdout:
            if line.startswith("ready"):
                self._ready.set()
            elif line.startswith("bell"):
                with self._lock:
                    self._bells.append(time.monotonic())

    def count(self):
        with self._lock:
            return len(self._bells)

    def wait_for(self, count, timeout):
        """The moment of bell number `count` (1-based), or None if it has not come in time."""
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline:
            with self._lock:
                if len(self._bells) >= count:
                    return self._bells[count - 1]
            time.sleep(0.005)
        return None

    def stop(self):
        if self._proc.poll() is None:
            self._proc.terminate()
            self._proc.wait(timeout=5)
        self._proc.stdout.close()


class HostileClipboard(unittest.TestCase):
    timings = []

    @classmethod
    def setUpClass(cls):
        cls.zobu = ZobuSession(PROGRAM)
        cls.zobu.start()
        try:
            cls.bells = BellWatch(BELL_WATCH, cls.zobu.env())
        except BaseException:
            cls.zobu.stop()
            raise

    @classmethod
    def tearDownClass(cls):
        cls.bells.stop()
        cls.zobu.stop()
        for line in cls.timings:
            print(line)

    def setUp(self):
        self._xclip = None

    def tearDown(self):
        self.end_xclip()

    def end_xclip(self):
        """xclip serves the selection until another program takes it; ends ours by its id."""
        if self._xclip is not None:
            if self._xclip.poll() is None:
                self._xclip.terminate()
            self._xclip.wait(timeout=5)
            self._xclip = None

    def put_on_clipboard(self, data):
        """Puts `data` on the CLIPBOARD selection, through xclip's standard input, and waits
        until the selection reads back as `data`."""
        self.end_xclip()
        self._xclip = subprocess.Popen(
            ["xclip", "-i", "-selection", "clipboard", "-quiet"],
            env=self.zobu.env(), stdin=subprocess.PIPE, stdout=subprocess.DEVNULL,
            stderr=subprocess.DEVNULL,
        )
        self._xclip.stdin.write(data)
        self._xclip.stdin.close()
        deadline = time.monotonic() + 20
        while time.monotonic() < deadline:
            if self.clipboard_bytes() == data:
                return
            time.sleep(0.05)
        self.fail("xclip did not take the clipboard")

    def clipboard_bytes(self):
        return subprocess.run(
            ["xclip", "-o", "-selection", "clipboard"], env=self.zobu.env(),
            stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, timeout=20, check=False,
        ).stdout

    def copied_display(self, pasted, timeout=5):
        """Clicks "C" right after a paste and returns the display text it copies, with the
        moment it arrived: as soon as the clipboard holds something other than the pasted
        bytes. The window handles its clicks and keys in order, so the copy follows the paste."""
        self.zobu.click("C")
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline:
            data = self.clipboard_bytes()
            if data and data != pasted:
                return data.decode("utf-8", "replace"), time.monotonic()
            time.sleep(0.005)
        self.fail("the copy did not reach the clipboard")

    def paste(self, index):
        """Pastes with a click on "V", or with the V key for every other case."""
        if index % 2:
            self.zobu.key("v")
        else:
            self.zobu.click("V")

    def test_hostile_pastes(self):
        zobu = self.zobu
        for index, (name, data, shown, failure) in enumerate(CASES):
            with self.subTest(name):
                zobu.clicks("DEL", "DEL", BEFORE)
                self.put_on_clipboard(data)
                bells = self.bells.count()
                start = time.monotonic()
                self.paste(index)
                if failure is not None:
                    bell = self.bells.wait_for(bells + 1, timeout=10)
                    self.assertIsNotNone(bell, f"{name}: a refused paste beeps")
                    elapsed = bell - start
                    text, _ = self.copied_display(data)
                    self.assertEqual(text, BEFORE, f"{name}: a refused paste keeps the number")
                    what = f"refused ({failure}), bell after"
                else:
                    text, arrived = self.copied_display(data)
                    elapsed = arrived - start
                    self.assertEqual(text, shown, f"{name}: the pasted number")
                    what = f"pasted as {shown}, shown and copied after"
                time.sleep(0.1)  # a late bell would arrive by now
                self.assertEqual(self.bells.count(), bells + (failure is not None),
                                 f"{name}: one bell for a refused paste, none for a number")
                self.timings.append(f"{name:30} {len(data):>9} bytes  {what} "
                                    f"{elapsed * 1000:.0f} ms")
                self.assertLess(elapsed, PASTE_SECONDS, f"{name}: the paste took too long")

                # The calculator goes on working.
                zobu.clicks("DEL", "DEL", "1", "+", "1", "=")
                self.assertEqual(zobu.display_text(), "2", f"{name}: 1 + 1 after the paste")
                self.assertTrue(zobu.running(), zobu.stderr())
        self.assertNotIn("unhandled failure", zobu.stderr())


def main():
    global PROGRAM, BELL_WATCH
    if len(sys.argv) < 3:
        print(__doc__, file=sys.stderr)
        return 2
    PROGRAM = os.path.abspath(sys.argv[1])
    BELL_WATCH = os.path.abspath(sys.argv[2])
    runner = unittest.main(argv=[sys.argv[0]] + sys.argv[3:], exit=False, verbosity=2)
    return 0 if runner.result.wasSuccessful() else 1


if __name__ == "__main__":
    sys.exit(main())
