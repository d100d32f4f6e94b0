#include "key_map.h"

#include <algorithm>
#include <array>

#include "calc_engine.h"
#include "vk_codes.h"

namespace zobu {
namespace {

// One row of the key table: the codes first..last run `action`; the first code passes
// `argument` and each following code the next index (the digit rows). No code is in two rows.
struct KeyRow {
    std::int16_t first;
    std::int16_t last;
    WindowAction action;
    std::int16_t argument = 0;
};

// The codes as the keys are named on a US keyboard.
constexpr auto kKeyTable = std::to_array<KeyRow>({
    {VK_0, VK_9, WindowAction::lblNum_Click, kNumZero},              // 0-9 on the main keyboard
    {VK_NUMPAD0, VK_NUMPAD9, WindowAction::lblNum_Click, kNumZero},  // 0-9 on the numeric keypad
    {VK_DECIMAL, VK_DECIMAL, WindowAction::lblNum_Click, kNumPoint},
    {VK_OEM_PERIOD, VK_OEM_PERIOD, WindowAction::lblNum_Click, kNumPoint},
    {VK_ADD, VK_ADD, WindowAction::lblMix_Click, kOpAdd},
    {VK_OEM_PLUS, VK_OEM_PLUS, WindowAction::lblMix_Click, kOpAdd},  // equals/plus
    {VK_SUBTRACT, VK_SUBTRACT, WindowAction::lblMix_Click, kOpSubtract},
    {VK_OEM_MINUS, VK_OEM_MINUS, WindowAction::lblMix_Click, kOpSubtract},  // minus/underscore
    {VK_MULTIPLY, VK_MULTIPLY, WindowAction::lblMix_Click, kOpMultiply},
    {VK_OEM_7, VK_OEM_7, WindowAction::lblMix_Click, kOpMultiply},  // apostrophe/quote
    {VK_DIVIDE, VK_DIVIDE, WindowAction::lblMix_Click, kOpDivide},
    {VK_OEM_2, VK_OEM_2, WindowAction::lblMix_Click, kOpDivide},    // slash/question mark
    {VK_RETURN, VK_RETURN, WindowAction::lblMix_Click, kOpEquals},  // Enter, main and keypad
    {VK_SEPARATOR, VK_SEPARATOR, WindowAction::lblMix_Click, kOpEquals},
    {VK_OEM_3, VK_OEM_3, WindowAction::lblFun_Click, kFunNegate},      // grave accent/tilde
    {VK_OEM_5, VK_OEM_5, WindowAction::lblFun_Click, kFunReciprocal},  // backslash: reciprocal
    {VK_BACK, VK_BACK, WindowAction::lblDel_Click},
    {VK_ESCAPE, VK_ESCAPE, WindowAction::lblDel_Click},
    {VK_DELETE, VK_DELETE, WindowAction::lblDel_Click},
    {VK_C, VK_C, WindowAction::lblCopy_Click},
    {VK_V, VK_V, WindowAction::lblPaste_Click},
    {VK_SPACE, VK_SPACE, WindowAction::lblSay_DblClick},
    {VK_F1, VK_F1, WindowAction::ShowHelp},
});

// The operation bound to a Windows virtual-key code, or nothing for any other code.
std::optional<KeyBinding> lookupKey(std::int16_t KeyCode) {
    const auto* row = std::find_if(kKeyTable.begin(), kKeyTable.end(), [KeyCode](const KeyRow& r) {
        return KeyCode >= r.first && KeyCode <= r.last;
    });
    if (row == kKeyTable.end()) {
        return std::nullopt;
    }
    return KeyBinding{row->action,
                      static_cast<std::int16_t>(row->argument + (KeyCode - row->first))};
}

}  // namespace

std::optional<KeyBinding> keyUpBinding(std::int16_t KeyCode, bool helpShown) {
    if (!helpShown) {
        return lookupKey(KeyCode);
    }
    if (KeyCode == VK_F1) {
        return KeyBinding{WindowAction::lblHelp_Click};
    }
    return std::nullopt;
}

}  // namespace zobu
