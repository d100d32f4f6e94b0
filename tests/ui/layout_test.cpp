// The window as laid out: every label's place in pixels, caption, tooltip, tag, border,
// alignment and visibility, against the real widgets; stacking, focus and fonts.
#include <gtest/gtest.h>

#include <QFontInfo>
#include <QFontMetrics>
#include <vector>

#include "help_text.h"
#include "label_fonts.h"
#include "label_lines.h"
#include "window_fixture.h"

namespace zobu::testing {
namespace {

using N = LabelName;

struct LabelCase {
    LabelName name;
    std::int16_t index;
    const char* caption;
    const char* tooltip;
    QRect pixels;  // after the load step: 15 twips a pixel, edges rounded
};

// Rows 70/110/149/189 px, columns 13/98/161/224/287 px; keys 28 px high.
const std::vector<LabelCase> kLabels = {
    {N::lblLast, 0, "", "", {3, 3, 340, 17}},
    {N::lblSay, 0, "0", "双击 伸缩窗口", {23, 20, 296, 28}},
    {N::lblTie, 0, "", "", {319, 21, 20, 26}},
    {N::lblNext, 0, "", "", {3, 50, 340, 17}},
    {N::lblDel, 0, "DEL", "清零 连按两次 全清", {13, 70, 67, 28}},
    {N::lblNum, 7, "7", "", {98, 70, 48, 28}},
    {N::lblNum, 8, "8", "", {161, 70, 48, 28}},
    {N::lblNum, 9, "9", "", {224, 70, 48, 28}},
    {N::lblMix, 4, "/", "除", {287, 70, 48, 28}},
    {N::lblCopy, 0, "C", "复制", {13, 110, 32, 28}},
    {N::lblPaste, 0, "V", "粘贴", {48, 110, 32, 28}},
    {N::lblNum, 4, "4", "", {98, 110, 48, 28}},
    {N::lblNum, 5, "5", "", {161, 110, 48, 28}},
    {N::lblNum, 6, "6", "", {224, 110, 48, 28}},
    {N::lblMix, 3, "*", "乘", {287, 110, 48, 28}},
    {N::lblFun, 1, "1/n", "取倒数", {13, 149, 67, 28}},
    {N::lblNum, 1, "1", "", {98, 149, 48, 28}},
    {N::lblNum, 2, "2", "", {161, 149, 48, 28}},
    {N::lblNum, 3, "3", "", {224, 149, 48, 28}},
    {N::lblMix, 2, "-", "减", {287, 149, 48, 28}},
    {N::lblFun, 0, "-n", "取负数", {13, 189, 67, 28}},
    {N::lblNum, 0, "0", "", {98, 189, 48, 28}},
    {N::lblNum, 10, ".", "小数点", {161, 189, 48, 28}},
    {N::lblMix, 0, "=", "计算结果", {224, 189, 48, 28}},
    {N::lblMix, 1, "+", "加", {287, 189, 48, 28}},
};

using Layout = WindowTest;

TEST_F(Layout, WindowTitleSizeAndIcon) {
    EXPECT_EQ(window.windowTitle(), QString::fromUtf8("计算器 Zobu (按F1键有说明)"));
    EXPECT_EQ(window.size(), QSize(347, 228));
    EXPECT_EQ(window.minimumSize(), window.maximumSize()) << "the user must not resize it";
    EXPECT_FALSE(window.windowIcon().isNull());
    EXPECT_EQ(window.windowIcon().availableSizes().value(0), QSize(32, 32));
}

TEST_F(Layout, EveryLabelAsLaidOut) {
    ASSERT_EQ(window.findChildren<CalcLabel*>().size(), 26);
    for (const LabelCase& c : kLabels) {
        const CalcLabel& l = label(c.name, c.index);
        SCOPED_TRACE(::testing::Message() << "caption '" << c.caption << "' index " << c.index);
        EXPECT_EQ(l.geometry(), c.pixels);
        EXPECT_EQ(l.text(), QString::fromUtf8(c.caption));
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
}

TEST_F(Layout, HelpPanelPlacedHiddenAndOnTop) {
    const CalcLabel& help = label(N::lblHelp);
    EXPECT_TRUE(help.isHidden());
    EXPECT_EQ(help.geometry(), QRect(3, 3, 340, 220));
    EXPECT_EQ(help.text().toStdString(), HelpText());
    EXPECT_EQ(help.frameShape(), QFrame::NoFrame);
    EXPECT_EQ(help.alignment(), Qt::AlignTop | Qt::AlignLeft);
    EXPECT_TRUE(help.autoFillBackground()) << "the panel hides what lies beneath it";
    EXPECT_EQ(window.children().last(), &help) << "stacked above every other label";
}

TEST_F(Layout, TagsComeFromTheKeys) {
    LabelLines lines;
    const std::vector<std::string> mix{"", "+", "-", "*", "/"};
    for (std::int16_t i = 0; i < 5; ++i) {
        EXPECT_EQ(lines.mixTag(i), mix[static_cast<std::size_t>(i)]) << "lblMix " << i;
    }
    EXPECT_EQ(lines.funTag(0), "-");
    EXPECT_EQ(lines.funTag(1), "1 /");
}

// With the mark at either of its places, no two labels share a pixel; only the help panel
// lies over the others.
TEST_F(Layout, NoLabelsOverlapWithTheMarkAtEitherPlace) {
    for (const double tieLeft : {4790.0, 50.0, 4800.0}) {
        label(N::lblTie).moveTwips(tieLeft);
        SCOPED_TRACE(::testing::Message() << "mark at " << tieLeft);
        const QList<CalcLabel*> all = window.findChildren<CalcLabel*>();
        for (qsizetype a = 0; a < all.size(); ++a) {
            for (qsizetype b = a + 1; b < all.size(); ++b) {
                if (all[a] == &label(N::lblHelp) || all[b] == &label(N::lblHelp)) {
                    continue;
                }
                EXPECT_FALSE(all[a]->geometry().intersects(all[b]->geometry()))
                    << all[a]->text().toStdString() << " overlaps " << all[b]->text().toStdString();
            }
        }
    }
}

TEST_F(Layout, FontsAreFixedPitchAndChinese) {
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
}

// fontconfig answers any name with some face, so only a family that is really installed counts.
TEST(FontChoice, FirstInstalledFamilyInOrderOfPreference) {
    const QStringList preferred{QStringLiteral("Lucida Console"),
                                QStringLiteral("DejaVu Sans Mono"),
                                QStringLiteral("Liberation Mono")};
    const QStringList linux{QStringLiteral("DejaVu Sans"), QStringLiteral("liberation mono"),
                            QStringLiteral("DejaVu Sans Mono")};
    EXPECT_EQ(FirstInstalledFamily(linux, preferred), QStringLiteral("DejaVu Sans Mono"));
    EXPECT_EQ(FirstInstalledFamily({QStringLiteral("Lucida Console")}, preferred),
              QStringLiteral("Lucida Console"));
    EXPECT_EQ(FirstInstalledFamily({QStringLiteral("DejaVu Sans")}, preferred), QString());
}

TEST_F(Layout, WidestNumberFitsTheDisplay) {
    CalcLabel& say = label(N::lblSay);
    say.setText(QString::fromLatin1(kWidestDisplayText));
    const int room = say.contentsRect().width() - say.indent();
    EXPECT_LE(say.fontMetrics().horizontalAdvance(say.text()), room);
}

TEST_F(Layout, HelpTextFitsThePanel) {
    const CalcLabel& help = label(N::lblHelp);
    const QRect needed = help.fontMetrics().boundingRect(help.contentsRect(),
                                                         Qt::AlignTop | Qt::AlignLeft, help.text());
    EXPECT_LE(needed.width(), help.contentsRect().width());
    EXPECT_LE(needed.height(), help.contentsRect().height());
    EXPECT_EQ(help.text().split(QStringLiteral("\r\n")).size(), 13);
}

}  // namespace
}  // namespace zobu::testing
