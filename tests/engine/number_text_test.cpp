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

// A number or a text, and the text a conversion makes of it (or the failure it names).
template <typename From>
struct Row {
    From from;
    const char* to;
};

TEST(NumToText, WritesTheDisplayFormat) {
    const Row<double> rows[] = {
        {.from = -0.0, .to = "0"},
        {.from = 999999999999999.0, .to = "999999999999999"},
        {.from = 1e15, .to = "1E+15"},
        {.from = 1.5e-7, .to = "1.5E-07"},
        {.from = 1e-10, .to = "1E-10"},  // two exponent digits need no padding
        {.from = -1.23456789012345e-5, .to = "-0.0000123456789012345"},  // the widest plain text
        {.from = -1.23456789012345e-6, .to = "-1.23456789012345E-06"},
        {.from = -1.2345678901234567e-300, .to = "-1.23456789012346E-300"},
        {.from = Limits::max(), .to = "1.79769313486231E+308"},
    };
    for (const auto& [value, text] : rows) {
        EXPECT_EQ(NumToText(value), text);
    }
}

TEST(TextToNum, ReadsWhatTheDisplayShowsAndNothingElse) {
    const Row<std::string_view> rows[] = {
        {.from = "-0E9", .to = "0"},
        {.from = "1E-400", .to = "0"},
        {.from = std::string_view("125", 2), .to = "12"},  // views that end before a NUL
        {.from = std::string_view("1E25", 3), .to = "100"},
    };
    for (const auto& [text, read] : rows) {
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
    const Row<std::string> rows[] = {
        {.from = "－５０ｅ０", .to = "-50"},
        {.from = "１２３，４５６", .to = "123456"},
        {.from = "\u2212123,456", .to = "-123456"},
        {.from = "+1,234,567.25", .to = "1234567.25"},
        {.from = "6.02Ｅ23", .to = "6.02e+23"},
        {.from = std::string(mb10, '9'), .to = "溢出"},
        {.from = "1" + std::string(1330, '0') + "E-1000", .to = "溢出"},  // 1E+330
        {.from = "0." + std::string(1330, '0') + "1E+1000", .to = "0"},   // 1E-331
        {.from = std::string(mb10, ' ') + "\t\u00A07\u3000\r" + std::string(mb10, '\n'), .to = "7"},
    };
    for (const auto& [text, read] : rows) {
        EXPECT_EQ(outcome(ReadPastedNumber, text), read) << text.substr(0, 40);
    }
    for (const char* text :
         {"",    " \n\t",  "inf",       "nan",        "0x10",      "1 .5",      "1 234", "--5",
          "1,5", "1,2345", "12,34,567", "1234,567",   "-,123",     "1.234,567", "1,2.5", "1,",
          "1e",  "1\xff",  "1\xe3\x80", "15\xc0\xae", "\xef\xbcQ", "\u200F42",  "42\n43"}) {
        EXPECT_EQ(outcome(ReadPastedNumber, text), "类型不匹配") << text;
    }
}

}  // namespace
}  // namespace zobu
