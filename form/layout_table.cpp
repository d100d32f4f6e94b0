#include "layout_table.h"

#include <stdexcept>

namespace zobu {
namespace {
using N = LabelName;
using F = FontRole;
using A = TextAlign;
using Do = WindowAction;
constexpr double kKeyHeight = 420.0;  // every key is 420 twips high
constexpr bool Key = true;
constexpr bool NotKey = false;
}  // namespace

const std::array<LabelSpec, kLabelCount> kLayout{{
    // name, index, caption, tag, tooltip, left, top, width, height, font, align, border,
    // visible, key, click, double-click
    {N::lblLast, 0, "", "", "", 50, 50, 5100, 250, F::Chinese, A::Center, false, true, NotKey,
     Do::None, Do::None},
    {N::lblSay, 0, "0", "", "双击 伸缩窗口", 350, 300, 4440, 420, F::Display, A::Right, true, true,
     NotKey, Do::None, Do::lblSay_DblClick},
    {N::lblTie, 0, "", "", "", 4800, 310, 300, 400, F::Display, A::Center, false, true, NotKey,
     Do::None, Do::None},
    {N::lblNext, 0, "", "", "", 50, 750, 5100, 250, F::Chinese, A::Center, false, true, NotKey,
     Do::None, Do::None},
    {N::lblHelp, 0, "", "", "", 90, 450, 105, 105, F::Help, A::Left, false, false, NotKey,
     Do::lblHelp_Click, Do::None},

    {N::lblDel, 0, "DEL", "", "清零 连按两次 全清", 200, 1050, 1000, kKeyHeight, F::Key, A::Center,
     true, true, Key, Do::lblDel_Click, Do::None},
    {N::lblNum, 7, "7", "", "", 1470, 1050, 720, kKeyHeight, F::Key, A::Center, true, true, Key,
     Do::lblNum_Click, Do::None},
    {N::lblNum, 8, "8", "", "", 2415, 1050, 720, kKeyHeight, F::Key, A::Center, true, true, Key,
     Do::lblNum_Click, Do::None},
    {N::lblNum, 9, "9", "", "", 3360, 1050, 720, kKeyHeight, F::Key, A::Center, true, true, Key,
     Do::lblNum_Click, Do::None},
    {N::lblMix, 4, "/", "/", "除", 4305, 1050, 720, kKeyHeight, F::Key, A::Center, true, true, Key,
     Do::lblMix_Click, Do::None},

    {N::lblCopy, 0, "C", "", "复制", 200, 1645, 480, kKeyHeight, F::Key, A::Center, true, true, Key,
     Do::lblCopy_Click, Do::None},
    {N::lblPaste, 0, "V", "", "粘贴", 720, 1645, 480, kKeyHeight, F::Key, A::Center, true, true,
     Key, Do::lblPaste_Click, Do::None},
    {N::lblNum, 4, "4", "", "", 1470, 1645, 720, kKeyHeight, F::Key, A::Center, true, true, Key,
     Do::lblNum_Click, Do::None},
    {N::lblNum, 5, "5", "", "", 2415, 1645, 720, kKeyHeight, F::Key, A::Center, true, true, Key,
     Do::lblNum_Click, Do::None},
    {N::lblNum, 6, "6", "", "", 3360, 1645, 720, kKeyHeight, F::Key, A::Center, true, true, Key,
     Do::lblNum_Click, Do::None},
    {N::lblMix, 3, "*", "*", "乘", 4305, 1645, 720, kKeyHeight, F::Key, A::Center, true, true, Key,
     Do::lblMix_Click, Do::None},

    {N::lblFun, 1, "1/n", "1 /", "取倒数", 200, 2240, 1000, kKeyHeight, F::Key, A::Center, true,
     true, Key, Do::lblFun_Click, Do::None},
    {N::lblNum, 1, "1", "", "", 1470, 2240, 720, kKeyHeight, F::Key, A::Center, true, true, Key,
     Do::lblNum_Click, Do::None},
    {N::lblNum, 2, "2", "", "", 2415, 2240, 720, kKeyHeight, F::Key, A::Center, true, true, Key,
     Do::lblNum_Click, Do::None},
    {N::lblNum, 3, "3", "", "", 3360, 2240, 720, kKeyHeight, F::Key, A::Center, true, true, Key,
     Do::lblNum_Click, Do::None},
    {N::lblMix, 2, "-", "-", "减", 4305, 2240, 720, kKeyHeight, F::Key, A::Center, true, true, Key,
     Do::lblMix_Click, Do::None},

    {N::lblFun, 0, "-n", "-", "取负数", 200, 2835, 1000, kKeyHeight, F::Key, A::Center, true, true,
     Key, Do::lblFun_Click, Do::None},
    {N::lblNum, 0, "0", "", "", 1470, 2835, 720, kKeyHeight, F::Key, A::Center, true, true, Key,
     Do::lblNum_Click, Do::None},
    {N::lblNum, 10, ".", "", "小数点", 2415, 2835, 720, kKeyHeight, F::Key, A::Center, true, true,
     Key, Do::lblNum_Click, Do::None},
    {N::lblMix, 0, "=", "", "计算结果", 3360, 2835, 720, kKeyHeight, F::Key, A::Center, true, true,
     Key, Do::lblMix_Click, Do::None},
    {N::lblMix, 1, "+", "+", "加", 4305, 2835, 720, kKeyHeight, F::Key, A::Center, true, true, Key,
     Do::lblMix_Click, Do::None},
}};

std::size_t LayoutRow(LabelName name, std::int16_t index) {
    for (std::size_t row = 0; row < kLayout.size(); ++row) {
        if (kLayout[row].name == name && kLayout[row].index == index) {
            return row;
        }
    }
    throw std::out_of_range("no such label in the window layout");
}

}  // namespace zobu
