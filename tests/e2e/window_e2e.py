"""The real program under Xvfb: pointer clicks on the keys, the display read back through
the clipboard, folding by double-click, at scale 1 and at Qt's scale factor 2; and the starts
that cannot open a window. Pasting is exercised by hostile_clipboard_e2e.py.

Usage: window_e2e.py PATH_TO_ZOBU
"""

import os
import subprocess
import sys
import unittest

from zobu_session import FOLDED_HEIGHT, UNFOLDED_HEIGHT, WIDTH, ZobuSession

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

    def test_clicks_on_every_key(self):
        zobu = self.zobu
        self.assertEqual(zobu.client_size(), (WIDTH * self.scale, UNFOLDED_HEIGHT * self.scale))
        clear = ["DEL", "DEL"]  # clears everything
        for keys, shown in ((clear + list("9876543210.5"), "9876543210.5"),
                            (clear + list("7/2*4-1="), "13"), (clear + list("12+3="), "15"),
                            (clear + ["4", "1/n"], "0.25"), (["-n"], "-0.25")):
            zobu.click(*keys)
            self.assertEqual(zobu.display_text(), shown, keys)

    def test_double_click_on_a_key_acts_once(self):
        self.zobu.click("DEL", "DEL")
        self.zobu.click("7", repeat=2)
        self.assertEqual(self.zobu.display_text(), "7")

    def test_double_click_on_the_display_folds_and_unfolds(self):
        zobu, full, folded = self.zobu, UNFOLDED_HEIGHT * self.scale, FOLDED_HEIGHT * self.scale
        zobu.click("say")
        self.assertEqual(zobu.wait_for_height(full, timeout=0.5), full)
        zobu.click("say", repeat=2)
        self.assertEqual(zobu.wait_for_height(folded), folded)
        self.assertEqual(zobu.client_size()[0], WIDTH * self.scale)
        zobu.click("say", repeat=2)
        self.assertEqual(zobu.wait_for_height(full), full)


class WindowAtScaleTwo(WindowAtScale):
    scale = 2


class WithoutADisplay(unittest.TestCase):
    """No display named, one that does not answer, a platform plugin that does not start: one
    line on stderr naming the cause, with Qt's reason where Qt gave one, and status 1."""

    def test_each_start_up_failure_names_its_cause(self):
        for env, said in (({}, ["no display named"]),
                          ({"DISPLAY": ":399"}, ['display ":399" could not be reached',
                                                 "could not connect to display :399"]),
                          ({"QT_QPA_PLATFORM": "bogus"}, ['platform plugin "bogus"',
                                                          'Could not find the Qt platform plugin'])):
            with self.subTest(env=env):
                clean = {k: v for k, v in os.environ.items()
                         if k not in ("DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM")}
                result = subprocess.run([PROGRAM], env={**clean, **env}, stdin=subprocess.DEVNULL,
                                        capture_output=True, text=True, timeout=20)
                self.assertEqual(result.returncode, 1, result.stderr)
                self.assertEqual(len(result.stderr.strip().splitlines()), 1, result.stderr)
                for words in said:
                    self.assertIn(words, result.stderr)


if __name__ == "__main__":
    if len(sys.argv) < 2:
        sys.exit(__doc__)
    PROGRAM = sys.argv.pop(1)
    unittest.main(verbosity=2)
