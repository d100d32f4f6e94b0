// Presses and releases paired into clicks and double-clicks, as both programs pair them.
#include <gtest/gtest.h>

#include <vector>

#include "click_pairing.h"
#include "layout_table.h"

namespace zobu::testing {
namespace {

using Row = ClickPairing::Row;
const Row kSeven = LayoutRow(LabelName::lblNum, 7), kEight = LayoutRow(LabelName::lblNum, 8);
const Row kSay = LayoutRow(LabelName::lblSay), kHelp = LayoutRow(LabelName::lblHelp);

enum class Step { Press, SecondPress, Release, Cancel };

struct MouseStep {
    Step step;
    Row row;
};

struct PairingRow {
    const char* note;
    std::vector<MouseStep> steps;
    std::vector<Row> clicks = {};
    std::vector<Row> doubleClicks = {};
};

const PairingRow kPairingRows[] = {
    {.note = "a press and a release on one label",
     .steps = {{Step::Press, kSeven}, {Step::Release, kSeven}},
     .clicks = {kSeven}},
    {.note = "moved off before the release",
     .steps = {{Step::Press, kSeven}, {Step::Release, kEight}}},
    {.note = "pressed beside the labels, released on one",
     .steps = {{Step::Press, {}}, {Step::Release, kSeven}}},
    {.note = "the mouse taken away while pressed",
     .steps = {{Step::Press, kSeven}, {Step::Cancel, {}}, {Step::Release, kSeven}}},
    {.note = "a quick pair on one label",
     .steps = {{Step::Press, kSay},
               {Step::Release, kSay},
               {Step::SecondPress, kSay},
               {Step::Release, kSay}},
     .clicks = {kSay},
     .doubleClicks = {kSay}},
    {.note = "a quick pair on two labels",
     .steps = {{Step::Press, kSeven},
               {Step::Release, kSeven},
               {Step::SecondPress, kEight},
               {Step::Release, kEight}},
     .clicks = {kSeven}},
    {.note = "on the help panel over the display: its click hides it, the display stays",
     .steps = {{Step::Press, kHelp},
               {Step::Release, kHelp},
               {Step::SecondPress, kSay},
               {Step::Release, kSay}},
     .clicks = {kHelp}},
    {.note = "a quick pair whose first press was no click",
     .steps = {{Step::Press, kSay},
               {Step::Release, {}},
               {Step::SecondPress, kSay},
               {Step::Release, kSay}}},
    {.note = "a click, then a press elsewhere, then a quick second press back on it",
     .steps =
         {{Step::Press, kSay}, {Step::Release, kSay}, {Step::Press, {}}, {Step::SecondPress, kSay}},
     .clicks = {kSay}},
};

TEST(ClickPairing, ClicksAndDoubleClicks) {
    for (const PairingRow& row : kPairingRows) {
        SCOPED_TRACE(row.note);
        ClickPairing pairing;
        std::vector<Row> clicks;
        std::vector<Row> doubleClicks;
        for (const auto& [step, label] : row.steps) {
            if (step == Step::Release) {
                if (const Row clicked = pairing.release(label)) {
                    clicks.push_back(clicked);
                }
            } else if (step == Step::Cancel) {
                pairing.cancel();
            } else if (const Row paired = pairing.press(label, step == Step::SecondPress)) {
                doubleClicks.push_back(paired);
            }
        }
        EXPECT_EQ(clicks, row.clicks);
        EXPECT_EQ(doubleClicks, row.doubleClicks);
    }
}

}  // namespace
}  // namespace zobu::testing
