// The help panel on the Qt window: its caption as shown, fitting the panel, and while it is
// shown it lies over every key, so a click reaches it alone.
#include <gtest/gtest.h>

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
    const QRect needed =
        help.fontMetrics().boundingRect(help.contentsRect(), Qt::AlignTop | Qt::AlignLeft, caption);
    EXPECT_LE(needed.width(), help.contentsRect().width());
    EXPECT_LE(needed.height(), help.contentsRect().height());
}

// The "7" key lies under the panel; a click there hides the panel and reaches nothing else.
// A double-click over the display must not fold the window through it either.
TEST_F(HelpPanel, ClickHidesItAndReachesNoKey) {
    press("12+3");
    keyUp(kKeyF1);
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

    keyUp(kKeyF1);
    doubleClick(N::lblSay);
    EXPECT_FALSE(helpShown());
    EXPECT_EQ(clientHeight(), 228);
}

}  // namespace
}  // namespace zobu::testing
