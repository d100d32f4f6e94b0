// What the end-to-end tests must know of the window before they start it, printed as the layout
// table and the load step make it, in pixels at scale 1: "KEY X Y", the centre of each key of
// the keystroke language, of the display ("say") and of the note line ("last"); "height FULL
// FOLDED", the client's; "double-click MS", Qt's interval on this display.
#include <QGuiApplication>
#include <QStyleHints>
#include <cstdio>
#include <string_view>

#include "engine_harness.h"
#include "frm_a.h"
#include "layout_table.h"
#include "window_measure.h"

namespace {

// Just enough of a window for the load step and a fold; the heights it records are the client's.
struct Sketch final : zobu::FormSurface {
    double height = zobu::kClientHeightTwips;
    void setCaption(std::size_t, std::string_view) override {}
    void moveLabel(std::size_t, const zobu::TwipRect&) override {}
    void setLabelVisible(std::size_t, bool) override {}
    double windowHeight() const override { return height; }
    void setWindowHeight(double twips) override { height = twips; }
    void beep() override {}
};

}  // namespace

int main(int argc, char* argv[]) {
    using enum zobu::LabelName;
    const auto print = [](std::string_view name, zobu::LabelName label, std::int16_t index = 0) {
        const zobu::LabelSpec& l = zobu::kLayout[zobu::LayoutRow(label, index)];
        std::printf("%.*s %g %g\n", static_cast<int>(name.size()), name.data(),
                    (l.left + l.width / 2) / zobu::kTwipsPerPixel,
                    (l.top + l.height / 2) / zobu::kTwipsPerPixel);
    };
    constexpr zobu::LabelName kGroups[] = {lblNum, lblMix, lblFun, lblDel, lblCopy, lblPaste};
    for (const char& c : zobu::testing::kKeystrokes) {
        const zobu::testing::Keystroke key = *zobu::testing::KeystrokeFor(c);
        print({&c, 1}, kGroups[static_cast<int>(key.group)], key.index);
    }
    print("say", lblSay);
    print("last", lblLast);
    Sketch window;
    zobu::testing::FakeClipboard clipboard;
    zobu::frmA form(window, clipboard);
    form.Form_Load();
    form.doubleClick(zobu::LayoutRow(lblSay));
    std::printf("height %g %g\n", zobu::kClientHeightTwips / zobu::kTwipsPerPixel,
                window.height / zobu::kTwipsPerPixel);
    const QGuiApplication app(argc, argv);  // after the numbers: it takes the user's locale
    std::printf("double-click %d\n", QGuiApplication::styleHints()->mouseDoubleClickInterval());
}
