// A key acts once, at its release, with the code decided at its press.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "key_release_tracker.h"

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
constexpr Qt::KeyboardModifiers kCtrl{Qt::ControlModifier};
constexpr Qt::KeyboardModifiers kKeypad{Qt::KeypadModifier};

const Step kShiftDown = press(Qt::Key_Shift, kNone, 50, 0xffe1);
const Step kShiftUp = release(Qt::Key_Shift, kShift, 50, 0xffe1);

// The codes that reach Form_KeyUp, in order.
std::vector<std::int16_t> acted(KeyPlatform platform, const std::vector<Step>& steps) {
    KeyReleaseTracker tracker(platform);
    std::vector<std::int16_t> codes;
    for (const Step& step : steps) {
        if (step.down) {
            tracker.press(step.event);
        } else if (const auto code = tracker.release(step.event)) {
            codes.push_back(*code);
        }
    }
    return codes;
}

using Codes = std::vector<std::int16_t>;

TEST(KeyReleaseTracker, ShiftLetGoBeforeTheKey) {
    KeyReleaseTracker tracker(KeyPlatform::X11);
    EXPECT_EQ(tracker.press(kShiftDown.event), std::nullopt);
    EXPECT_EQ(tracker.press(press(Qt::Key_Asterisk, kShift, 17, 0x2a).event), 56);
    EXPECT_EQ(tracker.release(kShiftUp.event), std::nullopt);
    EXPECT_EQ(tracker.release(release(Qt::Key_8, kNone, 17, 0x38).event), 56);
}

TEST(KeyReleaseTracker, OneActionPerPhysicalPress) {
    const struct {
        const char* name;
        KeyPlatform platform;
        std::vector<Step> steps;
        Codes codes;
    } cases[]{
        {"xdotool shift+8: Shift up first",
         KeyPlatform::X11,
         {kShiftDown, press(Qt::Key_Asterisk, kShift, 17, 0x2a), kShiftUp,
          release(Qt::Key_8, kNone, 17, 0x38)},
         {56}},
        {"person lets go of 8 first",
         KeyPlatform::X11,
         {kShiftDown, press(Qt::Key_Asterisk, kShift, 17, 0x2a),
          release(Qt::Key_Asterisk, kShift, 17, 0x2a), kShiftUp},
         {56}},
        {"Shift+keypad 1 reads End at the press, KP_1 at the release",
         KeyPlatform::X11,
         {kShiftDown, press(Qt::Key_End, kShift | kKeypad, 87, 0xff9c), kShiftUp,
          release(Qt::Key_1, kKeypad, 87, 0xffb1)},
         {35}},
        {"held key, repeats flagged",
         KeyPlatform::X11,
         {press(Qt::Key_5, kNone, 14, 0x35), release(Qt::Key_5, kNone, 14, 0x35, true),
          press(Qt::Key_5, kNone, 14, 0x35, true), release(Qt::Key_5, kNone, 14, 0x35, true),
          press(Qt::Key_5, kNone, 14, 0x35, true), release(Qt::Key_5, kNone, 14, 0x35)},
         {53}},
        {"held key, detectable auto-repeat: presses only, unflagged",
         KeyPlatform::X11,
         {press(Qt::Key_5, kNone, 14, 0x35), press(Qt::Key_5, kNone, 14, 0x35),
          press(Qt::Key_5, kNone, 14, 0x35), release(Qt::Key_5, kNone, 14, 0x35)},
         {53}},
        {"Shift pressed while a key is held does not change it",
         KeyPlatform::X11,
         {press(Qt::Key_Minus, kNone, 20, 0x2d), kShiftDown,
          press(Qt::Key_Underscore, kShift, 20, 0x5f),
          release(Qt::Key_Underscore, kShift, 20, 0x5f), kShiftUp},
         {189}},
        {"keypad 1 held while Shift goes down keeps its digit",
         KeyPlatform::X11,
         {press(Qt::Key_1, kKeypad, 87, 0xffb1), kShiftDown,
          press(Qt::Key_End, kShift | kKeypad, 87, 0xff9c),
          press(Qt::Key_End, kShift | kKeypad, 87, 0xff9c, true),
          release(Qt::Key_End, kShift | kKeypad, 87, 0xff9c), kShiftUp},
         {97}},
        {"xdotool KP_Decimal: NumLock off again before the release, which reads KP_Delete",
         KeyPlatform::X11,
         {press(Qt::Key_NumLock, kNone, 77, 0xff7f), press(Qt::Key_Period, kKeypad, 91, 0xffae),
          release(Qt::Key_NumLock, kNone, 77, 0xff7f),
          release(Qt::Key_Delete, kKeypad, 91, 0xff9f)},
         {110}},
        {"Shift alone", KeyPlatform::X11, {kShiftDown, kShiftUp}, {}},
        {"held Shift repeats and does nothing",
         KeyPlatform::X11,
         {kShiftDown, press(Qt::Key_Shift, kShift, 50, 0xffe1, true),
          press(Qt::Key_Shift, kShift, 50, 0xffe1), kShiftUp},
         {}},
        {"Ctrl+C copies",
         KeyPlatform::X11,
         {press(Qt::Key_Control, kNone, 37, 0xffe3), press(Qt::Key_C, kCtrl, 54, 0x63),
          release(Qt::Key_C, kCtrl, 54, 0x63), release(Qt::Key_Control, kCtrl, 37, 0xffe3)},
         {67}},
        {"two keys rolled over",
         KeyPlatform::X11,
         {press(Qt::Key_1, kNone, 10, 0x31), press(Qt::Key_2, kNone, 11, 0x32),
          release(Qt::Key_1, kNone, 10, 0x31), release(Qt::Key_2, kNone, 11, 0x32)},
         {49, 50}},
        {"release without a press is translated",
         KeyPlatform::X11,
         {release(Qt::Key_8, kNone, 17, 0x38)},
         {56}},
        {"repeat seen first, after the focus came with the key down",
         KeyPlatform::X11,
         {press(Qt::Key_9, kNone, 18, 0x39, true), release(Qt::Key_9, kNone, 18, 0x39)},
         {57}},
        {"xdotool keypad separator: the release carries no key",
         KeyPlatform::X11,
         {press(Qt::Key_Comma, kKeypad, 8, 0xffac), release(0, kNone, 8, 0)},
         {108}},
        {"same key pressed twice acts twice",
         KeyPlatform::X11,
         {press(Qt::Key_V, kNone, 55, 0x76), release(Qt::Key_V, kNone, 55, 0x76),
          press(Qt::Key_V, kNone, 55, 0x76), release(Qt::Key_V, kNone, 55, 0x76)},
         {86, 86}},
        {"QTest click of Shift+8 offscreen",
         KeyPlatform::None,
         {press(Qt::Key_8, kShift, 0, 0), release(Qt::Key_8, kShift, 0, 0)},
         {56}},
        {"QTest repeats offscreen",
         KeyPlatform::None,
         {press(Qt::Key_Escape, kNone, 0, 0), release(Qt::Key_Escape, kNone, 0, 0, true),
          press(Qt::Key_Escape, kNone, 0, 0, true), release(Qt::Key_Escape, kNone, 0, 0)},
         {27}},
        {"Windows Shift+8",
         KeyPlatform::Windows,
         {press(Qt::Key_Shift, kNone, 0x2a, 0x10), press(Qt::Key_Asterisk, kShift, 0x09, 0x38),
          release(Qt::Key_Shift, kShift, 0x2a, 0x10), release(Qt::Key_8, kNone, 0x09, 0x38)},
         {56}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(acted(c.platform, c.steps), c.codes);
    }
}

TEST(KeyReleaseTracker, ClearForgetsKeysWhoseReleaseWentElsewhere) {
    KeyReleaseTracker tracker(KeyPlatform::X11);
    tracker.press(press(Qt::Key_End, kShift | kKeypad, 87, 0xff9c).event);
    tracker.clear();
    EXPECT_EQ(tracker.press(press(Qt::Key_1, kKeypad, 87, 0xffb1).event), 97);
    EXPECT_EQ(tracker.release(release(Qt::Key_1, kKeypad, 87, 0xffb1).event), 97);
}

}  // namespace
}  // namespace zobu
