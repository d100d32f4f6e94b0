// The window as a screen reader meets it through Qt's accessibility API: what each label is
// called and says it is, how the keys are pressed without a mouse, and which writes of the
// lines are announced.
#include <gtest/gtest.h>

#include <QtGui/private/qguiapplication_p.h>
#include <qpa/qplatformaccessibility.h>
#include <qpa/qplatformintegration.h>
#include <QAccessible>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "key_map.h"
#include "window_fixture.h"

namespace zobu::testing {
namespace {

using N = LabelName;

// What the assistive technology was told.
struct Heard {
    QObject* object;
    QAccessible::Event type;
};

std::vector<Heard>& heard() {
    static std::vector<Heard> events;
    return events;
}

// Asks for the object's interface on every event, as a screen-reader bridge does, so that an
// interface made too early (while a label is still being built) would be the one kept.
void Listen(QAccessibleEvent* event) {
    static_cast<void>(event->accessibleInterface());
    heard().push_back({event->object(), event->type()});
}

QPlatformAccessibility* platformAccessibility() {
    return QGuiApplicationPrivate::platformIntegration()->accessibility();
}

// Qt switches accessibility on when a screen reader connects to its platform bridge. The
// offscreen platform has no bridge, so the fixture switches it on the same way, before the
// window is made, and the window meets an assistive technology from its first label on.
class ScreenReader : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(platformAccessibility(), nullptr) << "this Qt platform has no accessibility";
        platformAccessibility()->setActive(true);
        ASSERT_TRUE(QAccessible::isActive());
        QAccessible::installUpdateHandler(&Listen);
        heard().clear();
        window = std::make_unique<FormWindow>();
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        heard().clear();
    }

    void TearDown() override {
        QAccessible::installUpdateHandler(nullptr);
        platformAccessibility()->setActive(false);
        window.reset();
    }

    CalcLabel& label(N name, std::int16_t index = 0) { return window->label(name, index); }
    QAccessibleInterface* iface(N name, std::int16_t index = 0) {
        return QAccessible::queryAccessibleInterface(&label(name, index));
    }
    std::string name(N line) { return iface(line)->text(QAccessible::Name).toStdString(); }

    // Presses keys through their press action; keys by caption as for clicks.
    void press(std::string_view keys) {
        for (const char k : keys) {
            QAccessibleActionInterface* actions =
                iface(KeyFor(k).name, KeyFor(k).index)->actionInterface();
            ASSERT_NE(actions, nullptr);
            actions->doAction(QAccessibleActionInterface::pressAction());
        }
    }

    std::size_t nameChanges(N line) {
        std::size_t count = 0;
        for (const Heard& event : heard()) {
            count += event.object == &label(line) && event.type == QAccessible::NameChanged;
        }
        return count;
    }

    std::unique_ptr<FormWindow> window;
};

// Keys are buttons named by their caption and described by their tooltip, with a press
// action; the lines are static text named by their text and described by what they are.
// The listener asked for every interface while the window was being built, so an interface
// made too early, before its label was a CalcLabel, would show here in its role. The help
// panel's name is its text.
TEST_F(ScreenReader, LabelsHaveTheirRolesNamesAndDescriptions) {
    QAccessibleInterface* frame = QAccessible::queryAccessibleInterface(window.get());
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(frame->text(QAccessible::Name), QString::fromUtf8(kWindowTitle));
    ASSERT_EQ(frame->childCount(), static_cast<int>(kLabelCount));
    const std::map<N, const char*> lines = {{N::lblLast, "历史"},
                                            {N::lblSay, "双击 伸缩窗口"},
                                            {N::lblTie, "运算符"},
                                            {N::lblNext, "提示"}};
    int buttons = 0;
    for (const LabelSpec& row : kLayout) {
        const CalcLabel& l = label(row.name, row.index);
        QAccessibleInterface* found = frame->child(frame->indexOfChild(iface(row.name, row.index)));
        ASSERT_NE(found, nullptr) << row.caption;
        EXPECT_EQ(found->parent(), frame);
        EXPECT_EQ(found->text(QAccessible::Name), l.text());
        ASSERT_NE(found->actionInterface(), nullptr);
        if (row.name == N::lblHelp) {
            continue;
        }
        EXPECT_FALSE(found->state().invisible);
        const auto line = lines.find(row.name);
        if (line == lines.end()) {
            ++buttons;
            EXPECT_EQ(found->role(), QAccessible::Button) << row.caption;
            EXPECT_FALSE(found->state().focusable) << "the window keeps the keyboard";
            EXPECT_EQ(found->text(QAccessible::Description), l.toolTip());
            EXPECT_EQ(found->actionInterface()->actionNames(),
                      QStringList{QAccessibleActionInterface::pressAction()});
        } else {
            EXPECT_EQ(found->role(), QAccessible::StaticText) << line->second;
            EXPECT_EQ(found->text(QAccessible::Description), QString::fromUtf8(line->second));
            EXPECT_TRUE(found->actionInterface()->actionNames().isEmpty());
        }
    }
    EXPECT_EQ(buttons, 21);
}

// A press runs the key as a click does, also while the window is folded and the keypad lies
// out of the mouse's reach. Each write of the display is heard once, also one that leaves its
// text as it was, so that a screen reader user hears every key that acts.
TEST_F(ScreenReader, PressActionRunsTheKeyAndEachDisplayWriteIsHeard) {
    window->form().Form_KeyUp(32, 0);  // Space folds
    ASSERT_EQ(window->height(), 69);
    for (const auto& [key, display] : std::vector<std::pair<char, const char*>>{{'1', "1"},
                                                                                {'2', "12"},
                                                                                {'D', "0"},
                                                                                {'D', "0"},
                                                                                {'9', "9"},
                                                                                {'-', "9"},
                                                                                {'4', "4"},
                                                                                {'*', "5"},
                                                                                {'6', "6"},
                                                                                {'/', "30"},
                                                                                {'4', "4"},
                                                                                {'=', "7.5"}}) {
        SCOPED_TRACE(key);
        heard().clear();
        press(std::string_view(&key, 1));
        EXPECT_EQ(name(N::lblSay), display);
        EXPECT_EQ(nameChanges(N::lblSay), 1U);
    }
    EXPECT_EQ(name(N::lblLast), "30 / 4");
    heard().clear();
    press("1+");
    EXPECT_EQ(nameChanges(N::lblTie), 1U) << "the mark is heard when it changes";
}

TEST_F(ScreenReader, HelpPanelIsInvisibleUntilShownAndAPressHidesIt) {
    QAccessibleInterface* help = iface(N::lblHelp);
    ASSERT_NE(help, nullptr);
    EXPECT_TRUE(help->state().invisible);
    QAccessibleActionInterface* actions = help->actionInterface();
    ASSERT_NE(actions, nullptr);
    EXPECT_TRUE(actions->actionNames().isEmpty());
    window->form().Form_KeyUp(kKeyF1, 0);
    EXPECT_FALSE(help->state().invisible);
    press("7");
    EXPECT_EQ(name(N::lblSay), "0") << "a key beneath the shown panel cannot be pressed";
    actions->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_TRUE(label(N::lblHelp).isHidden());
    EXPECT_TRUE(help->state().invisible);
    EXPECT_EQ(name(N::lblSay), "0") << "the press reached no key beneath";
}

}  // namespace
}  // namespace zobu::testing
