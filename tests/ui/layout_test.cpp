// The window as laid out: every label's place in pixels, caption, tag, tooltip, border,
// alignment and visibility, against the real widgets; stacking, overlaps and fonts.
#include <gtest/gtest.h>

#include <QFontInfo>
#include <QFontMetrics>
#include <vector>

#include "label_fonts.h"
#include "window_fixture.h"

namespace zobu::testing {
namespace {

using N = LabelName;

struct LabelCase {
    LabelName name;
    std::int16_t index;
    const char* caption;
    const char* tag;
    const char* tooltip;
    QRect pixels;  // after the load step: 15 twips a pixel, edges rounded
};

// Rows 70/110/149/189 px, columns 13/98/161/224/287 px; keys 28 px high.
const std::vector<LabelCase> kLabels = {
    {N::lblLast, 0, "", "", "", {3, 3, 340, 17}},
    {N::lblSay, 0, "0", "", "双击 伸缩窗口", {23, 20, 296, 28}},
    {N::lblTie, 0, "", "", "", {319, 21, 20, 26}},
    {N::lblNext, 0, "", "", "", {3, 50, 340, 17}},
    {N::lblDel, 0, "DEL", "", "清零 连按两次 全清", {13, 70, 67, 28}},
    {N::lblNum, 7, "7", "", "", {98, 70, 48, 28}},
    {N::lblNum, 8, "8", "", "", {161, 70, 48, 28}},
    {N::lblNum, 9, "9", "", "", {224, 70, 48, 28}},
    {N::lblMix, 4, "/", "/", "除", {287, 70, 48, 28}},
    {N::lblCopy, 0, "C", "", "复制", {13, 110, 32, 28}},
    {N::lblPaste, 0, "V", "", "粘贴", {48, 110, 32, 28}},
    {N::lblNum, 4, "4", "", "", {98, 110, 48, 28}},
    {N::lblNum, 5, "5", "", "", {161, 110, 48, 28}},
    {N::lblNum, 6, "6", "", "", {224, 110, 48, 28}},
    {N::lblMix, 3, "*", "*", "乘", {287, 110, 48, 28}},
    {N::lblFun, 1, "1/n", "1 /", "取倒数", {13, 149, 67, 28}},
    {N::lblNum, 1, "1", "", "", {98, 149, 48, 28}},
    {N::lblNum, 2, "2", "", "", {161, 149, 48, 28}},
    {N::lblNum, 3, "3", "", "", {224, 149, 48, 28}},
    {N::lblMix, 2, "-", "-", "减", {287, 149, 48, 28}},
    {N::lblFun, 0, "-n", "-", "取负数", {13, 189, 67, 28}},
    {N::lblNum, 0, "0", "", "", {98, 189, 48, 28}},
    {N::lblNum, 10, ".", "", "小数点", {161, 189, 48, 28}},
    {N::lblMix, 0, "=", "", "计算结果", {224, 189, 48, 28}},
    {N::lblMix, 1, "+", "+", "加", {287, 189, 48, 28}},
};

using Layout = WindowTest;

TEST_F(Layout, WindowTitleSizeAndIcon) {
    EXPECT_EQ(window.windowTitle(), QString::fromUtf8("计算器 Zobu (按F1键有说明)"));
    EXPECT_EQ(window.size(), QSize(347, 228));
    EXPECT_EQ(window.minimumSize(), window.maximumSize()) << "the user must not resize it";
    EXPECT_EQ(window.windowIcon().availableSizes().value(0), QSize(32, 32));
}

TEST_F(Layout, EveryLabelAsLaidOut) {
    ASSERT_EQ(window.findChildren<CalcLabel*>().size(), 26);
    for (const LabelCase& c : kLabels) {
        const CalcLabel& l = label(c.name, c.index);
        SCOPED_TRACE(::testing::Message() << "caption '" << c.caption << "' index " << c.index);
        EXPECT_EQ(l.geometry(), c.pixels);
        EXPECT_EQ(l.text(), QString::fromUtf8(c.caption));
        EXPECT_STREQ(l.row().tag, c.tag);
        EXPECT_EQ(l.toolTip(), QString::fromUtf8(c.tooltip));
        EXPECT_FALSE(l.isHidden());
        EXPECT_EQ(l.focusPolicy(), Qt::NoFocus);
        const bool bordered = c.name != N::lblLast && c.name != N::lblTie && c.name != N::lblNext;
        EXPECT_EQ(l.frameShape(), bordered ? QFrame::Box : QFrame::NoFrame);
        if (bordered) {
            EXPECT_EQ(l.lineWidth(), 1);
        }
        const Qt::Alignment across = c.name == N::lblSay ? Qt::AlignRight : Qt::AlignHCenter;
        EXPECT_EQ(l.alignment(), Qt::AlignTop | across);
    }
    // The help panel: hidden, borderless, opaque and stacked above every label it covers.
    const CalcLabel& help = label(N::lblHelp);
    EXPECT_TRUE(help.isHidden());
    EXPECT_EQ(help.geometry(), QRect(3, 3, 340, 220));
    EXPECT_EQ(help.frameShape(), QFrame::NoFrame);
    EXPECT_EQ(help.alignment(), Qt::AlignTop | Qt::AlignLeft);
    EXPECT_TRUE(help.autoFillBackground());
    EXPECT_EQ(window.children().last(), &help);
    for (const LabelCase& c : kLabels) {
        EXPECT_TRUE(help.geometry().contains(c.pixels)) << c.caption;
    }
}

// With the mark at either of its places, no two labels share a pixel; only the help panel
// lies over the others. A new operand moves the mark before the display, sideways only.
TEST_F(Layout, NoLabelsOverlapWithTheMarkAtEitherPlace) {
    for (const char* keys : {"", "5"}) {
        press(keys);
        SCOPED_TRACE(::testing::Message() << "mark at " << label(N::lblTie).twipLeft());
        const QList<CalcLabel*> all = window.findChildren<CalcLabel*>();
        for (qsizetype a = 0; a < all.size(); ++a) {
            for (qsizetype b = a + 1; b < all.size(); ++b) {
                if (all[a] != &label(N::lblHelp) && all[b] != &label(N::lblHelp)) {
                    EXPECT_FALSE(all[a]->geometry().intersects(all[b]->geometry()))
                        << all[a]->text().toStdString() << " / " << all[b]->text().toStdString();
                }
            }
        }
    }
    EXPECT_EQ(label(N::lblTie).geometry(), QRect(3, 21, 20, 26));
}

// Where "Lucida Console" and "宋体" are missing, installed stand-ins must still be fixed-pitch
// and hold Chinese; the widest number must fit the display.
TEST_F(Layout, FontsAreFixedPitchAndChineseAndTheWidestNumberFits) {
    const QFont& key = label(N::lblNum, 7).font();
    const QFont& display = label(N::lblSay).font();
    EXPECT_TRUE(QFontInfo(key).fixedPitch()) << key.family().toStdString();
    EXPECT_DOUBLE_EQ(key.pointSizeF(), 15.0);
    EXPECT_TRUE(QFontInfo(display).fixedPitch()) << display.family().toStdString();
    EXPECT_LE(display.pointSizeF(), 15.75);
    EXPECT_EQ(label(N::lblTie).font(), display);
    for (const N name : {N::lblLast, N::lblNext, N::lblHelp}) {
        const QFont& song = label(name).font();
        EXPECT_DOUBLE_EQ(song.pointSizeF(), 10.5);
        EXPECT_TRUE(QFontMetrics(song).inFontUcs4(U'计')) << song.family().toStdString();
    }
    CalcLabel& say = label(N::lblSay);
    say.setText(QString::fromLatin1(kWidestDisplayText));
    EXPECT_LE(say.fontMetrics().horizontalAdvance(say.text()),
              say.contentsRect().width() - say.indent());
}

}  // namespace
}  // namespace zobu::testing
