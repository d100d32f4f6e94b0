// Display texts of numbers. Built on std::to_chars/std::from_chars, which never consult
// the C locale: a Qt program adopts the user's locale at start-up, and a German locale
// would otherwise turn every "1.5" into "1,5".
#include "number_text.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <optional>
#include <system_error>

#include "calc_failure.h"

namespace zobu {
namespace {

constexpr int kSignificantDigits = 15;
// Plain decimal from 1E-05 up to 15 integer digits; exponent form outside.
constexpr int kPlainMinExponent = -5;
constexpr int kPlainMaxExponent = 14;
// The largest double rounded down to 15 digits; rounding it up would not read back.
constexpr std::string_view kLargestDigits = "179769313486231";

[[noreturn]] void notANumber() {
    throw CalcFailure(FailureKind::TypeMismatch);
}

// A finite, non-zero magnitude rounded to 15 significant digits: d.dddd × 10^exponent.
struct Rounded {
    std::string digits;  // 1 to 15 digits, the first not 0, no trailing 0
    int exponent;
};

Rounded roundToSignificantDigits(double magnitude) {
    // "d.dddddddddddddde+XX"
    std::array<char, 32> sci{};
    const char* end = std::to_chars(sci.data(), sci.data() + sci.size(), magnitude,
                                    std::chars_format::scientific, kSignificantDigits - 1)
                          .ptr;
    Rounded r{std::string(1, sci[0]) + std::string(sci.data() + 2, kSignificantDigits - 1), {}};
    const char* exponent = sci.data() + kSignificantDigits + 2;  // the sign after the 'e'
    std::from_chars(*exponent == '+' ? exponent + 1 : exponent, end, r.exponent);
    if (r.exponent == 308) {
        r.digits = std::min(r.digits, std::string(kLargestDigits));
    }
    r.digits.erase(r.digits.find_last_not_of('0') + 1);
    return r;
}

std::string zeros(int count) {
    return std::string(static_cast<std::size_t>(count), '0');
}

// "0.000015", "12.5", "1500": the point where the exponent puts it, zeros filling up to it.
std::string plainText(const Rounded& r) {
    const int n = static_cast<int>(r.digits.size());
    if (r.exponent < 0) {
        return "0." + zeros(-r.exponent - 1) + r.digits;
    }
    if (r.exponent + 1 >= n) {
        return r.digits + zeros(r.exponent + 1 - n);
    }
    const auto integerDigits = static_cast<std::size_t>(r.exponent + 1);
    return r.digits.substr(0, integerDigits) + "." + r.digits.substr(integerDigits);
}

// "1E+15", "1.5E-07": one digit before the point; the exponent signed, of at least two digits.
std::string exponentText(const Rounded& r) {
    // Appended: GCC 12 at -O3 takes a literal + a temporary std::string for an overlapping copy.
    std::string text = r.digits.substr(0, 1);
    if (r.digits.size() > 1) {
        text += '.';
        text.append(r.digits, 1);
    }
    const int magnitude = std::abs(r.exponent);
    text += std::signbit(r.exponent) ? "E-" : "E+";
    if (magnitude < 10) {
        text += '0';
    }
    text += std::to_string(magnitude);
    return text;
}

// An optional sign at text[i]; true for "-".
bool readSign(std::string_view text, std::size_t& i) {
    const std::string_view rest = text.substr(i);
    if (rest.starts_with('-') || rest.starts_with('+')) {
        return text[i++] == '-';
    }
    return false;
}

// Digits with at most one point among them, at least one digit: where they end.
std::size_t mantissaEnd(std::string_view text, std::size_t i) {
    bool point = false;
    bool digit = false;
    for (; i < text.size(); ++i) {
        if (isDigit(text[i])) {
            digit = true;
        } else if (text[i] == '.' && !point) {
            point = true;
        } else {
            break;
        }
    }
    if (!digit) {
        notANumber();
    }
    return i;
}

// How many places a mantissa's first non-zero digit stands before its point ("120" 3, "0.05"
// -2): its decimal exponent to within one. Nothing when every digit is 0.
std::optional<long long> leadPlace(std::string_view mantissa) {
    const std::size_t first = mantissa.find_first_of("123456789");
    if (first == std::string_view::npos) {
        return std::nullopt;
    }
    const std::size_t point = std::min(mantissa.find('.'), mantissa.size());
    return static_cast<long long>(point) - static_cast<long long>(first);
}

// An optional exponent at text[i], "E" or "e", a sign and at least one digit; 0 without one.
// Saturated past a million, where a number is out of range either way.
long long readExponent(std::string_view text, std::size_t& i) {
    if (i == text.size() || (text[i] != 'e' && text[i] != 'E')) {
        return {};
    }
    const bool negative = readSign(text, ++i);
    const std::size_t start = i;
    long long exponent = 0;
    for (; i < text.size() && isDigit(text[i]); ++i) {
        exponent = std::min(exponent * 10 + (text[i] - '0'), 1'000'000LL);
    }
    if (i == start) {
        notANumber();
    }
    return negative ? -exponent : exponent;
}

// The value of a number text without its sign whose first non-zero digit has about the decimal
// exponent `magnitude`: beyond the double range (10^308) an overflow, below it (10^-324) 0. Its
// form is checked already, and from_chars reads every text of that form whole.
double unsignedValue(std::string_view text, long long magnitude) {
    double value = 0.0;
    const auto read =
        std::from_chars(text.data(), text.data() + text.size(), value, std::chars_format::general);
    if (read.ec == std::errc::result_out_of_range) {
        if (!std::signbit(magnitude)) {
            throw CalcFailure(FailureKind::Overflow);
        }
        return 0.0;  // underflow below the smallest denormal
    }
    return value;
}

}  // namespace

std::string NumToText(double value) {
    if (value == 0.0 || !std::isfinite(value)) {
        // Operands and results are always finite; zero of either sign shows "0".
        return "0";
    }
    const Rounded r = roundToSignificantDigits(std::fabs(value));
    const bool plain = r.exponent >= kPlainMinExponent && r.exponent <= kPlainMaxExponent;
    std::string text = std::signbit(value) ? "-" : "";
    text += plain ? plainText(r) : exponentText(r);
    return text;
}

std::string DigitText(std::int16_t value) {
    return std::to_string(value);
}

// [-+] digits [. digits] [E [-+] digits], at least one mantissa digit: "12." and ".5" are
// numbers, "inf", "nan", hexadecimal and blanks are not.
double TextToNum(std::string_view text) {
    std::size_t i = 0;
    const bool negative = readSign(text, i);
    const std::size_t mantissaStart = i;
    i = mantissaEnd(text, i);
    const std::optional<long long> lead = leadPlace(text.substr(mantissaStart, i - mantissaStart));
    const long long exponent = readExponent(text, i);
    if (i != text.size()) {
        notANumber();
    }
    if (!lead) {
        return 0.0;  // every digit is zero, whatever the exponent
    }
    const double value = unsignedValue(text.substr(mantissaStart), *lead + exponent);
    return negative ? -value : value;
}

}  // namespace zobu
