"""The real program under Xvfb driven from the keyboard alone: every key of the key table as
a real X key event (physical keys by their X keycodes, chords through xdotool), with NumLock
locked and unlocked for the keypad, results read back through the clipboard with the C key.
Then the same physical keys on other layouts, switched while the program runs.

Usage: keyboard_e2e.py PATH_TO_ZOBU
"""

import sys
import unittest

from zobu_session import FOLDED_HEIGHT, KEYCODES, UNFOLDED_HEIGHT, GroupKeys, ZobuSession

PROGRAM = None
K = KEYCODES


def main_row(text):
    """The main-row keys that type `text` (digits and the period)."""
    return [K["period"] if ch == "." else K[ch] for ch in text]


def keypad(text):
    return [K["KP" + ch] for ch in text]


# NumLock, the keys after a clear, and the display they leave. DEL discards the 12 just typed,
# so 0 + 3 follows; a key that does nothing leaves 12 + 3.
CASES = [
    (False, main_row("1234567890.5"), "1234567890.5"),
    (True, keypad("1234567890.5"), "1234567890.5"),
    # NumLock off: End, Down, Next, Left, Begin, Right, Home, Up, Prior, Insert do nothing,
    # keypad "." is Delete, and the keypad's operators stay operators.
    (False, main_row("7") + keypad("1234567890"), "7"),
    (False, main_row("12") + [K["KP."], K["equal"]] + main_row("3") + [K["Return"]], "3"),
    (False, main_row("2") + [K["KP+"]] + main_row("3") + [K["KPEnter"]], "5"),
    (False, main_row("9") + [K["KP-"]] + main_row("4") + [K["Return"]], "5"),
    (False, main_row("9") + [K["minus"]] + main_row("4") + [K["KPEnter"]], "5"),
    (False, main_row("6") + [K["KP*"]] + main_row("7") + [K["Return"]], "42"),
    (False, main_row("6") + [K["apostrophe"]] + main_row("7") + [K["Return"]], "42"),
    (False, main_row("7") + [K["KP/"]] + main_row("2") + [K["Return"]], "3.5"),
    (False, main_row("7") + [K["slash"]] + main_row("2") + [K["Return"]], "3.5"),
    (False, main_row("5") + [K["grave"]], "-5"),
    (False, main_row("4") + [K["backslash"]], "0.25"),
] + [
    (False, main_row("12") + [key, K["equal"]] + main_row("3") + [K["Return"]], result)
    for key, result in ((K["BackSpace"], "3"), ("Escape", "3"), (K["Delete"], "3"), ("a", "15"),
                        ("Tab", "15"))  # Tab moves no focus away from the window
] + [
    # Shift+8 types "*" but is the 8 key; Shift+= types "+" and adds, as = alone does.
    (False, ["shift+8"], "8"),
    (False, main_row("2") + ["shift+equal"] + main_row("3") + [K["Return"]], "5"),
    (False, ["ctrl+4", "alt+2"], "42"),
    (False, main_row("7") + [K["Shift_L"], K["Control_L"], K["Alt_L"]], "7"),
]

US = ("us",)
DE, FR, RU, DVORAK = ("de",), ("fr",), ("ru",), ("us", "-variant", "dvorak")
US_RU = ("-layout", "us,ru")

# The layout, NumLock, the keys after a clear and the display they leave, read with a click:
# keys by X keycode are the same physical keys as above, whatever they type here.
LAYOUT_CASES = [
    (DE, True, main_row("3") + [K["KP."]] + main_row("5"), "3.5"),  # KP_Separator: ","
    (DE, False, main_row("1") + ["shift+19", "shift+16"], "107"),  # "=" and "/"
    (DE, False, main_row("2") + ["shift+35"] + main_row("3") + [K["Return"]], "5"),  # "*"
    (DE, False, main_row("9") + [K["slash"]] + main_row("4") + [K["Return"]], "5"),  # "-"
    (FR, False, main_row("13"), "13"),  # "&" and '"'
    (FR, False, main_row("6") + [K["slash"]] + main_row("2") + [K["Return"]], "3"),  # "!"
    (RU, False, main_row("3") + [K["slash"]] + main_row("5"), "3.5"),  # "." on US "/"
    (DVORAK, False, main_row("3") + [26] + main_row("5"), "3.5"),  # "." on US "e"
    # The same key in the Russian group, then back in the US group.
    (US_RU, False, [GroupKeys(1, main_row("3") + [K["slash"]] + main_row("5"))], "3.5"),
    (US_RU, False, main_row("7") + [K["slash"]] + main_row("2") + [K["Return"]], "3.5"),
]

# The layout, and the keys that copy and paste there.
COPY_PASTE_KEYS = [(RU, K["C"], K["V"]), (DVORAK, 31, 60)]  # Dvorak c, v on US "i", "."


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
        self.zobu.keys("Escape", "Escape")  # two DELs clear everything

    def tearDown(self):
        self.assertTrue(self.zobu.running(), self.zobu.stderr())

    def test_keys(self):
        num_lock = False  # as each X server starts
        for lock, keys, shown in CASES:
            with self.subTest(keys=keys, num_lock=lock):
                if lock != num_lock:
                    self.zobu.keys("Num_Lock")
                    num_lock = lock
                self.zobu.keys("Escape", "Escape", *keys)
                self.assertEqual(self.zobu.display_text(by_key=True), shown)

    def test_keys_on_other_layouts(self):
        self.addCleanup(self.zobu.set_layout, *US)
        num_lock = False
        for layout, lock, keys, shown in LAYOUT_CASES:
            with self.subTest(layout=layout, keys=keys, num_lock=lock):
                self.zobu.set_layout(*layout)
                if lock != num_lock:
                    self.zobu.keys("Num_Lock")
                    num_lock = lock
                self.zobu.keys("Escape", "Escape", *keys)
                self.assertEqual(self.zobu.display_text(), shown)
        for layout, copy, paste in COPY_PASTE_KEYS:
            with self.subTest(layout=layout):
                self.zobu.set_layout(*layout)
                self.zobu.keys("Escape", "Escape", *main_row("45"))
                self.zobu.clipboard_set("stale")
                self.zobu.keys(copy)
                self.assertTrue(self.zobu.wait_for_clipboard("45"), self.zobu.clipboard_get())
                self.zobu.clipboard_set("42")
                self.zobu.keys(paste)
                self.assertEqual(self.zobu.display_text(), "42")

    def test_ctrl_c_copies(self):
        self.zobu.keys(*main_row("45"))
        self.zobu.clipboard_set("stale")
        self.zobu.keys("ctrl+c")
        self.assertTrue(self.zobu.wait_for_clipboard("45"), self.zobu.clipboard_get())

    def test_space_folds_and_f1_unfolds_and_holds_the_keyboard(self):
        zobu = self.zobu
        zobu.keys(*main_row("42"), K["space"])
        self.assertEqual(zobu.wait_for_height(FOLDED_HEIGHT), FOLDED_HEIGHT)
        zobu.keys(K["F1"])
        self.assertEqual(zobu.wait_for_height(UNFOLDED_HEIGHT), UNFOLDED_HEIGHT)
        # The panel has the keyboard: digits, operators, Esc, Space and C do nothing.
        zobu.keys(*main_row("7"), K["KP+"], "Escape", K["space"], K["backslash"])
        self.assertEqual(zobu.display_text(by_key=True, timeout=0.5), "")
        self.assertEqual(zobu.client_size()[1], UNFOLDED_HEIGHT)
        # F1 hides it; the window stays unfolded and the calculator is as it was.
        zobu.keys(K["F1"])
        self.assertEqual(zobu.display_text(by_key=True), "42")
        self.assertEqual(zobu.client_size()[1], UNFOLDED_HEIGHT)

    def test_a_held_key_acts_once(self):
        zobu = self.zobu
        zobu.keys(*main_row("1"))
        zobu.hold(K["5"], 1.5)  # X repeats the key about 20 times meanwhile
        self.assertEqual(zobu.display_text(by_key=True), "15")


if __name__ == "__main__":
    if len(sys.argv) < 2:
        sys.exit(__doc__)
    PROGRAM = sys.argv.pop(1)
    unittest.main(verbosity=2)
