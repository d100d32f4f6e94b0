// The window under Qt's offscreen platform, driven through its labels and keys: only what the
// layout data cannot say by itself. One QApplication for the run, made by main() below.
#include <gtest/gtest.h>
#include <signal.h>

#include <QtGui/private/qguiapplication_p.h>
#include <qpa/qplatformaccessibility.h>
#include <qpa/qplatformintegration.h>
#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QFontInfo>
#include <QProcess>
#include <QTest>
#include <algorithm>
#include <cstdlib>
#include <vector>

#include "calc_label.h"
#include "engine_harness.h"
#include "form_window.h"
#include "window_measure.h"

namespace zobu::testing {
namespace {

using N = LabelName;

CalcLabel& labelOf(FormWindow& window, Keystroke key) {
    constexpr N kNames[] = {N::lblNum, N::lblMix, N::lblFun, N::lblDel, N::lblCopy, N::lblPaste};
    return window.label(kNames[static_cast<int>(key.group)], key.index);
}

std::vector<std::string> linesOf(FormWindow& w) {
    std::vector<std::string> lines;
    for (const N name : {N::lblSay, N::lblTie, N::lblLast, N::lblNext}) {
        lines.push_back(w.label(name).text().toStdString());
    }
    lines.push_back(std::to_string(w.label(N::lblTie).x()));
    return lines;
}

class Window : public ::testing::Test {
protected:
    void SetUp() override {
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    }
    std::string text(N name) { return window.label(name).text().toStdString(); }
    QPoint centre(const CalcLabel& l) { return l.geometry().center(); }
    void click(QPoint at) { QTest::mouseClick(window.windowHandle(), Qt::LeftButton, {}, at); }
    void doubleClick(QPoint at) {
        QTest::mouseDClick(window.windowHandle(), Qt::LeftButton, {}, at);
    }
    void key(Qt::Key key) { QTest::keyClick(&window, key); }
    bool helpShown() const { return !window.label(N::lblHelp).isHidden(); }
    void press(std::string_view keys) {
        for (const char k : keys) {
            click(centre(labelOf(window, *KeystrokeFor(k))));
        }
    }
    // Everything a key can change; equal snapshots prove that nothing happened.
    std::vector<std::string> snapshot() {
        std::vector<std::string> all = linesOf(window);
        all.insert(all.end(), {std::to_string(window.height()), std::to_string(helpShown()),
                               QGuiApplication::clipboard()->text().toStdString()});
        return all;
    }

    FormWindow window;
};

// The longest number fits the display and is copied as shown; folding keeps the display rows and
// puts the keypad out of reach; Space folds as the double-click does.
TEST_F(Window, LongestNumberFitsAndFolding) {
    QGuiApplication::clipboard()->setText(QStringLiteral("-1.23456789012346e-300"));
    press("V");
    const CalcLabel& say = window.label(N::lblSay);
    ASSERT_EQ(text(N::lblSay), "-1.23456789012346E-300");
    press("C");
    EXPECT_EQ(QGuiApplication::clipboard()->text().toStdString(), text(N::lblSay));
    const int room = say.contentsRect().width() - say.indent();
    EXPECT_LE(say.fontMetrics().horizontalAdvance(say.text()), room);
    QFont larger = say.font();  // shrunk only as far as the longest number needs
    larger.setPointSizeF(larger.pointSizeF() + 0.25);
    EXPECT_TRUE(say.font().pointSizeF() == FontPoints(FontRole::Display) ||
                QFontMetricsF(larger).horizontalAdvance(say.text()) > room);

    // Folded, the client area loses the note line's distance to the "0" key, and 300 more.
    const double cut = kLayout[LayoutRow(N::lblNum, 0)].top - kLayout[LayoutRow(N::lblNext)].top;
    const int full = TwipsToPixels(kClientHeightTwips);
    const int folded = TwipsToPixels(kClientHeightTwips - cut - 300);
    doubleClick(centre(say));
    EXPECT_EQ(window.size(), QSize(TwipsToPixels(kClientWidthTwips), folded));
    EXPECT_LE(window.label(N::lblNext).geometry().bottom(), window.height() - 1);
    EXPECT_GE(window.label(N::lblDel).geometry().top(), window.height());
    key(Qt::Key_Space);
    EXPECT_EQ(window.height(), full);
    key(Qt::Key_Space);
    EXPECT_EQ(window.height(), folded);
}

// Keys of one row share their top and height, keys of one column their left and width; no two
// labels overlap; the help panel covers them all; only keys and the display have a border.
TEST_F(Window, KeypadIsAGridAndTheHelpPanelCoversIt) {
    const QList<CalcLabel*> all = window.findChildren<CalcLabel*>();
    const CalcLabel& help = window.label(N::lblHelp);
    for (const CalcLabel* a : all) {
        for (const CalcLabel* b : all) {
            if (a == b || a == &help || b == &help) {
                continue;
            }
            EXPECT_FALSE(a->geometry().intersects(b->geometry()))
                << a->text().toStdString() << " / " << b->text().toStdString();
            // Edges within 100 twips of each other (less a pixel's rounding) are one edge of the
            // grid: top, bottom, left, right.
            const auto edges = [](const CalcLabel* l) {
                const QRect g = l->geometry();
                return std::array{g.top(), g.bottom(), g.left(), g.right()};
            };
            for (std::size_t e = 0; e < 4 && a->clickable() && b->clickable(); ++e) {
                EXPECT_TRUE(std::abs(edges(a)[e] - edges(b)[e]) >= 100 / kTwipsPerPixel - 1 ||
                            edges(a)[e] == edges(b)[e])
                    << a->text().toStdString() << " / " << b->text().toStdString() << " edge " << e;
            }
        }
        EXPECT_EQ(a->frameShape() == QFrame::Box, a->row().key || a->row().name == N::lblSay)
            << a->text().toStdString();
        EXPECT_TRUE(help.geometry().contains(a->geometry()) || a == &help)
            << a->text().toStdString();
    }
    EXPECT_TRUE(help.autoFillBackground()) << "the shown panel hides what lies beneath";
    const QRect say = window.label(N::lblSay).geometry();
    EXPECT_EQ(window.label(N::lblTie).x(), say.x() + say.width()) << "the mark is flush after it";
}

// All thirteen lines of the help text show inside the panel, whichever Chinese face the
// desktop has (the fonts.* tests run this with each face alone and all together, at 100 % and
// 200 %, and name the face and size the panel must have, so that no stand-in face passes).
TEST_F(Window, HelpPanelHoldsTheThirteenLines) {
    key(Qt::Key_F1);
    const CalcLabel& help = window.label(N::lblHelp);
    const QString face =
        QFontInfo(help.font()).family() + u' ' + QString::number(help.font().pointSizeF());
    EXPECT_EQ(face.toStdString(), qEnvironmentVariable("ZOBU_HELP_FACE", face).toStdString());
    const QRect needed = help.fontMetrics().boundingRect(help.contentsRect(),
                                                         Qt::AlignTop | Qt::AlignLeft, help.text());
    EXPECT_EQ(help.text().split(QStringLiteral("\r\n")).size(), 13);
    EXPECT_LE(needed.width(), help.contentsRect().width());
    EXPECT_LE(needed.height(), help.contentsRect().height());
}

// On an X server (the e2e.x11_clipboard test runs it there): a program that takes the clipboard
// after the last event the window has seen keeps it, as X keeps the later owner, and one that
// holds it but never answers cannot be read. Neither may pass as done.
TEST_F(Window, RefusedOrUnreadableClipboardIsReported) {
    if (QGuiApplication::platformName() != QLatin1String("xcb")) {
        GTEST_SKIP() << "needs an X server's clipboard";
    }
    const auto held = [](const char* text) {  // xclip forks; wait, handling no event
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
    key(Qt::Key_C);  // before the window has heard of the other program
    EXPECT_EQ(text(N::lblNext), "复制 失败 无法访问剪贴板");

    QProcess holder;
    holder.start(QStringLiteral("xclip"), {"-i", "-selection", "clipboard", "-quiet"});
    holder.write("42"), holder.waitForBytesWritten(), holder.closeWriteChannel();
    ASSERT_TRUE(held("42"));
    ::kill(static_cast<pid_t>(holder.processId()), SIGSTOP);
    key(Qt::Key_V);
    EXPECT_EQ(text(N::lblNext), "粘贴 失败 无法访问剪贴板");
    ::kill(static_cast<pid_t>(holder.processId()), SIGCONT);
    holder.kill(), holder.waitForFinished();
}

// F1 over a folded window unfolds it; while shown, the panel takes the mouse: a click hides it
// and reaches nothing beneath, a double-click over the display does not fold the window.
TEST_F(Window, HelpPanelHoldsTheMouseAndTheKeyboard) {
    press("12+3");
    doubleClick(centre(window.label(N::lblSay)));
    ASSERT_TRUE(window.windowTitle().contains(QStringLiteral("F1"))) << "the title names the key";
    key(Qt::Key_F1);
    EXPECT_TRUE(window.label(N::lblHelp).isVisible());
    std::vector<std::string> shown = snapshot();
    EXPECT_EQ(shown[5], std::to_string(TwipsToPixels(kClientHeightTwips)));
    click(QPoint(345, 226));  // the margin around the panel
    EXPECT_EQ(snapshot(), shown);
    press("7");
    shown[6] = "0";
    EXPECT_EQ(snapshot(), shown) << "hiding keeps the height and the calculator";
    doubleClick(centre(window.label(N::lblNum, 7)));
    EXPECT_EQ(text(N::lblSay), "37") << "a quick double-click on a key acts once";
    key(Qt::Key_F1);
    doubleClick(centre(window.label(N::lblSay)));
    EXPECT_FALSE(helpShown());
    EXPECT_EQ(window.height(), TwipsToPixels(kClientHeightTwips));
}

std::vector<QAccessible::Event> heard;

// As a screen reader meets the window: keys are buttons named by their caption, described by
// their tooltip, with a press action that runs them also on the folded window; lines are
// static text. Each write of the display is heard once. Qt switches accessibility on when a
// reader connects; the offscreen platform has no bridge, so the test switches it on itself.
TEST(ScreenReader, NamesRolesPressActionsAndAnnouncements) {
    QPlatformAccessibility* bridge = QGuiApplicationPrivate::platformIntegration()->accessibility();
    ASSERT_NE(bridge, nullptr);
    bridge->setActive(true);
    QAccessible::installUpdateHandler([](QAccessibleEvent* event) {
        static_cast<void>(event->accessibleInterface());  // as a bridge asks, even mid-build
        if (event->object()->property("zobuSay").toBool()) {
            heard.push_back(event->type());
        }
    });
    {
        FormWindow window;
        window.show();
        window.label(N::lblSay).setProperty("zobuSay", true);
        QTest::keyClick(&window, Qt::Key_Space);
        EngineHarness engine;
        for (const LabelSpec& row : kLayout) {
            QAccessibleInterface* a =
                QAccessible::queryAccessibleInterface(&window.label(row.name, row.index));
            ASSERT_NE(a, nullptr);
            EXPECT_EQ(a->text(QAccessible::Name), window.label(row.name, row.index).text());
            const bool key = row.key;
            EXPECT_EQ(a->actionInterface()->actionNames().isEmpty(), !key) << row.caption;
            EXPECT_EQ(a->role(), key ? QAccessible::Button : QAccessible::StaticText)
                << row.caption;
            if (!key) {
                continue;
            }
            EXPECT_EQ(a->text(QAccessible::Description).toStdString(), row.tooltip);
            heard.clear();
            const int writes = engine.display.displayWrites;
            a->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
            engine.press(KeystrokeOfCaption(row.caption));
            EXPECT_EQ(window.label(N::lblSay).text().toStdString(), engine.display.lines[0])
                << row.caption;
            EXPECT_EQ(std::count(heard.begin(), heard.end(), QAccessible::NameChanged),
                      engine.display.displayWrites - writes)
                << row.caption;
        }
        QTest::keyClick(&window, Qt::Key_F1);
        EXPECT_TRUE(QAccessible::queryAccessibleInterface(&window.label(N::lblNum, 7))
                        ->actionInterface()
                        ->actionNames()
                        .isEmpty())
            << "a key beneath the shown panel cannot be pressed";
        QAccessible::queryAccessibleInterface(&window.label(N::lblHelp))
            ->actionInterface()
            ->doAction(QAccessibleActionInterface::pressAction());
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
    return RUN_ALL_TESTS();
}
