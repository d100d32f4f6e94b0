// Presses and releases paired into clicks and double-clicks, as both programs pair them.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>

#include "click_pairing.h"
#include "layout_table.h"

namespace zobu::testing {
namespace {

using Row = ClickPairing::Row;

// Labels by a letter: 7, 8, s the display, - none.
const std::map<char, Row> kLabels = {{'7', LayoutRow(LabelName::lblNum, 7)},
                                     {'8', LayoutRow(LabelName::lblNum, 8)},
                                     {'s', LayoutRow(LabelName::lblSay)},
                                     {'-', std::nullopt}};

struct PairingRow {
    const char* note;
    // Each step a letter and a label: p a press, q the second press of a quick pair, r a
    // release, x the mouse taken away.
    std::string steps;
    // For each step, the label it clicked (a release) or double-clicked (a press), or "-".
    std::string results;
};

// clang-format off
const PairingRow kPairingRows[] = {
    {.note = "the mouse taken away while pressed", .steps = "p7 x- r7", .results = "---"},
    {.note = "a quick pair on one label", .steps = "ps rs qs rs", .results = "-ss-"},
    {.note = "a quick pair on two labels", .steps = "p7 r7 q8 r8", .results = "-7--"},
    {.note = "a quick pair whose first press was no click", .steps = "ps r- qs rs", .results = "----"},
    {.note = "a click, a press beside, a quick press back", .steps = "ps rs p- qs", .results = "-s--"},
};
// clang-format on

TEST(ClickPairing, ClicksAndDoubleClicks) {
    for (const PairingRow& row : kPairingRows) {
        ClickPairing pairing;
        std::string results;
        for (std::size_t at = 0; at < row.steps.size(); at += 3) {
            const char step = row.steps[at];
            const Row label = kLabels.at(row.steps[at + 1]);
            if (step == 'x') {
                pairing.cancel();
            }
            const Row result = step == 'r'   ? pairing.release(label)
                               : step == 'x' ? std::nullopt
                                             : pairing.press(label, step == 'q');
            results +=
                std::ranges::find(kLabels, result, &decltype(kLabels)::value_type::second)->first;
        }
        EXPECT_EQ(results, row.results) << row.note;
    }
}

}  // namespace
}  // namespace zobu::testing
