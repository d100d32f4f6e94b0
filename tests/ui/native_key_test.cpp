// Qt key events to Windows virtual-key codes on each platform, one row per rule of the
// translation, and the bookkeeping that makes a key act once, at its release.
#include <gtest/gtest.h>

#include <QString>
#include <map>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "key_release_tracker.h"
#include "native_key.h"

namespace zobu {
namespace {

using Code = std::optional<std::int16_t>;
using P = KeyPlatform;
constexpr Qt::KeyboardModifiers kNone{}, kShift{Qt::ShiftModifier}, kPad{Qt::KeypadModifier};
const auto kAll = {P::None, P::X11, P::Wayland, P::Windows};

struct Translation {
    const char* name;
    std::vector<P> platforms;
    int key;
    Qt::KeyboardModifiers modifiers;
    std::uint32_t scanCode;    // X11 and Wayland: the X keycode
    std::uint32_t virtualKey;  // X11 and Wayland: the keysym
    Code code;
};

const std::vector<P> kXkb{P::X11, P::Wayland};

const Translation kTranslations[] = {
    // As Qt reports keys of a US keyboard under X: key(), modifiers, X keycode, keysym.
    {"8", kXkb, Qt::Key_8, kNone, 17, 0x38, 56},
    {"Shift+8 asterisk is still the 8 key", kXkb, Qt::Key_Asterisk, kShift, 17, 0x2a, 56},
    {"Shift+grave asciitilde", kXkb, Qt::Key_AsciiTilde, kShift, 49, 0x7e, 192},
    {"F1", kXkb, Qt::Key_F1, kNone, 67, 0xffbe, 112},
    {"keypad Enter", kXkb, Qt::Key_Enter, kPad, 104, 0xff8d, 13},
    {"KP_5 NumLock on", kXkb, Qt::Key_5, kPad, 84, 0xffb5, 101},
    {"KP_Decimal NumLock on", kXkb, Qt::Key_Period, kPad, 91, 0xffae, 110},
    {"KP_Separator", kXkb, Qt::Key_Comma, kPad, 129, 0xffac, 108},
    {"KP_End NumLock off", kXkb, Qt::Key_End, kPad, 87, 0xff9c, 35},
    {"KP_Delete NumLock off is Delete", kXkb, Qt::Key_Delete, kPad, 91, 0xff9f, 46},
    {"German sharp s is the minus key", kXkb, Qt::Key_ssharp, kNone, 20, 0xdf, 189},
    {"Russian es is the C key", kXkb, 0x421, kNone, 54, 0x6d3, 67},
    {"keysym 0 on keypad 1 is no digit", kXkb, 0, kNone, 87, 0, {}},
    {"unknown keysym on an unknown keycode", kXkb, 0, kNone, 200, 0x10020ac, {}},
    {"Num_Lock", kXkb, Qt::Key_NumLock, kNone, 77, 0xff7f, {}},
    {"AltGr ISO_Level3_Shift", kXkb, Qt::Key_AltGr, kNone, 108, 0xfe03, {}},
    {"left Shift on Windows", {P::Windows}, Qt::Key_Shift, kShift, 0x2a, 0xa0, {}},
    {"left Windows key", {P::Windows}, Qt::Key_Meta, kNone, 0x15b, 0x5b, {}},
    // No native fields (offscreen, and events QTest makes): Qt's key and the keypad flag.
    {"keypad 9", kAll, Qt::Key_9, kPad, 0, 0, 105},
    {"offscreen ignores native fields", {P::None}, Qt::Key_8, kNone, 77, 0xffe1, 56},
    {"asterisk is the 8 key", kAll, Qt::Key_Asterisk, kShift, 0, 0, 56},
    {"keypad asterisk", kAll, Qt::Key_Asterisk, kPad, 0, 0, 106},
    {"plus is the equals key", kAll, Qt::Key_Plus, kShift, 0, 0, 187},
    {"tilde is the grave key", kAll, Qt::Key_AsciiTilde, kShift, 0, 0, 192},
    {"shifted digit row: parenright is 0", kAll, Qt::Key_ParenRight, kShift, 0, 0, 48},
    {"keypad End", kAll, Qt::Key_End, kPad, 0, 0, 35},
    {"Enter", kAll, Qt::Key_Enter, kPad, 0, 0, 13},
    {"Ctrl+V", kAll, Qt::Key_V, Qt::ControlModifier, 0, 0, 86},
    {"Shift", kAll, Qt::Key_Shift, kShift, 0, 0, {}},
    {"unknown", kAll, Qt::Key_unknown, kNone, 0, 0, {}},
};

TEST(NativeKey, VirtualKeyCodeOnEachPlatform) {
    for (const Translation& t : kTranslations) {
        for (const P platform : t.platforms) {
            const KeyEventData event{t.key, t.modifiers, t.scanCode, t.virtualKey, 0, false};
            EXPECT_EQ(virtualKeyCode(platform, event), t.code)
                << t.name << " on platform " << static_cast<int>(platform);
        }
    }
}

// Key events as Qt delivers them under X (Qt's key, modifiers, X keycode, keysym), by name:
// "+" a press, "-" a release, "~" a release or press flagged as auto-repeat.
const std::map<std::string, KeyEventData> kEvents = {
    {"Shift", {Qt::Key_Shift, kNone, 50, 0xffe1, 0, false}},
    {"Shift'", {Qt::Key_Shift, kShift, 50, 0xffe1, 0, false}},  // as Shift's release reads
    {"asterisk", {Qt::Key_Asterisk, kShift, 17, 0x2a, 0, false}},
    {"8", {Qt::Key_8, kNone, 17, 0x38, 0, false}},
    {"5", {Qt::Key_5, kNone, 14, 0x35, 0, false}},
    {"1", {Qt::Key_1, kNone, 10, 0x31, 0, false}},
    {"2", {Qt::Key_2, kNone, 11, 0x32, 0, false}},
    {"NumLock", {Qt::Key_NumLock, kNone, 77, 0xff7f, 0, false}},
    {"KP_Decimal", {Qt::Key_Period, kPad, 91, 0xffae, 0, false}},
    {"KP_Delete", {Qt::Key_Delete, kPad, 91, 0xff9f, 0, false}},
    {"KP_Separator", {Qt::Key_Comma, kPad, 8, 0xffac, 0, false}},
    {"nothing", {0, kNone, 8, 0, 0, false}},  // what xdotool's KP_Separator release carries
    {"Escape", {Qt::Key_Escape, kNone, 0, 0, 0, false}}};

TEST(KeyReleaseTracker, OneActionPerPhysicalPress) {
    const struct {
        const char* name;
        P platform;
        std::string events;
        std::vector<std::int16_t> codes;  // what reaches Form_KeyUp
    } cases[]{{"xdotool shift+8: Shift up first", P::X11, "+Shift +asterisk -Shift' -8", {56}},
              {"NumLock off before the release",
               P::X11,
               "+NumLock +KP_Decimal -NumLock -KP_Delete",
               {110}},
              {"held key, repeats flagged", P::X11, "+5 ~-5 ~+5 -5", {53}},
              {"two keys rolled over", P::X11, "+1 +2 -1 -2", {49, 50}},
              {"the release carries no key", P::X11, "+KP_Separator -nothing", {108}},
              {"offscreen repeats, keyed by Qt's key",
               P::None,
               "+Escape ~-Escape ~+Escape -Escape",
               {27}}};
    for (const auto& c : cases) {
        KeyReleaseTracker tracker(c.platform);
        std::vector<std::int16_t> codes;
        std::istringstream events(c.events);
        for (std::string e; events >> e;) {
            KeyEventData event = kEvents.at(e.substr(e.find_first_not_of("~+-")));
            event.autoRepeat = e[0] == '~';
            if (e.find('+') != std::string::npos) {
                tracker.press(event);
            } else if (const Code code = tracker.release(event)) {
                codes.push_back(*code);
            }
        }
        EXPECT_EQ(codes, c.codes) << c.name;
    }
}

}  // namespace
}  // namespace zobu
