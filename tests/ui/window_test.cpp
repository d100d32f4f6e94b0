// The window under Qt's offscreen platform: only what the layout data and the window's behaviour
// without a toolkit cannot say by themselves. One QApplication for the run, made by main() below.
#include <gtest/gtest.h>

#include <QtGui/private/qguiapplication_p.h>
#include <qpa/qplatformaccessibility.h>
#include <qpa/qplatformintegration.h>
#include <signal.h>
#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QFontInfo>
#include <QMimeData>
#include <QProcess>
#include <QTest>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "calc_label.h"
#include "form_window.h"

namespace zobu::testing {
namespace {

using N = LabelName;

class Window : public ::testing::Test {
protected:
    void SetUp() override {
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    }
    std::string text(N name) { return window.label(name).text().toStdString(); }
    void key(Qt::Key key) { QTest::keyClick(&window, key); }

    FormWindow window;
};

// As the window lays the labels out: no two overlap, the help panel covers them all and is the
// only one hidden, only keys and the display have a border, the mark sits flush after the display
// and the number ends at the display's right edge; each in a plain style. A right-click is no
// click, a copy off X stands, an empty clipboard pastes no number, and Space folds the window.
TEST_F(Window, LabelsLieApartUnderTheHelpPanel) {
    const QList<CalcLabel*> all = window.findChildren<CalcLabel*>();
    const CalcLabel& help = window.label(N::lblHelp);
    for (const CalcLabel* a : all) {
        const QRect g = a->geometry();
        SCOPED_TRACE(a->text().toStdString());
        EXPECT_TRUE(help.geometry().contains(g));
        EXPECT_EQ(a->frameShape() == QFrame::Box, a->row().key || a->row().name == N::lblSay);
        EXPECT_EQ(a->toolTip().toStdString(), a->row().tooltip);
        const QFont f = a->font();  // plain under main()'s desktop font; the panel's comes at F1
        EXPECT_TRUE(a == &help || !(f.bold() || f.italic() || f.underline() || f.strikeOut()));
        EXPECT_EQ(a->isVisibleTo(&window), a != &help);
        for (const CalcLabel* b : all) {
            if (a == b || a == &help || b == &help) {
                continue;
            }
            EXPECT_FALSE(g.intersects(b->geometry())) << b->text().toStdString();
        }
    }
    EXPECT_TRUE(help.autoFillBackground()) << "the shown panel hides what lies beneath";
    EXPECT_FALSE(window.windowIcon().isNull());
    const QRect say = window.label(N::lblSay).geometry();
    EXPECT_EQ(window.label(N::lblTie).x(), say.x() + say.width()) << "the mark is flush after it";
    EXPECT_EQ(window.label(N::lblSay).alignment(), Qt::AlignTop | Qt::AlignRight);
    QTest::mouseClick(&window.label(N::lblNum, 7), Qt::RightButton);  // only the left button clicks
    EXPECT_EQ(text(N::lblSay), "0");
    key(Qt::Key_C);  // where X cannot tell who holds the clipboard, a copy stands
    EXPECT_EQ(text(N::lblNext), "复制 成功");
    QGuiApplication::clipboard()->setMimeData(new QMimeData);  // empty, and no other's
    key(Qt::Key_V);
    EXPECT_EQ(text(N::lblNext), "粘贴 失败 类型不匹配");
    const int full = window.height();
    key(Qt::Key_Space);
    EXPECT_LT(window.height(), full) << "Space folds the window";
}

// All thirteen lines of the help text show inside the panel, in the face and size that the run
// names: each run sees only the fonts it names (one Chinese face, or several) and expects the
// face the window must choose from them, so that no stand-in face passes. The longest number
// fits the display in whichever face stands in for its own.
TEST_F(Window, HelpAndLongestNumberFit) {
    QGuiApplication::clipboard()->setText(QStringLiteral("-1.23456789012346e-300"));
    key(Qt::Key_V);
    const CalcLabel& say = window.label(N::lblSay);
    ASSERT_EQ(text(N::lblSay), "-1.23456789012346E-300");
    const int room = say.contentsRect().width() - say.indent();
    QFont larger = say.font();  // where it was shrunk, a quarter point more would not fit
    larger.setPointSizeF(larger.pointSizeF() + 0.25);
    EXPECT_LE(say.fontMetrics().horizontalAdvance(say.text()), room);
    EXPECT_TRUE(larger.pointSizeF() > FontPoints(FontRole::Display) ||
                QFontMetricsF(larger).horizontalAdvance(say.text()) > room);
    key(Qt::Key_F1);
    const CalcLabel& help = window.label(N::lblHelp);
    const QString face =
        QFontInfo(help.font()).family() + u' ' + QString::number(help.font().pointSizeF());
    EXPECT_EQ(face.toStdString(), qEnvironmentVariable("ZOBU_HELP_FACE").toStdString());
    const QRect needed = help.fontMetrics().boundingRect(help.contentsRect(),
                                                         Qt::AlignTop | Qt::AlignLeft, help.text());
    EXPECT_EQ(help.text().split(QStringLiteral("\r\n")).size(), 13);
    EXPECT_LE(needed.width(), help.contentsRect().width());
    EXPECT_LE(needed.height(), help.contentsRect().height());
}

// On an X server (the window.x11_clipboard test runs it there): a program that takes the clipboard
// after the last event the window has seen keeps it, as X keeps the later owner. A copy that X
// refused may not pass as done; a paste from a holder that never answers (stopped) is no paste
// of text that is not a number.
TEST_F(Window, UnreachableClipboardIsReported) {
    QTest::keyClicks(&window, QStringLiteral("45"));
    qint64 other = 0;  // holds the clipboard until another program takes it
    QProcess::startDetached(QStringLiteral("sh"),
                            {"-c", "exec xclip -i -selection clipboard -quiet <<E\nother\nE"}, {},
                            &other);
    const QStringList holds{QStringLiteral("-c"), "xclip -o -selection clipboard | grep -qx other"};
    for (int tries = 0; QProcess::execute(QStringLiteral("sh"), holds) != 0; ++tries) {
        ASSERT_LT(tries, 200) << "xclip holds the clipboard soon after it starts";
    }
    key(Qt::Key_C);  // before the window has heard of the other program
    EXPECT_EQ(text(N::lblNext), "复制 失败 无法访问剪贴板");
    kill(static_cast<pid_t>(other), SIGSTOP);
    key(Qt::Key_V);
    EXPECT_EQ(text(N::lblNext), "粘贴 失败 无法访问剪贴板");
    kill(static_cast<pid_t>(other), SIGKILL);
}

std::vector<std::string> heard;  // the display's text at each announcement of it

// As a screen reader meets the window: keys are buttons named by their caption, described by
// their tooltip, with a press action spoken "按下" that runs them also on the folded window;
// lines are static text that say what they are. Each write of the display is heard, also one
// that leaves its text as it was. Qt switches accessibility on when a reader connects; the
// offscreen platform has no bridge, so the test switches it on itself.
TEST(ScreenReader, NamesRolesPressActionsAndAnnouncements) {
    QPlatformAccessibility* bridge = QGuiApplicationPrivate::platformIntegration()->accessibility();
    ASSERT_NE(bridge, nullptr);
    bridge->setActive(true);
    QAccessible::installUpdateHandler([](QAccessibleEvent* event) {
        QAccessibleInterface* a = event->accessibleInterface();  // as a bridge asks, even mid-build
        if (event->object()->property("zobuSay").toBool() &&
            event->type() == QAccessible::NameChanged) {
            heard.push_back(a->text(QAccessible::Name).toStdString());
        }
    });
    const std::map<N, std::string> lineWords = {
        {N::lblLast, "历史"}, {N::lblNext, "提示"}, {N::lblTie, "运算符"}};
    {
        FormWindow window;
        window.show();
        window.label(N::lblSay).setProperty("zobuSay", true);
        QTest::keyClick(&window, Qt::Key_Space);
        const auto actions = [&](N name, std::int16_t index = 0) {
            return QAccessible::queryAccessibleInterface(&window.label(name, index))
                ->actionInterface();
        };
        for (const LabelSpec& row : kLayout) {
            SCOPED_TRACE(row.caption);
            QAccessibleInterface* a =
                QAccessible::queryAccessibleInterface(&window.label(row.name, row.index));
            ASSERT_NE(a, nullptr);
            EXPECT_EQ(a->text(QAccessible::Name), window.label(row.name, row.index).text());
            EXPECT_EQ(a->actionInterface()->actionNames().isEmpty(), !row.key);
            EXPECT_EQ(a->role(), row.key ? QAccessible::Button : QAccessible::StaticText);
            const auto word = lineWords.find(row.name);
            EXPECT_EQ(a->text(QAccessible::Description).toStdString(),
                      word != lineWords.end() ? word->second : row.tooltip);
        }
        const QString press = QAccessibleActionInterface::pressAction();
        EXPECT_EQ(actions(N::lblDel)->localizedActionName(press).toStdString(), "按下");
        EXPECT_EQ(actions(N::lblDel)->localizedActionDescription(press).toStdString(), "按下");
        // 2 + 2 = writes the display four times, each heard once: "2", "2" again, "2", "4".
        const std::pair<N, std::int16_t> twoPlusTwo[] = {
            {N::lblNum, 2}, {N::lblMix, 1}, {N::lblNum, 2}, {N::lblMix, 0}};
        heard.clear();
        for (const auto& [name, index] : twoPlusTwo) {
            actions(name, index)->doAction(QAccessibleActionInterface::pressAction());
            QCoreApplication::processEvents();  // the press runs once the reader's call is over
        }
        EXPECT_EQ(heard, (std::vector<std::string>{"2", "2", "2", "4"}));
        QTest::keyClick(&window, Qt::Key_F1);
        EXPECT_TRUE(actions(N::lblNum, 7)->actionNames().isEmpty())
            << "a key beneath the shown panel cannot be pressed";
        actions(N::lblHelp)->doAction(QAccessibleActionInterface::pressAction());
        QCoreApplication::processEvents();
        EXPECT_TRUE(window.label(N::lblHelp).isHidden());
    }
    QAccessible::installUpdateHandler(nullptr);
    bridge->setActive(false);
}

}  // namespace
}  // namespace zobu::testing

int main(int argc, char* argv[]) {
    testing::InitGoogleTest(&argc, argv);
    if (GTEST_FLAG_GET(list_tests)) {
        return RUN_ALL_TESTS();  // listing needs no display
    }
    QApplication app(argc, argv);
    // A desktop's font in every style a label must not take from it.
    QFont desktop(QStringLiteral("DejaVu Sans"), 12, QFont::Bold, true);
    desktop.setUnderline(true);
    desktop.setStrikeOut(true);
    QApplication::setFont(desktop);
    return RUN_ALL_TESTS();
}
