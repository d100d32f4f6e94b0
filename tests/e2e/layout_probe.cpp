// What the end-to-end tests must know of the window before they start it, printed as the layout
// table and the load step make it, in pixels at scale 1: "KEY X Y", the centre of each key of
// the keystroke language, of the display ("say") and of the note line ("last"); "height FULL
// FOLDED", the client's; "double-click MS", Qt's interval on this display.
#include <QGuiApplication>
#include <QStyleHints>
#include <cstdio>
#include <string_view>

#include "form_harness.h"
#include "window_measure.h"

int main(int argc, char* argv[]) {
    using namespace zobu;
    const auto print = [](std::string_view name, std::size_t row) {
        const LabelSpec& l = kLayout[row];
        std::printf("%.*s %g %g\n", static_cast<int>(name.size()), name.data(),
                    (l.left + l.width / 2) / kTwipsPerPixel,
                    (l.top + l.height / 2) / kTwipsPerPixel);
    };
    for (const char& c : testing::kKeystrokes) {
        print({&c, 1}, testing::KeyRow(c));
    }
    print("say", LayoutRow(LabelName::lblSay));
    print("last", LayoutRow(LabelName::lblLast));
    // The heights the load step records are the client's.
    testing::Form window(kClientHeightTwips);
    window.form.doubleClick(LayoutRow(LabelName::lblSay));
    std::printf("height %g %g\n", kClientHeightTwips / kTwipsPerPixel,
                window.height / kTwipsPerPixel);
    const QGuiApplication app(argc, argv);  // after the numbers: it takes the user's locale
    std::printf("double-click %d\n", QGuiApplication::styleHints()->mouseDoubleClickInterval());
}
