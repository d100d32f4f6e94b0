"""The real program under Xvfb: pointer clicks on the keys, the display read back through
the clipboard, folding by double-click, at scale 1 and at Qt's scale factor 2.

Usage: window_e2e.py PATH_TO_ZOBU
"""

import os
import subprocess
import sys
import unittest

from zobu_session import FOLDED_HEIGHT, UNFOLDED_HEIGHT, ZobuSession

PROGRAM = None


class WindowAtScale(unittest.TestCase):
    scale = 1

    @classmethod
    def setUpClass(cls):
        cls.zobu = ZobuSession(PROGRAM, scale=cls.scale)
        cls.zobu.start()

    @classmethod
    def tearDownClass(cls):
        cls.zobu.stop()

    def setUp(self):
        # Two DELs clear everything, whatever the previous test left.
        self.zobu.clicks("DEL", "DEL")

    def test_window_opens_at_its_size(self):
        self.assertEqual(self.zobu.client_size(), (347 * self.scale, UNFOLDED_HEIGHT * self.scale))

    def test_clicks_compute_left_to_right(self):
        self.zobu.clicks("1", "2", "+", "3", "=")
        self.assertEqual(self.zobu.display_text(), "15")
        self.zobu.clicks("DEL", "DEL", "7", "/", "2", "*", "4", "-", "1", "=")
        self.assertEqual(self.zobu.display_text(), "13")

    def test_every_digit_and_the_point(self):
        self.zobu.clicks("9", "8", "7", "6", "5", "4", "3", "2", "1", "0", ".", "5")
        self.assertEqual(self.zobu.display_text(), "9876543210.5")

    def test_functions_and_paste(self):
        self.zobu.clicks("4", "1/n")
        self.assertEqual(self.zobu.display_text(), "0.25")
        self.zobu.clicks("-n")
        self.assertEqual(self.zobu.display_text(), "-0.25")
        self.zobu.clipboard_set("1234.5")
        self.zobu.clicks("V", "+", "1", "=")
        self.assertEqual(self.zobu.display_text(), "1235.5")

    def test_double_click_on_a_key_acts_once(self):
        self.zobu.double_click("7")
        self.assertEqual(self.zobu.display_text(), "7")

    def test_double_click_on_the_display_folds_and_unfolds(self):
        zobu = self.zobu
        zobu.click("say")
        self.assertEqual(zobu.wait_for_height(UNFOLDED_HEIGHT * self.scale, timeout=0.5),
                         UNFOLDED_HEIGHT * self.scale)
        zobu.double_click("say")
        self.assertEqual(zobu.wait_for_height(FOLDED_HEIGHT * self.scale),
                         FOLDED_HEIGHT * self.scale)
        self.assertEqual(zobu.client_size()[0], 347 * self.scale)
        zobu.double_click("say")
        self.assertEqual(zobu.wait_for_height(UNFOLDED_HEIGHT * self.scale),
                         UNFOLDED_HEIGHT * self.scale)


class WindowAtScaleTwo(WindowAtScale):
    scale = 2


class WithoutADisplay(unittest.TestCase):
    """No display, or one that cannot be reached: one line on stderr, a non-zero status."""

    def run_program(self, **env):
        clean = {k: v for k, v in os.environ.items()
                 if k not in ("DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM")}
        clean.update(env)
        return subprocess.run([PROGRAM], env=clean, stdin=subprocess.DEVNULL,
                              capture_output=True, text=True, timeout=20)

    def check_one_line(self, result):
        self.assertNotEqual(result.returncode, 0)
        self.assertEqual(len(result.stderr.strip().splitlines()), 1, result.stderr)
        self.assertIn("display", result.stderr)

    def test_no_display_named(self):
        self.check_one_line(self.run_program())

    def test_display_that_does_not_answer(self):
        self.check_one_line(self.run_program(DISPLAY=":399"))


if __name__ == "__main__":
    if len(sys.argv) < 2:
        sys.exit(__doc__)
    PROGRAM = sys.argv.pop(1)
    unittest.main(verbosity=2)
