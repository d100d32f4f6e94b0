"""The environment for the sanitizer build of the program on X: AddressSanitizer's options
as the test run gives them, plus x11_asan.supp for what the X libraries trip over on their
own. Empty when the run sets no ASAN_OPTIONS (the normal build)."""

import os

SUPPRESSIONS = os.path.join(os.path.dirname(os.path.abspath(__file__)), "x11_asan.supp")


def sanitizer_env():
    options = os.environ.get("ASAN_OPTIONS")
    if not options:
        return {}
    return {"ASAN_OPTIONS": f"{options}:suppressions={SUPPRESSIONS}"}
