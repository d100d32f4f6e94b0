"""The real program under Xvfb pasting what other programs leave on the clipboard: ten
megabytes of digits, binary bytes, invalid UTF-8, a NUL in the middle, a thousand lines,
right-to-left marks, "nan", "inf", numbers as documents write them. Each paste gives its
number or the paste failure with its beep, quickly; the number the user had stays on the
display after a failure, and the calculator goes on working.

The texts are put on the CLIPBOARD selection by xclip, fed through its standard input, and
pasted with a click on "V" or the V key, in turn. The beep is heard by bell_watch, an XKB
client.

Usage: hostile_clipboard_e2e.py PATH_TO_ZOBU PATH_TO_BELL_WATCH
"""

import subprocess
import sys
import threading
import time

from zobu_session import ZobuSession

# A paste must show its outcome well within this; the figures are printed for the record.
PASTE_SECONDS = 2.0

# The user's number before each paste, and what a refused paste must leave.
BEFORE = "7"

# name, clipboard bytes, what the display shows afterwards (BEFORE: the paste is refused).
CASES = [
    ("ten megabytes of digits", b"7" * 10_000_000, BEFORE),
    ("binary bytes", bytes(range(256)) * 16, BEFORE),
    ("invalid UTF-8 around digits", b"4\xff2\xc3", BEFORE),
    ("a NUL in the middle", b"12\x0034", BEFORE),
    ("a thousand lines", b"1\n" * 1000, BEFORE),
    ("right-to-left marks", "\u200f42\u200f".encode(), BEFORE),
    ("right-to-left override", "\u202e24".encode(), BEFORE),
    ("nan", b"nan", BEFORE),
    ("inf", b"inf", BEFORE),
    ("1e400", b"1e400", BEFORE),
    ("1,5", b"1,5", BEFORE),
    ("-0", b"-0", "0"),
    ("full-width digits", "１２３．５".encode(), "123.5"),
    ("white space around", b" 42\n", "42"),
    ("thousands separators", b"1,234.5", "1234.5"),
]

# Rows that do not hold for the Windows program, and why. Windows' Unicode text ends at its
# first NUL: every Windows program reads "12" from the X text "12<NUL>34", and so does Zobu.
WINDOWS_DIFFERS = {"a NUL in the middle"}


class BellWatch(threading.Thread):
    """bell_watch on the session's display, counting the bells it hears."""

    def __init__(self, program, env):
        super().__init__(daemon=True)
        self.proc = subprocess.Popen([program], env=env, stdin=subprocess.DEVNULL,
                                     stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True)
        if self.proc.stdout.readline() != "ready\n":
            raise RuntimeError("bell_watch did not start listening")
        self.bells = 0
        self.start()

    def run(self):
        for line in self.proc.stdout:
            self.bells += line.startswith("bell")


def wait_for(predicate, timeout):
    deadline = time.monotonic() + timeout
    while not (value := predicate()) and time.monotonic() < deadline:
        time.sleep(0.005)
    return value


def main():
    if len(sys.argv) != 3:
        print(__doc__, file=sys.stderr)
        return 2
    failures = []
    xclip = None
    with ZobuSession(sys.argv[1]) as zobu:
        bells = BellWatch(sys.argv[2], zobu.env())

        def clipboard_bytes():
            return subprocess.run(["xclip", "-o", "-selection", "clipboard"], env=zobu.env(),
                                  stdout=subprocess.PIPE, stderr=subprocess.DEVNULL,
                                  timeout=20, check=False).stdout

        try:
            windows = sys.argv[1].endswith(".exe")
            for index, (name, data, shown) in enumerate(CASES):
                if windows and name in WINDOWS_DIFFERS:
                    continue
                zobu.click("DEL", "DEL", BEFORE)
                # xclip serves the selection until another program takes it; each ends before
                # the next starts, by its own process id.
                if xclip is not None:
                    xclip.terminate()
                    xclip.wait(timeout=5)
                xclip = subprocess.Popen(["xclip", "-i", "-selection", "clipboard", "-quiet"],
                                         env=zobu.env(), stdin=subprocess.PIPE,
                                         stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
                xclip.stdin.write(data)
                xclip.stdin.close()
                zobu.clipboard_settle()
                if not wait_for(lambda: clipboard_bytes() == data, 20):
                    failures.append(f"{name}: xclip did not take the clipboard")
                    continue
                heard = bells.bells
                start = time.monotonic()
                if index % 2:
                    zobu.keys("v")
                else:
                    zobu.click("V")
                # The window handles its input in order, so a copy right after the paste
                # shows what the paste left, as soon as the clipboard changes.
                refused = shown == BEFORE
                if refused and not wait_for(lambda: bells.bells > heard, 10):
                    failures.append(f"{name}: a refused paste beeps")
                elapsed = time.monotonic() - start  # till the bell, or the copy below
                zobu.click("C")
                copied = wait_for(lambda: (b := clipboard_bytes()) != data and b, 5) or b""
                if not refused:
                    elapsed = time.monotonic() - start
                time.sleep(0.1)  # a late bell would arrive by now
                print(f"{name:30} {len(data):>9} bytes  shown {copied.decode(errors='replace')!r}"
                      f" after {elapsed * 1000:.0f} ms")
                if copied.decode("utf-8", "replace") != shown:
                    failures.append(f"{name}: shows {copied!r}, not {shown!r}")
                if bells.bells != heard + refused:
                    failures.append(f"{name}: one bell for a refused paste, none for a number")
                if elapsed >= PASTE_SECONDS:
                    failures.append(f"{name}: the paste took {elapsed:.1f} s")
                zobu.click("DEL", "DEL", "1", "+", "1", "=")  # the calculator goes on working
                if zobu.display_text() != "2" or not zobu.running():
                    failures.append(f"{name}: 1 + 1 after the paste: {zobu.stderr()}")
            if "unhandled failure" in zobu.stderr():
                failures.append(zobu.stderr())
        finally:
            if xclip is not None and xclip.poll() is None:
                xclip.terminate()
                xclip.wait(timeout=5)
            bells.proc.terminate()
            bells.proc.wait(timeout=5)
    for failure in failures:
        print("FAIL:", failure, file=sys.stderr)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
