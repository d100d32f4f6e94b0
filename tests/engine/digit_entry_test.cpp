// Number entry: the display as entry buffer, the 14-character limit, one decimal point.
#include <gtest/gtest.h>

#include "fakes/engine_harness.h"

namespace zobu::testing {
namespace {

TEST(DigitEntry, FirstDigitFromStartUpRecordsTheRunningResult) {
    EngineHarness calc;
    calc.press("7");
    EXPECT_EQ(calc.display.say(), "7");
    EXPECT_EQ(calc.display.last(), "0");
    EXPECT_EQ(calc.display.next(), "");
    EXPECT_EQ(calc.display.tie(), "");
    EXPECT_EQ(calc.display.tieLeft, kTieLeft);
    EXPECT_EQ(calc.state().intState, 3);
}

struct EntryCase {
    const char* name;
    const char* keys;
    const char* display;
    friend void PrintTo(const EntryCase& c, std::ostream* os) { *os << c.keys; }
};

class EntryText : public ::testing::TestWithParam<EntryCase> {};

TEST_P(EntryText, ShowsExactlyWhatWasTyped) {
    EngineHarness calc;
    calc.press(GetParam().keys);
    EXPECT_EQ(calc.display.say(), GetParam().display);
}

INSTANTIATE_TEST_SUITE_P(
    Entry, EntryText,
    ::testing::Values(
        EntryCase{"PointFirst", ".", "0."}, EntryCase{"SecondPointIgnored", "0..", "0."},
        EntryCase{"PointThenDigit", ".5", "0.5"}, EntryCase{"ZeroPointDigit", "0.5", "0.5"},
        EntryCase{"OnePointOnly", "12..3", "12.3"}, EntryCase{"LeadingZerosKept", "05", "05"},
        EntryCase{"DoubleZero", "00", "00"},
        EntryCase{"FourteenDigitsFit", "12345678901234", "12345678901234"},
        EntryCase{"FifteenthDigitIgnored", "123456789012345", "12345678901234"},
        EntryCase{"PointAfterFourteenIgnored", "12345678901234.", "12345678901234"},
        EntryCase{"TwelveDigitsAfterZeroPoint", ".1234567890129", "0.123456789012"},
        EntryCase{"ThirteenDigitsThenPoint", "1234567890123.4", "1234567890123."}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(DigitEntry, FullEntryChangesNothingAndIsSilent) {
    EngineHarness calc;
    calc.press("12345678901234");
    const int writes = calc.display.writes;
    calc.press("5.");
    EXPECT_EQ(calc.display.writes, writes);
    EXPECT_EQ(calc.display.beeps, 0);
}

TEST(DigitEntry, AfterAnOperatorTheNoteLineKeepsItsText) {
    EngineHarness calc;
    calc.press("12+3");
    EXPECT_EQ(calc.display.last(), "12");
    EXPECT_EQ(calc.display.next(), "");
    EXPECT_EQ(calc.display.say(), "3");
    EXPECT_EQ(calc.display.tieLeft, kTieLeft);
    EXPECT_EQ(calc.display.tie(), "+");
}

TEST(DigitEntry, ANewOperandMovesToTheNoteLine) {
    EngineHarness calc;
    calc.press("3n4");
    EXPECT_EQ(calc.display.next(), "-3");
    EXPECT_EQ(calc.display.last(), "0");
    EXPECT_EQ(calc.display.say(), "4");
}

TEST(DigitEntry, FailureMessageReplacedOnlyWhenTheOperandWasNew) {
    EngineHarness withOperand;
    withOperand.press("5/0=");
    ASSERT_EQ(withOperand.state().intState, 1);
    withOperand.press("7");
    EXPECT_EQ(withOperand.display.next(), "0");

    EngineHarness withoutOperand;
    withoutOperand.press("/=");
    ASSERT_EQ(withoutOperand.state().intState, 0);
    const std::string message = withoutOperand.display.next();
    withoutOperand.press("7");
    EXPECT_EQ(withoutOperand.display.next(), message);
}

}  // namespace
}  // namespace zobu::testing
