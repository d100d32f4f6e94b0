// Number texts: the display's format, reading it back, and reading numbers from clipboard text
// as people copy them.
#include <gtest/gtest.h>

#include <cstdio>
#include <limits>
#include <string>

#include "calc_failure.h"
#include "number_text.h"
#include "paste_reader.h"

namespace zobu {
namespace {

using Limits = std::numeric_limits<double>;

// What a reader made of a text: its number, or the failure it named.
template <typename Reader>
std::string outcome(Reader read, std::string_view text) {
    try {
        char out[40];
        std::snprintf(out, sizeof out, "%.17g", read(text));
        return out;
    } catch (const CalcFailure& failure) {
        return std::string(ErrorText(failure));
    }
}

TEST(NumToText, WritesTheDisplayFormat) {
    // clang-format off
    const std::pair<double, const char*> cases[] = {
        {-0.0, "0"}, {-3.0, "-3"}, {12.5, "12.5"}, {2.0 / 3.0, "0.666666666666667"},
        {0.1 + 0.2, "0.3"}, {999999999999999.0, "999999999999999"}, {1e15, "1E+15"},
        {1234567890123456.0, "1.23456789012346E+15"}, {0.000015, "0.000015"}, {1.5e-7, "1.5E-07"},
        {-1.23456789012345e-5, "-0.0000123456789012345"},  // the widest plain text
        {-1.23456789012345e-6, "-1.23456789012345E-06"},
        {-1.2345678901234567e-300, "-1.23456789012346E-300"},
        {Limits::max(), "1.79769313486231E+308"}, {Limits::denorm_min(), "4.94065645841247E-324"}};
    // clang-format on
    for (const auto& [value, text] : cases) {
        EXPECT_EQ(NumToText(value), text);
    }
}

TEST(TextToNum, ReadsWhatTheDisplayShowsAndNothingElse) {
    const std::pair<const char*, const char*> cases[] = {
        {"05", "5"},        {"-3", "-3"},    {"1E+16", "10000000000000000"},
        {"0E+999999", "0"}, {"1E-400", "0"}, {"1E-310", "9.9999999999999694e-311"}};
    for (const auto& [text, read] : cases) {
        EXPECT_EQ(outcome(TextToNum, text), read) << text;
    }
    for (const char* text :
         {"1E+400", "-1E400", "1.79769313486232E+308", "1E99999999999999999999"}) {
        EXPECT_EQ(outcome(TextToNum, text), "溢出") << text;
    }
    for (const char* text : {"", "-", ".", "inf", "nan", "0x10", "1e+", " 1", "1 ", "1,5", "--5",
                             "1..2", "12a", "1E5E5", "0E", "0E5E", "1E999E"}) {
        EXPECT_EQ(outcome(TextToNum, text), "类型不匹配") << text;
    }
}

TEST(PasteReader, ReadsNumbersAsPeopleCopyThemAndRejectsTheRest) {
    const std::size_t mb10 = 10 << 20;  // ten megabytes are read or refused, never hang the window
    // clang-format off
    const std::pair<std::string, const char*> cases[] = {
        {"\t42 \r\n", "42"}, {"\u00A040\u3000", "40"}, {"１２３．５", "123.5"}, {"－５", "-5"},
        {"１，２３４", "1234"}, {"１ｅ３", "1000"}, {"１Ｅ３", "1000"}, {"\u22127", "-7"}, {"-0", "0"},
        {"1,234,567.25", "1234567.25"}, {"6.02e23", "6.02e+23"}, {std::string(mb10, '9'), "溢出"},
        {"1" + std::string(1330, '0') + "E-1000", "溢出"},  // 1E+330
        {"0." + std::string(1330, '0') + "1E+1000", "0"},   // 1E-331
        {std::string(mb10, ' ') + "7" + std::string(mb10, '\n'), "7"},
        {std::string("1\0002", 3), "类型不匹配"}};
    for (const auto& [text, read] : cases) {
        EXPECT_EQ(outcome(ReadPastedNumber, text), read) << text.substr(0, 40);
    }
    for (const char* text : {"", " \n\t", "inf", "nan", "0x10", "1 2", "1 234", "--5", "1,5",
                             "1,2345", "12,34,567", "1234,567", ",123", "1.234,567", "1,", "1e",
                             "1\xff", "1\xe3\x80", "\xc0\xb1", "\u200F42", "42\n43"}) {
        EXPECT_EQ(outcome(ReadPastedNumber, text), "类型不匹配") << text;
    }
    // clang-format on
}

}  // namespace
}  // namespace zobu
