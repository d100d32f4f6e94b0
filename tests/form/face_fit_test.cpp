// The help panel's face and the display's size, chosen over a fake measurement: each face fits
// up to a largest size. The rows the fonts runs cannot reach with real faces: the lines' own
// face fitting beside another, and a text that fits in no size.
#include <gtest/gtest.h>

#include <vector>

#include "face_fit.h"

namespace zobu::testing {
namespace {

struct FaceRow {
    const char* note;
    std::vector<double> fitsUpTo;  // per face offered, the lines' face first
    double size;
    double step;
    FaceChoice choice;
};

// clang-format off
const FaceRow kFaceRows[] = {
    {.note = "the lines' face fits", .fitsUpTo = {10.5, 10.5}, .size = 10.5, .step = 0.25, .choice = {.face = 0, .size = 10.5}},
    {.note = "never fits: down to one step", .fitsUpTo = {0}, .size = 10.5, .step = 0.25, .choice = {.face = 0, .size = 0.25}},
};
// clang-format on

// With one face the choice is the display's rule: shrink only as far as the text needs.
TEST(FaceFit, HelpFaceAndDisplaySize) {
    for (const FaceRow& row : kFaceRows) {
        SCOPED_TRACE(row.note);
        const auto fits = [&](std::size_t face, double size) { return size <= row.fitsUpTo[face]; };
        EXPECT_EQ(ChooseHelpFace(row.fitsUpTo.size(), row.size, row.step, fits), row.choice);
        if (row.fitsUpTo.size() == 1) {
            EXPECT_EQ(ShrinkToFit(row.size, row.step, [&](double size) { return fits(0, size); }),
                      row.choice.size);
        }
    }
}

}  // namespace
}  // namespace zobu::testing
