"""The real program under Xvfb driven from the keyboard alone: every key of the key table as
a real X key event (physical keys by their X keycodes, chords through xdotool), with NumLock
set explicitly for the keypad, results read back through the clipboard.

Usage: keyboard_e2e.py PATH_TO_ZOBU
"""

import sys
import time
import unittest

from zobu_session import FOLDED_HEIGHT, KEYCODES, UNFOLDED_HEIGHT, ZobuSession

PROGRAM = None
K = KEYCODES


def digits(text):
    """The main-row keys that type `text` (digits and the period)."""
    return [K["period"] if ch == "." else K[ch] for ch in text]


class Keyboard(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.zobu = ZobuSession(PROGRAM)
        cls.zobu.start()

    @classmethod
    def tearDownClass(cls):
        cls.zobu.stop()

    def setUp(self):
        self.zobu.focus()
        # Two DELs clear everything, whatever the previous test left.
        self.zobu.keys("Escape", "Escape")

    def tearDown(self):
        self.assertTrue(self.zobu.running(), self.zobu.stderr())

    def typed(self, *keys):
        """Types the keys and returns the display, copied with C."""
        self.zobu.keys(*keys)
        return self.zobu.display_text_by_key()

    def test_main_row_digits_and_period(self):
        self.assertEqual(self.typed(*digits("1234567890.5")), "1234567890.5")

    def test_keypad_digits_and_point_with_num_lock_on(self):
        self.zobu.set_num_lock(True)
        keypad = [K[f"KP{d}"] for d in "1234567890"] + [K["KP."], K["KP5"]]
        self.assertEqual(self.typed(*keypad), "1234567890.5")

    def test_keypad_with_num_lock_off_sends_navigation_keys(self):
        self.zobu.set_num_lock(False)
        # End, Down, Next, Left, Begin, Right, Home, Up, Prior, Insert: none of them acts.
        keypad = [K[f"KP{d}"] for d in "1234567890"]
        self.assertEqual(self.typed(*digits("7"), *keypad), "7")
        # Keypad "." is Delete now: DEL discards the 12 just typed, so 0 + 3 follows.
        self.assertEqual(self.typed(*digits("12"), K["KP."], K["equal"], *digits("3"),
                                    K["Return"]), "3")
        # The operator keys of the keypad do not depend on NumLock.
        self.assertEqual(self.typed(*digits("2"), K["KP+"], *digits("3"), K["KPEnter"]), "5")

    def test_operator_keys(self):
        rows = [
            ("equals-plus adds", K["equal"], K["Return"], "2", "3", "5"),
            ("keypad plus adds", K["KP+"], K["KPEnter"], "2", "3", "5"),
            ("minus subtracts", K["minus"], K["Return"], "9", "4", "5"),
            ("keypad minus subtracts", K["KP-"], K["KPEnter"], "9", "4", "5"),
            ("apostrophe multiplies", K["apostrophe"], K["Return"], "6", "7", "42"),
            ("keypad multiply multiplies", K["KP*"], K["KPEnter"], "6", "7", "42"),
            ("slash divides", K["slash"], K["Return"], "7", "2", "3.5"),
            ("keypad divide divides", K["KP/"], K["KPEnter"], "7", "2", "3.5"),
        ]
        for name, op, enter, a, b, result in rows:
            with self.subTest(name):
                self.zobu.keys("Escape", "Escape")
                self.assertEqual(self.typed(*digits(a), op, *digits(b), enter), result)

    def test_sign_change_and_reciprocal(self):
        self.assertEqual(self.typed(*digits("5"), K["grave"]), "-5")
        self.zobu.keys("Escape", "Escape")
        self.assertEqual(self.typed(*digits("4"), K["backslash"]), "0.25")

    def test_clear_keys(self):
        # DEL discards the 12 just typed: 0 + 3 follows. A key that does nothing leaves 12 + 3;
        # Tab moves no focus away from the window.
        rows = (("BackSpace", "3"), ("Escape", "3"), ("Delete", "3"), ("a", "15"), ("Tab", "15"))
        for name, result in rows:
            with self.subTest(name):
                key = K.get(name, name)  # Escape, a and Tab go by their keysym names
                self.zobu.keys("Escape", "Escape")
                self.assertEqual(
                    self.typed(*digits("12"), key, K["equal"], *digits("3"), K["Return"]), result)

    def test_copy_keys(self):
        for chord in ("c", "ctrl+c", "shift+c", "alt+c"):
            with self.subTest(chord):
                self.zobu.keys("Escape", "Escape", *digits("45"))
                self.zobu.clipboard_set("stale")
                self.zobu.keys(chord)
                self.assertTrue(self.zobu.wait_for_clipboard("45"), self.zobu.clipboard_get())

    def test_paste_keys(self):
        for key in (K["V"], "ctrl+v"):
            with self.subTest(key):
                self.zobu.keys("Escape", "Escape")
                self.zobu.clipboard_set("1234.5")
                self.assertEqual(self.typed(key, K["equal"], *digits("1"), K["Return"]),
                                 "1235.5")

    def test_modifiers_make_no_difference(self):
        # Shift+8 types "*" but is the 8 key; Shift+= types "+" and adds, as = alone does.
        self.assertEqual(self.typed("shift+8"), "8")
        self.zobu.keys("Escape", "Escape")
        self.assertEqual(self.typed(*digits("2"), "shift+equal", *digits("3"), K["Return"]), "5")
        self.zobu.keys("Escape", "Escape")
        self.assertEqual(self.typed("ctrl+4", "alt+2"), "42")
        # Modifier keys alone do nothing.
        self.assertEqual(
            self.typed(*digits("7"), K["Shift_L"], K["Control_L"], K["Alt_L"]), "7")

    def test_space_folds_and_unfolds(self):
        zobu = self.zobu
        zobu.keys(K["space"])
        self.assertEqual(zobu.wait_for_height(FOLDED_HEIGHT), FOLDED_HEIGHT)
        zobu.keys(K["space"])
        self.assertEqual(zobu.wait_for_height(UNFOLDED_HEIGHT), UNFOLDED_HEIGHT)

    def test_f1_over_a_folded_window_and_the_keys_while_help_is_shown(self):
        zobu = self.zobu
        zobu.keys(*digits("42"), K["space"])
        self.assertEqual(zobu.wait_for_height(FOLDED_HEIGHT), FOLDED_HEIGHT)
        zobu.keys(K["F1"])
        self.assertEqual(zobu.wait_for_height(UNFOLDED_HEIGHT), UNFOLDED_HEIGHT)
        # The panel has the keyboard: digits, operators, Esc, Space and C do nothing.
        zobu.keys(*digits("7"), K["KP+"], "Escape", K["space"], K["backslash"])
        self.assertEqual(zobu.display_text_by_key(timeout=0.5), "")
        self.assertEqual(zobu.client_height(), UNFOLDED_HEIGHT)
        # F1 hides it; the window stays unfolded and the calculator is as it was.
        zobu.keys(K["F1"])
        self.assertEqual(zobu.display_text_by_key(), "42")
        self.assertEqual(zobu.client_height(), UNFOLDED_HEIGHT)

    def test_a_held_key_acts_once(self):
        zobu = self.zobu
        zobu.keys(*digits("1"))
        zobu.key_down(K["5"])
        time.sleep(1.5)  # X repeats the key about 20 times meanwhile
        zobu.key_up(K["5"])
        self.assertEqual(zobu.display_text_by_key(), "15")


if __name__ == "__main__":
    if len(sys.argv) < 2:
        sys.exit(__doc__)
    PROGRAM = sys.argv.pop(1)
    unittest.main(verbosity=2)
