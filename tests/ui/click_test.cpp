// Mouse on the keys: each click runs its key's operation with its element index, once; the
// display and the other lines do nothing on a click. Copy and paste through the real system
// clipboard, UTF-8 both ways.
#include <gtest/gtest.h>
#include <signal.h>

#include <QProcess>
#include <vector>

#include "window_fixture.h"

namespace zobu::testing {
namespace {

using N = LabelName;

struct ClickCase {
    const char* name;
    const char* keys;
    const char* display;
    const char* history;  // lblLast afterwards
    const char* note;     // lblNext afterwards
};

// Together these click every one of the 21 keys; the history and note lines show the tags.
const std::vector<ClickCase> kClicks = {
    {"TwelvePlusThree", "12+3=", "15", "12 + 3", ""},
    {"AllDigitsAndPoint", "1234567890.", "1234567890.", "0", ""},
    {"SubtractMultiplyDivide", "9-4*6/4=", "7.5", "30 / 4", ""},
    {"Reciprocal", "4r", "0.25", "0", "1 / 4"},
    {"Negate", "5n", "-5", "0", "- 5"},
    {"DelDiscardsTheNewOperand", "12+3D", "0", "12", "3 ?"},
    {"PasteTheCopiedNumber", "8C D 2+V=", "10", "2 + 8", ""},
};

void PrintTo(const ClickCase& c, std::ostream* os) {
    *os << '"' << c.keys << '"';
}

class KeyClicks : public WindowTest, public ::testing::WithParamInterface<ClickCase> {};

TEST_P(KeyClicks, ReachTheEngineWithTheirIndex) {
    press(GetParam().keys);
    EXPECT_EQ(say(), GetParam().display);
    EXPECT_EQ(line(N::lblLast), GetParam().history);
    EXPECT_EQ(line(N::lblNext), GetParam().note);
}

INSTANTIATE_TEST_SUITE_P(Window, KeyClicks, ::testing::ValuesIn(kClicks),
                         [](const auto& row) { return std::string(row.param.name); });

using Mouse = WindowTest;

// Applied twice, the digit would be entered twice and the pending "+" would cancel itself.
TEST_F(Mouse, DoubleClickOnAKeyActsOnce) {
    doubleClick(N::lblNum, 7);
    EXPECT_EQ(say(), "7");
    doubleClick(N::lblMix, 1);
    EXPECT_EQ(line(N::lblTie), "+");
    EXPECT_EQ(window.state().intOp, 1);
}

// A right click, a press released over another key, and clicks on the lines or between the
// keys change nothing.
TEST_F(Mouse, OnlyALeftClickOnAKeyActs) {
    press("12+3");
    const WindowSnapshot before = snapshot();
    clickAt(centre(N::lblNum, 7), Qt::RightButton);
    QTest::mousePress(window.windowHandle(), Qt::LeftButton, Qt::NoModifier, centre(N::lblNum, 7));
    QTest::mouseRelease(window.windowHandle(), Qt::LeftButton, Qt::NoModifier,
                        centre(N::lblNum, 8));
    for (const QPoint& p : {centre(N::lblSay), centre(N::lblLast), centre(N::lblNext),
                            centre(N::lblTie), QPoint(5, 100), QPoint(340, 225), QPoint(90, 80)}) {
        clickAt(p);
    }
    EXPECT_EQ(snapshot(), before);
}

using SystemClipboard = WindowTest;

TEST_F(SystemClipboard, CopyPutsTheDisplayText) {
    setClipboard(QStringLiteral("stale"));
    press("4.5n C");
    EXPECT_EQ(clipboard(), QStringLiteral("-4.5"));
    EXPECT_EQ(line(N::lblNext), "复制 成功");
}

TEST_F(SystemClipboard, PasteReadsItsNumber) {
    setClipboard(QString::fromUtf8("１２３４．５"));  // full-width, as Chinese input methods type
    press("V");
    EXPECT_EQ(say(), "1234.5");
    setClipboard(QString::fromUtf8("不是数字"));
    press("V");
    EXPECT_EQ(say(), "1234.5");
    EXPECT_EQ(line(N::lblNext), "粘贴 失败 类型不匹配");
}

// On an X server (e2e.x11_clipboard runs these there): another program that takes the
// clipboard after the last event the window has seen keeps it, as X keeps the later owner,
// and one that holds it but never answers cannot be read. Neither may pass as done.
TEST_F(SystemClipboard, RefusedOrUnreadableIsReported) {
    if (QGuiApplication::platformName() != QLatin1String("xcb")) {
        GTEST_SKIP() << "needs an X server's clipboard";
    }
    // xclip takes the clipboard in a child it forks: wait, handling no event, till it holds it.
    const auto held = [](const char* text) {
        const QString check = QStringLiteral("xclip -o -selection clipboard | grep -qx ") + text;
        for (int i = 0; i < 200; ++i) {
            if (QProcess::execute(QStringLiteral("sh"), {QStringLiteral("-c"), check}) == 0) {
                return true;
            }
        }
        return false;
    };
    press("45");
    QProcess::execute(QStringLiteral("sh"),
                      {QStringLiteral("-c"), "printf other | xclip -i -selection clipboard"});
    ASSERT_TRUE(held("other"));
    keyUp(67);  // C, before the window has heard of the other program
    EXPECT_EQ(line(N::lblNext), "复制 失败 无法访问剪贴板");

    QProcess holder;
    holder.start(QStringLiteral("xclip"), {"-i", "-selection", "clipboard", "-quiet"});
    holder.write("42");
    holder.waitForBytesWritten();
    holder.closeWriteChannel();
    ASSERT_TRUE(held("42"));
    ASSERT_TRUE(QTest::qWaitFor([] { return !QGuiApplication::clipboard()->ownsClipboard(); }));
    ::kill(static_cast<pid_t>(holder.processId()), SIGSTOP);
    keyUp(86);  // V
    EXPECT_EQ(line(N::lblNext), "粘贴 失败 无法访问剪贴板");
    ::kill(static_cast<pid_t>(holder.processId()), SIGCONT);
    holder.kill();
    holder.waitForFinished();
}

}  // namespace
}  // namespace zobu::testing
