// Reading numbers from clipboard text as people copy them, and rejecting everything else.
#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <limits>
#include <string>

#include "calc_failure.h"
#include "paste_reader.h"

namespace zobu {
namespace {

struct Accepted {
    const char* name;
    std::string text;
    double value;
};

TEST(PasteReader, AcceptsNumbersAsPeopleCopyThem) {
    const Accepted cases[] = {
        {"Plain", "42", 42.0},
        {"TrailingLineBreak", "42\n", 42.0},
        {"TabsAndBlanks", "\t42 ", 42.0},
        {"WindowsLineBreak", "42\r\n", 42.0},
        {"NoBreakSpace", "\u00A042\u00A0", 42.0},
        {"IdeographicSpace", "\u300042\u3000", 42.0},
        {"FullWidthDigitsAndPoint", "１２３．５", 123.5},
        {"FullWidthSigns", "－５", -5.0},
        {"FullWidthPlus", "＋５", 5.0},
        {"FullWidthComma", "１，２３４", 1234.0},
        {"FullWidthExponent", "１ｅ３", 1000.0},
        {"FullWidthCapitalExponent", "１Ｅ３", 1000.0},
        {"MinusSign", "\u22127", -7.0},
        {"LeadingPlus", "+5", 5.0},
        {"LeadingPoint", ".5", 0.5},
        {"TrailingPoint", "12.", 12.0},
        {"TrailingZeros", "2.50", 2.5},
        {"ThousandsSeparators", "1,234,567.25", 1234567.25},
        {"OneGroup", "-1,000", -1000.0},
        {"Exponent", "6.02e23", 6.02e23},
        {"NegativeExponent", "1E-5", 1e-5},
        {"NegativeZero", "-0", -0.0},
        {"Underflow", "1e-400", 0.0},
        {"Denormal", "1e-310", 1e-310},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(ReadPastedNumber(c.text), c.value);
    }
}

struct Rejected {
    const char* name;
    std::string text;
    FailureKind kind;
};

TEST(PasteReader, RejectsEverythingElse) {
    using enum FailureKind;
    const Rejected cases[] = {
        {"Empty", "", TypeMismatch},
        {"OnlySpace", " \n\t", TypeMismatch},
        {"Letters", "abc", TypeMismatch},
        {"Infinity", "inf", TypeMismatch},
        {"NotANumber", "nan", TypeMismatch},
        {"Hexadecimal", "0x10", TypeMismatch},
        {"TwoNumbers", "1 2", TypeMismatch},
        {"SpaceAsGroupSeparator", "1 234", TypeMismatch},
        {"TrailingLetters", "12abc", TypeMismatch},
        {"DoubleSign", "--5", TypeMismatch},
        {"DecimalComma", "1,5", TypeMismatch},
        {"GroupOfFour", "1,2345", TypeMismatch},
        {"GroupOfTwo", "12,34,567", TypeMismatch},
        {"LeadGroupTooLong", "1234,567", TypeMismatch},
        {"CommaFirst", ",123", TypeMismatch},
        {"CommaAfterPoint", "1.234,567", TypeMismatch},
        {"CommaLast", "1,", TypeMismatch},
        {"SignOnly", "-", TypeMismatch},
        {"PointOnly", ".", TypeMismatch},
        {"ExponentWithoutDigits", "1e", TypeMismatch},
        {"NulInside",
         std::string("1\0"
                     "2",
                     3),
         TypeMismatch},
        {"InvalidUtf8", "1\xff", TypeMismatch},
        {"TruncatedUtf8", "1\xe3\x80", TypeMismatch},
        {"OverlongUtf8", "\xc0\xb1", TypeMismatch},
        {"RightToLeftMark", "\u200F42", TypeMismatch},
        {"OtherLines", "42\n43", TypeMismatch},
        {"HugeExponent", "1e400", Overflow},
        {"NegativeHuge", "-1e400", Overflow},
        {"FourHundredDigits", std::string(400, '9'), Overflow},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        try {
            const double value = ReadPastedNumber(c.text);
            ADD_FAILURE() << "accepted as " << value;
        } catch (const CalcFailure& failure) {
            EXPECT_EQ(failure.kind(), c.kind);
        }
    }
}

// Ten megabytes on the clipboard must be read or rejected quickly, never hang the window.
// (How quickly is measured by the benchmark; here the outcome is checked.)
TEST(PasteReader, HandlesTenMegabytes) {
    const std::size_t size = 10u << 20;
    EXPECT_THROW(ReadPastedNumber(std::string(size, '9')), CalcFailure);
    EXPECT_EQ(ReadPastedNumber("0." + std::string(size, '0') + "1"), 0.0);
    EXPECT_EQ(ReadPastedNumber(std::string(size, ' ') + "7" + std::string(size, '\n')), 7.0);
    EXPECT_THROW(ReadPastedNumber(std::string(size, '\xff')), CalcFailure);
    std::string grouped = "1";
    while (grouped.size() < size) {
        grouped += ",000";
    }
    EXPECT_THROW(ReadPastedNumber(grouped), CalcFailure);  // beyond the double range
}

}  // namespace
}  // namespace zobu
