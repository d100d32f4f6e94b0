"""A real session, closed the way a user closes the window: a few hundred key presses and
clicks (numbers, operators, failures, copy and paste, folding, the help panel), then the
window manager's close request. The program must end by itself with status 0; the sanitizer
build must end without a report from AddressSanitizer, LeakSanitizer or UBSan.

With --valgrind the program runs under Valgrind's memcheck instead, which must find no
memory errors and no definite leaks outside what the suppressions file names (Qt, fontconfig,
D-Bus and the X libraries keep some memory for the life of the process).

Usage: leak_e2e.py PATH_TO_ZOBU PATH_TO_CLOSE_WINDOW [--valgrind SUPPRESSIONS]
"""

import os
import random
import re
import subprocess
import sys
import tempfile
import time

from zobu_session import UNFOLDED_HEIGHT, ZobuSession

SEED = 4711
KEY_PRESSES = 300
CLICKS = 120

# X keysyms of the keys the calculator maps, and some it ignores.
KEYS = (
    [str(d) for d in range(10)] + [f"KP_{d}" for d in range(10)]
    + ["period", "KP_Decimal", "plus", "KP_Add", "minus", "KP_Subtract", "KP_Multiply",
       "apostrophe", "slash", "KP_Divide", "Return", "KP_Enter", "equal", "grave", "backslash",
       "BackSpace", "Escape", "Delete", "c", "v", "ctrl+c", "shift+8", "a", "Tab", "F2"]
)
RARE_KEYS = ["space", "F1"]  # fold and help: now and then, so most keys reach the keypad
CLICK_LABELS = list("0123456789.+-*/=") + ["-n", "1/n", "DEL", "C", "V", "last", "next"]
CLIPBOARD_TEXTS = ["12.5", "-3", "1,234.5", "abc", "1e400", "", "０．５"]

SANITIZER_REPORT = re.compile(r"LeakSanitizer|AddressSanitizer|runtime error:")
VALGRIND_ERROR_STATUS = 97
VALGRIND_SECONDS = 120  # memcheck makes everything some twenty times slower, the start above all


def run_session(zobu, rng):
    """Keys and clicks in chunks, with texts put on the clipboard between them."""
    keys = [rng.choice(RARE_KEYS) if rng.random() < 0.03 else rng.choice(KEYS)
            for _ in range(KEY_PRESSES)]
    chunk = 30
    for start in range(0, len(keys), chunk):
        zobu.clipboard_set(rng.choice(CLIPBOARD_TEXTS))
        zobu.keys(*keys[start:start + chunk])
        for _ in range(CLICKS * chunk // KEY_PRESSES):
            zobu.click(rng.choice(CLICK_LABELS))
        if rng.random() < 0.3:
            zobu.click("say", repeat=2)
    # Whatever the keys left, the calculator still computes. A folded window has no help
    # panel up; on the unfolded one a click on the history line hides the panel if it is up.
    if zobu.client_size()[1] != UNFOLDED_HEIGHT:
        zobu.keys("space")
        zobu.wait_for_height(UNFOLDED_HEIGHT)
    zobu.click("last")
    zobu.keys("Escape", "Escape", "1", "plus", "1", "Return")
    return zobu.display_text()


def main():
    args = sys.argv[1:]
    if len(args) not in (2, 4) or (len(args) == 4 and args[2] != "--valgrind"):
        print(__doc__, file=sys.stderr)
        return 2
    program, close_window = (os.path.abspath(a) for a in args[:2])
    failures = []
    with tempfile.TemporaryDirectory() as work:
        log = os.path.join(work, "memcheck.log")
        if len(args) == 4:
            valgrind = ["valgrind", "--tool=memcheck", "--leak-check=full",
                        "--show-leak-kinds=definite", "--errors-for-leak-kinds=definite",
                        f"--error-exitcode={VALGRIND_ERROR_STATUS}", "--num-callers=30",
                        "--child-silent-after-fork=yes", f"--suppressions={os.path.abspath(args[3])}",
                        f"--log-file={log}"]
            zobu, exit_seconds = ZobuSession(program, command=valgrind,
                                             start_seconds=VALGRIND_SECONDS), VALGRIND_SECONDS
        else:
            zobu, exit_seconds = ZobuSession(program), 60
        started = time.monotonic()
        with zobu:
            print(f"window up after {time.monotonic() - started:.1f} s")
            result = run_session(zobu, random.Random(SEED))
            if result != "2":
                failures.append(f"after the session 1 + 1 = shows {result!r}")
            closing = time.monotonic()
            subprocess.run([close_window, zobu.window], env=zobu.env(), check=True, timeout=10)
            status = zobu.exit_status(exit_seconds)
            print(f"closed: status {status} after {time.monotonic() - closing:.1f} s")
            stderr = zobu.stderr()

        if status != 0:
            failures.append(f"the program ended with status {status}, not 0")
        if any(SANITIZER_REPORT.search(line) for line in stderr.splitlines()):
            failures.append("sanitizer report on stderr:\n" + stderr)
        if "unhandled failure" in stderr:
            failures.append("unhandled failure: " + stderr)
        if len(args) == 4:
            with open(log, encoding="utf-8", errors="replace") as memcheck:
                text = memcheck.read()
            summary = [line for line in text.splitlines()
                       if re.search(r"(lost|reachable|suppressed|ERROR SUMMARY):", line)]
            print("\n".join(summary) if summary else text)
            if status == VALGRIND_ERROR_STATUS:
                failures.append("memcheck found errors or definite leaks:\n" + text)

    for failure in failures:
        print("FAIL:", failure, file=sys.stderr)
    print("clean exit" if not failures else f"{len(failures)} failure(s)")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
