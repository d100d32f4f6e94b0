#include "key_map.h"

#include <algorithm>
#include <array>

namespace zobu {
namespace {

// Windows virtual-key codes, as the keys are named on a US keyboard.
constexpr auto kKeyTable = std::to_array<KeyRow>({
    {48, 57, WindowAction::lblNum_Click, 0},     // 0-9 on the main keyboard
    {96, 105, WindowAction::lblNum_Click, 0},    // 0-9 on the numeric keypad
    {110, 110, WindowAction::lblNum_Click, 10},  // keypad decimal point
    {190, 190, WindowAction::lblNum_Click, 10},  // period
    {107, 107, WindowAction::lblMix_Click, 1},   // keypad plus
    {187, 187, WindowAction::lblMix_Click, 1},   // equals/plus
    {109, 109, WindowAction::lblMix_Click, 2},   // keypad minus
    {189, 189, WindowAction::lblMix_Click, 2},   // minus/underscore
    {106, 106, WindowAction::lblMix_Click, 3},   // keypad multiply
    {222, 222, WindowAction::lblMix_Click, 3},   // apostrophe/quote
    {111, 111, WindowAction::lblMix_Click, 4},   // keypad divide
    {191, 191, WindowAction::lblMix_Click, 4},   // slash/question mark
    {13, 13, WindowAction::lblMix_Click, 0},     // Enter, main and keypad
    {108, 108, WindowAction::lblMix_Click, 0},   // keypad separator
    {192, 192, WindowAction::lblFun_Click, 0},   // grave accent/tilde: sign change
    {220, 220, WindowAction::lblFun_Click, 1},   // backslash: reciprocal
    {8, 8, WindowAction::lblDel_Click, 0},       // Backspace
    {27, 27, WindowAction::lblDel_Click, 0},     // Esc
    {46, 46, WindowAction::lblDel_Click, 0},     // Delete
    {67, 67, WindowAction::lblCopy_Click, 0},    // C
    {86, 86, WindowAction::lblPaste_Click, 0},   // V
    {32, 32, WindowAction::lblSay_DblClick, 0},  // Space
    {kKeyF1, kKeyF1, WindowAction::ShowHelp, 0},
});

}  // namespace

std::span<const KeyRow> keyTable() {
    return kKeyTable;
}

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

std::optional<KeyBinding> keyUpBinding(std::int16_t KeyCode, bool helpShown) {
    if (!helpShown) {
        return lookupKey(KeyCode);
    }
    if (KeyCode == kKeyF1) {
        return KeyBinding{WindowAction::lblHelp_Click, 0};
    }
    return std::nullopt;
}

}  // namespace zobu
