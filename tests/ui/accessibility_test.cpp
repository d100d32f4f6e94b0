// The window as a screen reader meets it through Qt's accessibility API: what each label is
// called, what it says it is, how the keys are pressed without a mouse, and which changes of
// the lines are announced.
#include <gtest/gtest.h>

#include <QtGui/private/qguiapplication_p.h>
#include <qpa/qplatformaccessibility.h>
#include <qpa/qplatformintegration.h>
#include <QAccessible>
#include <QTest>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "calc_label.h"
#include "frm_a.h"
#include "help_text.h"

namespace zobu::testing {
namespace {

using N = LabelName;

// What the assistive technology was told, with the role of the object it was told about.
struct Heard {
    QObject* object;
    QAccessible::Event type;
    QAccessible::Role role;
};

std::vector<Heard>& heard() {
    static std::vector<Heard> events;
    return events;
}

// Asks for the object's interface on every event, as a screen-reader bridge does, so that an
// interface made too early (while a label is still being built) would show in the roles.
void Listen(QAccessibleEvent* event) {
    QAccessibleInterface* iface = event->accessibleInterface();
    heard().push_back(
        {event->object(), event->type(), iface != nullptr ? iface->role() : QAccessible::NoRole});
}

QString Utf8(const char* text) {
    return QString::fromUtf8(text);
}

// Qt switches accessibility on when a screen reader connects to its platform bridge. The
// offscreen platform has no bridge, so the fixture switches it on the same way, before the
// window is made, and the window meets an assistive technology from its first label on.
class ScreenReader : public ::testing::Test {
protected:
    void SetUp() override {
        QPlatformAccessibility* platform = platformAccessibility();
        ASSERT_NE(platform, nullptr) << "this Qt platform has no accessibility";
        platform->setActive(true);
        ASSERT_TRUE(QAccessible::isActive());
        QAccessible::installUpdateHandler(&Listen);
        heard().clear();
        window = std::make_unique<frmA>();
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        heard().clear();
    }

    void TearDown() override {
        QAccessible::installUpdateHandler(nullptr);
        if (QPlatformAccessibility* platform = platformAccessibility()) {
            platform->setActive(false);
        }
        window.reset();
    }

    static QPlatformAccessibility* platformAccessibility() {
        return QGuiApplicationPrivate::platformIntegration()->accessibility();
    }

    CalcLabel& label(N name, std::int16_t index = 0) { return window->label(name, index); }

    QAccessibleInterface* iface(N name, std::int16_t index = 0) {
        return QAccessible::queryAccessibleInterface(&label(name, index));
    }

    std::string name(N line) { return iface(line)->text(QAccessible::Name).toStdString(); }

    // Presses keys through their press action: 0-9 . + - * / = as on the keypad, n "-n",
    // r "1/n", D DEL, C copy, V paste. Blanks group the keys for reading.
    void press(std::string_view keys) {
        for (const char k : keys) {
            if (k != ' ') {
                pressLabel(keyLabel(k));
            }
        }
    }

    void pressLabel(CalcLabel& key) {
        QAccessibleInterface* found = QAccessible::queryAccessibleInterface(&key);
        ASSERT_NE(found, nullptr);
        QAccessibleActionInterface* actions = found->actionInterface();
        ASSERT_NE(actions, nullptr);
        actions->doAction(QAccessibleActionInterface::pressAction());
    }

    // The announcements of a text change heard about one label since the last clear.
    std::size_t nameChanges(N line) {
        std::size_t count = 0;
        for (const Heard& event : heard()) {
            count += event.object == &label(line) && event.type == QAccessible::NameChanged;
        }
        return count;
    }

    std::unique_ptr<frmA> window;

private:
    CalcLabel& keyLabel(char k) {
        switch (k) {
            case '.':
                return label(N::lblNum, 10);
            case '=':
                return label(N::lblMix, 0);
            case '+':
                return label(N::lblMix, 1);
            case '-':
                return label(N::lblMix, 2);
            case '*':
                return label(N::lblMix, 3);
            case '/':
                return label(N::lblMix, 4);
            case 'n':
                return label(N::lblFun, 0);
            case 'r':
                return label(N::lblFun, 1);
            case 'D':
                return label(N::lblDel);
            case 'C':
                return label(N::lblCopy);
            case 'V':
                return label(N::lblPaste);
            default:
                EXPECT_TRUE(k >= '0' && k <= '9') << "unknown key " << k;
                return label(N::lblNum, static_cast<std::int16_t>(k - '0'));
        }
    }
};

// What a screen reader says of each visible label of a fresh window.
struct Spoken {
    N label;
    std::int16_t index;
    const char* name;
    const char* description;
};

const Spoken kLines[] = {
    {N::lblLast, 0, "", "历史"},
    {N::lblSay, 0, "0", "双击 伸缩窗口"},
    {N::lblTie, 0, "", "运算符"},
    {N::lblNext, 0, "", "提示"},
};

const Spoken kKeys[] = {
    {N::lblDel, 0, "DEL", "清零 连按两次 全清"},
    {N::lblNum, 7, "7", ""},
    {N::lblNum, 8, "8", ""},
    {N::lblNum, 9, "9", ""},
    {N::lblMix, 4, "/", "除"},
    {N::lblCopy, 0, "C", "复制"},
    {N::lblPaste, 0, "V", "粘贴"},
    {N::lblNum, 4, "4", ""},
    {N::lblNum, 5, "5", ""},
    {N::lblNum, 6, "6", ""},
    {N::lblMix, 3, "*", "乘"},
    {N::lblFun, 1, "1/n", "取倒数"},
    {N::lblNum, 1, "1", ""},
    {N::lblNum, 2, "2", ""},
    {N::lblNum, 3, "3", ""},
    {N::lblMix, 2, "-", "减"},
    {N::lblFun, 0, "-n", "取负数"},
    {N::lblNum, 0, "0", ""},
    {N::lblNum, 10, ".", "小数点"},
    {N::lblMix, 0, "=", "计算结果"},
    {N::lblMix, 1, "+", "加"},
};

TEST_F(ScreenReader, LinesAreStaticTextNamedByTheirText) {
    for (const Spoken& line : kLines) {
        SCOPED_TRACE(line.description);
        QAccessibleInterface* found = iface(line.label);
        ASSERT_NE(found, nullptr);
        EXPECT_EQ(found->role(), QAccessible::StaticText);
        EXPECT_EQ(found->text(QAccessible::Name), Utf8(line.name));
        EXPECT_EQ(found->text(QAccessible::Description), Utf8(line.description));
        EXPECT_FALSE(found->state().invisible);
        ASSERT_NE(found->actionInterface(), nullptr);
        EXPECT_TRUE(found->actionInterface()->actionNames().isEmpty());
    }
}

// The descriptions are for assistive technology only: the pointer still shows no tooltip
// over the history line, the mark and the note line.
TEST_F(ScreenReader, LineDescriptionsAddNoTooltips) {
    EXPECT_TRUE(label(N::lblLast).toolTip().isEmpty());
    EXPECT_TRUE(label(N::lblTie).toolTip().isEmpty());
    EXPECT_TRUE(label(N::lblNext).toolTip().isEmpty());
    EXPECT_EQ(label(N::lblSay).toolTip(), Utf8("双击 伸缩窗口"));
}

TEST_F(ScreenReader, KeysAreButtonsNamedByCaptionAndDescribedByTooltip) {
    for (const Spoken& key : kKeys) {
        SCOPED_TRACE(key.name);
        QAccessibleInterface* found = iface(key.label, key.index);
        ASSERT_NE(found, nullptr);
        EXPECT_EQ(found->role(), QAccessible::Button);
        EXPECT_EQ(found->text(QAccessible::Name), Utf8(key.name));
        EXPECT_EQ(found->text(QAccessible::Description), Utf8(key.description));
        EXPECT_FALSE(found->state().invisible);
        EXPECT_FALSE(found->state().focusable);  // the window keeps the keyboard
        ASSERT_NE(found->actionInterface(), nullptr);
        EXPECT_EQ(found->actionInterface()->actionNames(),
                  QStringList{QAccessibleActionInterface::pressAction()});
    }
}

TEST_F(ScreenReader, WindowHoldsEveryLabelAsItsChild) {
    QAccessibleInterface* frame = QAccessible::queryAccessibleInterface(window.get());
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(frame->text(QAccessible::Name), Utf8(kWindowTitle));
    EXPECT_EQ(frame->childCount(), static_cast<int>(kLabelCount));

    int buttons = 0;
    for (int i = 0; i < frame->childCount(); ++i) {
        QAccessibleInterface* child = frame->child(i);
        ASSERT_NE(child, nullptr);
        EXPECT_EQ(child->parent(), frame);
        buttons += child->role() == QAccessible::Button;
    }
    EXPECT_EQ(buttons, 21);
    for (const Spoken& key : kKeys) {
        SCOPED_TRACE(key.name);
        EXPECT_GE(frame->indexOfChild(iface(key.label, key.index)), 0);
    }
    for (const Spoken& line : kLines) {
        SCOPED_TRACE(line.description);
        EXPECT_GE(frame->indexOfChild(iface(line.label)), 0);
    }
}

struct PressCase {
    const char* name;
    const char* keys;
    const char* display;
    const char* history;
    const char* note;
};

void PrintTo(const PressCase& c, std::ostream* os) {
    *os << '"' << c.keys << '"';
}

// Together these press every one of the 21 keys.
const PressCase kPresses[] = {
    {"TwelvePlusThree", "12+3=", "15", "12 + 3", ""},
    {"AllDigitsAndPoint", "1234567890.", "1234567890.", "0", ""},
    {"SubtractMultiplyDivide", "9-4*6/4=", "7.5", "30 / 4", ""},
    {"Reciprocal", "4r", "0.25", "0", "1 / 4"},
    {"Negate", "5n", "-5", "0", "- 5"},
    {"DelDiscardsTheNewOperand", "12+3D", "0", "12", "3 ?"},
    {"CopyReportsOnTheNoteLine", "8C", "8", "0", "复制 成功"},
    {"PasteTheCopiedNumber", "8C D 2+V=", "10", "2 + 8", ""},
};

class PressAction : public ScreenReader, public ::testing::WithParamInterface<PressCase> {};

// A press runs the key's operation as a click does, and the lines' names follow the engine.
TEST_P(PressAction, RunsTheKeyAndTheLinesFollow) {
    press(GetParam().keys);
    EXPECT_EQ(name(N::lblSay), GetParam().display);
    EXPECT_EQ(name(N::lblLast), GetParam().history);
    EXPECT_EQ(name(N::lblNext), GetParam().note);
}

INSTANTIATE_TEST_SUITE_P(Window, PressAction, ::testing::ValuesIn(kPresses),
                         [](const auto& row) { return std::string(row.param.name); });

// Folded, the keypad lies below the window's edge, out of the mouse's reach; like the
// keyboard, assistive technology still reaches it.
TEST_F(ScreenReader, KeysPressWhileTheWindowIsFolded) {
    const int fullHeight = window->height();
    window->lblSay_DblClick();
    ASSERT_LT(window->height(), fullHeight);
    press("7*6=");
    EXPECT_EQ(name(N::lblSay), "42");
}

// Each write of the display is heard once, also one that leaves its text as it was, so that
// a screen reader user hears every key that acts.
TEST_F(ScreenReader, EachWriteOfTheDisplayIsHeardOnce) {
    struct Step {
        char key;
        const char* display;
    };
    const Step steps[] = {{'1', "1"}, {'2', "12"}, {'D', "0"}, {'D', "0"}};
    for (const Step& step : steps) {
        SCOPED_TRACE(step.key);
        heard().clear();
        press(std::string_view(&step.key, 1));
        EXPECT_EQ(name(N::lblSay), step.display);
        EXPECT_EQ(nameChanges(N::lblSay), 1U);
    }
}

TEST_F(ScreenReader, TheMarkAndTheHistoryAreHeardWhenTheyChange) {
    press("12");
    heard().clear();
    press("+");
    EXPECT_EQ(nameChanges(N::lblTie), 1U);
    EXPECT_EQ(name(N::lblTie), "+");
    heard().clear();
    press("3");
    EXPECT_EQ(nameChanges(N::lblLast), 1U);
    EXPECT_EQ(name(N::lblLast), "12");
}

// Every label's interface is the calculator's own, also when a reader asked for it while the
// window was being built: no label was ever taken for a plain piece of text.
TEST_F(ScreenReader, AnnouncementsComeFromTheLabelsOwnInterfaces) {
    window.reset();
    heard().clear();  // the old labels' places in memory may be taken by the new ones
    window = std::make_unique<frmA>();
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    press("5");
    std::size_t fromKeys = 0;
    for (const Heard& event : heard()) {
        for (const Spoken& key : kKeys) {
            if (event.object == &label(key.label, key.index)) {
                EXPECT_EQ(event.role, QAccessible::Button) << key.name;
                ++fromKeys;
            }
        }
    }
    EXPECT_GT(fromKeys, 0U);
}

TEST_F(ScreenReader, HiddenHelpPanelIsInvisibleAndCannotBePressed) {
    QAccessibleInterface* help = iface(N::lblHelp);
    ASSERT_NE(help, nullptr);
    EXPECT_TRUE(help->state().invisible);
    QAccessibleActionInterface* actions = help->actionInterface();
    ASSERT_NE(actions, nullptr);
    EXPECT_TRUE(actions->actionNames().isEmpty());
    actions->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_FALSE(window->helpVisible());
}

TEST_F(ScreenReader, ShownHelpPanelReadsItsTextAndAPressHidesIt) {
    window->ShowHelp();
    QAccessibleInterface* help = iface(N::lblHelp);
    ASSERT_NE(help, nullptr);
    EXPECT_FALSE(help->state().invisible);
    EXPECT_EQ(help->text(QAccessible::Name), QString::fromStdString(HelpText()));
    QAccessibleActionInterface* actions = help->actionInterface();
    ASSERT_NE(actions, nullptr);
    actions->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_FALSE(window->helpVisible());
    EXPECT_TRUE(help->state().invisible);
    EXPECT_EQ(name(N::lblSay), "0");  // the press reached no key beneath
}

}  // namespace
}  // namespace zobu::testing
