// Conversions between doubles and the texts the display shows. Independent of the
// process locale: "." is always the decimal point.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace zobu {

// The widest text NumToText writes, which the display must show in full, and its length.
inline constexpr std::string_view kWidestDisplayText = "-1.23456789012346E-300";
inline constexpr std::size_t kMaxNumberTextLength = kWidestDisplayText.size();
// The longest number the user can type: digits are no longer appended past it.
inline constexpr std::size_t kMaxEntryLength = 14;

// An ASCII decimal digit: number texts have no others, whatever the locale.
constexpr bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// At most 15 significant digits, correctly rounded; plain decimal for ordinary magnitudes,
// exponent form ("1E+16", "1.5E-07") for very large or very small ones; no trailing zeros
// after the point, no trailing point; negative zero is "0".
std::string NumToText(double value);

// The decimal digits of an integer ("0" to "9" for the digit keys).
std::string DigitText(std::int16_t value);

// Reads what NumToText and number entry write ("05", "12.", "0.", "-3", "1E+16").
// Throws CalcFailure: TypeMismatch for anything that is not such a number,
// Overflow for a magnitude beyond the double range. Underflow gives 0 or a denormal.
double TextToNum(std::string_view text);

}  // namespace zobu
