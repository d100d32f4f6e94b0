// The help panel: its text, F1 over a folded window, and its hold on the mouse and the
// keyboard while it is shown.
#include <gtest/gtest.h>

#include <limits>

#include "help_text.h"
#include "key_map.h"
#include "window_fixture.h"

namespace zobu::testing {
namespace {

using N = LabelName;
using HelpPanel = WindowTest;

TEST_F(HelpPanel, CaptionIsTheThirteenLinesOfKeyboardCommands) {
    const CalcLabel& help = label(N::lblHelp);
    const QString caption = help.text();
    EXPECT_EQ(caption.toStdString(), HelpText());
    EXPECT_EQ(caption.size(), 412);
    EXPECT_EQ(caption.split(QStringLiteral("\r\n")).size(), 13);
    EXPECT_FALSE(caption.endsWith(QLatin1Char('\n')));
    for (const char* key : {"[*]", "[']", "[/]", "[回车]", "[=]", "[~]", "[\\]", "[DEL]", "[退格]",
                            "[ESC]", "[C]", "[V]", "[空格]", "[F1]"}) {
        EXPECT_TRUE(caption.contains(QString::fromUtf8(key))) << key;
    }
    const QRect needed =
        help.fontMetrics().boundingRect(help.contentsRect(), Qt::AlignTop | Qt::AlignLeft, caption);
    EXPECT_LE(needed.width(), help.contentsRect().width());
    EXPECT_LE(needed.height(), help.contentsRect().height());
}

TEST_F(HelpPanel, F1OverAFoldedWindowUnfoldsAndF1AgainHides) {
    keyUp(32);
    ASSERT_EQ(clientHeight(), 69);
    keyUp(VK_F1);
    EXPECT_EQ(clientHeight(), 228);
    EXPECT_TRUE(label(N::lblHelp).isVisible());
    keyUp(VK_F1);
    EXPECT_FALSE(window.helpVisible());
    EXPECT_EQ(clientHeight(), 228) << "hiding keeps the window unfolded";
    keyUp(VK_F1);
    EXPECT_TRUE(window.helpVisible());
}

// The "7" key lies under the panel; a click there hides the panel and reaches nothing else.
// A double-click over the display must not fold the window through it either.
TEST_F(HelpPanel, ClickHidesItAndReachesNoKey) {
    press("12+3");
    window.ShowHelp();
    const WindowSnapshot shown = snapshot();
    clickAt(QPoint(345, 226));  // the margin around the panel
    EXPECT_EQ(snapshot(), shown);
    click(N::lblNum, 7);
    WindowSnapshot hidden = snapshot();
    EXPECT_FALSE(hidden.help);
    hidden.help = true;
    EXPECT_EQ(hidden, shown) << "hiding keeps the height and the calculator as they were";
    click(N::lblNum, 7);
    EXPECT_EQ(say(), "37") << "with the panel gone the key works again";

    window.ShowHelp();
    doubleClick(N::lblSay);
    EXPECT_FALSE(window.helpVisible());
    EXPECT_EQ(clientHeight(), 228);
}

TEST_F(HelpPanel, WhileShownOnlyF1Acts) {
    setClipboard(QStringLiteral("77"));
    press("12+3");
    keyUp(VK_F1);
    const WindowSnapshot shown = snapshot();
    ASSERT_TRUE(shown.help);
    for (int code = std::numeric_limits<std::int16_t>::min();
         code <= std::numeric_limits<std::int16_t>::max(); ++code) {
        if (code != VK_F1) {
            window.Form_KeyUp(static_cast<std::int16_t>(code), 1);
            ASSERT_EQ(snapshot(), shown) << "code " << code;
        }
    }
    keyUp(VK_F1);
    EXPECT_FALSE(window.helpVisible());
    keyUp(13);
    EXPECT_EQ(say(), "15");
}

}  // namespace
}  // namespace zobu::testing
