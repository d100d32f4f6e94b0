// A key acts once, at its release, with the code decided at its press.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "key_release_tracker.h"
#include "vk_codes.h"

namespace zobu {
namespace {

struct Step {
    bool down;
    KeyEventData event;
};

// X11 events as Qt delivers them: key(), modifiers, X keycode, keysym.
Step press(int key, Qt::KeyboardModifiers mods, std::uint32_t keycode, std::uint32_t keysym,
           bool repeat = false) {
    return {true, KeyEventData{key, mods, keycode, keysym, 0, repeat}};
}
Step release(int key, Qt::KeyboardModifiers mods, std::uint32_t keycode, std::uint32_t keysym,
             bool repeat = false) {
    return {false, KeyEventData{key, mods, keycode, keysym, 0, repeat}};
}

constexpr Qt::KeyboardModifiers kNone{};
constexpr Qt::KeyboardModifiers kShift{Qt::ShiftModifier};
constexpr Qt::KeyboardModifiers kKeypad{Qt::KeypadModifier};

// What X's keymap says the keys below type at levels 1 and 2: a German first group and a
// Russian second one (the group is in bits 13-14 of the event's state).
KeyLevels keymap(std::uint32_t keycode, std::uint32_t state) {
    const bool russian = ((state >> 13) & 3) == 1;
    if (keycode == 61) {
        return russian ? KeyLevels{'.', ','} : KeyLevels{'-', '_'};
    }
    return keycode == 35 ? KeyLevels{'+', '*'} : KeyLevels{};
}
constexpr std::uint32_t kRussianGroup = 1 << 13;

const Step kShiftDown = press(Qt::Key_Shift, kNone, 50, 0xffe1);
const Step kShiftUp = release(Qt::Key_Shift, kShift, 50, 0xffe1);

TEST(KeyReleaseTracker, OneActionPerPhysicalPress) {
    const struct {
        const char* name;
        KeyPlatform platform;
        std::vector<Step> steps;
        std::vector<std::int16_t> codes;  // what reaches Form_KeyUp, in order
    } cases[]{
        {"xdotool shift+8: Shift up first, the release reads 8",
         KeyPlatform::X11,
         {kShiftDown, press(Qt::Key_Asterisk, kShift, 17, 0x2a), kShiftUp,
          release(Qt::Key_8, kNone, 17, 0x38)},
         {56}},
        {"NumLock off again before the release of KP_Decimal, which reads KP_Delete",
         KeyPlatform::X11,
         {press(Qt::Key_NumLock, kNone, 77, 0xff7f), press(Qt::Key_Period, kKeypad, 91, 0xffae),
          release(Qt::Key_NumLock, kNone, 77, 0xff7f),
          release(Qt::Key_Delete, kKeypad, 91, 0xff9f)},
         {110}},
        {"held key, repeats flagged",
         KeyPlatform::X11,
         {press(Qt::Key_5, kNone, 14, 0x35), release(Qt::Key_5, kNone, 14, 0x35, true),
          press(Qt::Key_5, kNone, 14, 0x35, true), release(Qt::Key_5, kNone, 14, 0x35)},
         {53}},
        {"held key, detectable auto-repeat: presses only, unflagged",
         KeyPlatform::X11,
         {press(Qt::Key_5, kNone, 14, 0x35), press(Qt::Key_5, kNone, 14, 0x35),
          release(Qt::Key_5, kNone, 14, 0x35)},
         {53}},
        {"Shift alone, held",
         KeyPlatform::X11,
         {kShiftDown, press(Qt::Key_Shift, kShift, 50, 0xffe1, true), kShiftUp},
         {}},
        {"two keys rolled over",
         KeyPlatform::X11,
         {press(Qt::Key_1, kNone, 10, 0x31), press(Qt::Key_2, kNone, 11, 0x32),
          release(Qt::Key_1, kNone, 10, 0x31), release(Qt::Key_2, kNone, 11, 0x32)},
         {49, 50}},
        {"release without a press is translated",
         KeyPlatform::X11,
         {release(Qt::Key_8, kNone, 17, 0x38)},
         {56}},
        {"xdotool keypad separator: the release carries no key",
         KeyPlatform::X11,
         {press(Qt::Key_Comma, kKeypad, 8, 0xffac), release(0, kNone, 8, 0)},
         {108}},
        {"de: Shift let go before the plus key, which reads asterisk at its press",
         KeyPlatform::X11,
         {kShiftDown, press(Qt::Key_Asterisk, kShift, 35, '*'), kShiftUp,
          release(Qt::Key_Plus, kNone, 35, '+')},
         {VK_OEM_PLUS}},
        {"the key's group at its press decides: de minus, then ru period",
         KeyPlatform::X11,
         {press(Qt::Key_Minus, kNone, 61, '-'),
          release(Qt::Key_Minus, kNone, 61, '-'),
          {true, KeyEventData{Qt::Key_Period, kNone, 61, '.', kRussianGroup, false, {}}},
          release(Qt::Key_Minus, kNone, 61, '-')},
         {VK_OEM_MINUS, VK_OEM_PERIOD}},
        {"offscreen repeats, keyed by Qt's key",
         KeyPlatform::None,
         {press(Qt::Key_Escape, kNone, 0, 0), release(Qt::Key_Escape, kNone, 0, 0, true),
          press(Qt::Key_Escape, kNone, 0, 0, true), release(Qt::Key_Escape, kNone, 0, 0)},
         {27}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        KeyReleaseTracker tracker(c.platform, keymap);
        std::vector<std::int16_t> codes;
        for (const Step& step : c.steps) {
            if (step.down) {
                tracker.press(step.event);
            } else if (const auto code = tracker.release(step.event)) {
                codes.push_back(*code);
            }
        }
        EXPECT_EQ(codes, c.codes);
    }
}

}  // namespace
}  // namespace zobu
