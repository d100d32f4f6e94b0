// Copy and paste through the real system clipboard, and the display-line adapter's texts.
#include <gtest/gtest.h>

#include <QClipboard>
#include <QGuiApplication>

#include "label_lines.h"
#include "qt_clipboard.h"
#include "window_fixture.h"

namespace zobu::testing {
namespace {

using N = LabelName;
using SystemClipboard = WindowTest;

TEST_F(SystemClipboard, CopyPutsTheDisplayText) {
    QGuiApplication::clipboard()->setText(QStringLiteral("stale"));
    press("4.5n");
    press("C");
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("-4.5"));
    EXPECT_EQ(line(N::lblNext), "复制 成功");
}

TEST_F(SystemClipboard, PasteReadsItsNumber) {
    QGuiApplication::clipboard()->setText(QStringLiteral("1234.5"));
    press("V");
    EXPECT_EQ(say(), "1234.5");
    QGuiApplication::clipboard()->setText(QString::fromUtf8("不是数字"));
    press("V");
    EXPECT_EQ(say(), "1234.5");
    EXPECT_EQ(line(N::lblNext).rfind("粘贴 失败 ", 0), 0u) << line(N::lblNext);
}

TEST(QtClipboardAdapter, RoundTripsUtf8AndClears) {
    QtClipboard clipboard;
    clipboard.ClipboardPutText("计算 -1.5E+20");
    EXPECT_EQ(clipboard.ClipboardGetText(), "计算 -1.5E+20");
    clipboard.ClipboardClear();
    EXPECT_EQ(clipboard.ClipboardGetText(), "");
}

using DisplayAdapter = WindowTest;

TEST_F(DisplayAdapter, MarkMovesSidewaysOnly) {
    const QRect before = label(N::lblTie).geometry();
    press("5");  // a new operand moves the mark before the display
    const QRect after = label(N::lblTie).geometry();
    EXPECT_EQ(after.left(), 3);
    EXPECT_EQ(after.right(), label(N::lblSay).geometry().left() - 1);
    EXPECT_EQ(after.top(), before.top());
    EXPECT_EQ(after.size(), before.size());
    EXPECT_EQ(label(N::lblTie).twipLeft(), 50);
}

}  // namespace
}  // namespace zobu::testing
