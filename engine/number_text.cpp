// Display texts of numbers. Built on std::to_chars/std::from_chars, which never consult
// the C locale: a Qt program adopts the user's locale at start-up, and a German locale
// would otherwise turn every "1.5" into "1,5".
#include "number_text.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <system_error>

#include "calc_failure.h"

namespace zobu {
namespace {

constexpr int kSignificantDigits = 15;
// Plain decimal from 1E-05 up to 15 integer digits; exponent form outside.
constexpr int kPlainMinExponent = -5;
constexpr int kPlainMaxExponent = 14;

struct Decimal {
    std::string digits;  // significant digits, no trailing zeros, at least one
    int exponent = 0;    // decimal exponent of the first digit
};

// Splits to_chars' scientific output "d.ddddde+XX" into digits and exponent.
Decimal splitScientific(std::string_view sci) {
    Decimal d;
    const auto e = sci.find('e');
    for (const char c : sci.substr(0, e)) {
        if (c != '.') {
            d.digits.push_back(c);
        }
    }
    const std::string_view exp = sci.substr(e + 1);
    const bool negative = exp.front() == '-';
    int magnitude = 0;
    std::from_chars(exp.data() + 1, exp.data() + exp.size(), magnitude);
    d.exponent = negative ? -magnitude : magnitude;
    while (d.digits.size() > 1 && d.digits.back() == '0') {
        d.digits.pop_back();
    }
    return d;
}

Decimal toDecimal(double magnitude, int significant) {
    std::array<char, 64> buf{};
    const auto res = std::to_chars(buf.data(), buf.data() + buf.size(), magnitude,
                                   std::chars_format::scientific, significant - 1);
    return splitScientific(
        std::string_view(buf.data(), static_cast<std::size_t>(res.ptr - buf.data())));
}

std::string plainText(const Decimal& d) {
    std::string out;
    const int count = static_cast<int>(d.digits.size());
    if (d.exponent < 0) {
        out = "0.";
        out.append(static_cast<std::size_t>(-d.exponent - 1), '0');
        out += d.digits;
    } else if (d.exponent + 1 >= count) {
        out = d.digits;
        out.append(static_cast<std::size_t>(d.exponent + 1 - count), '0');
    } else {
        const auto point = static_cast<std::size_t>(d.exponent + 1);
        out = d.digits.substr(0, point) + "." + d.digits.substr(point);
    }
    return out;
}

std::string exponentText(const Decimal& d) {
    std::string out = d.digits.substr(0, 1);
    if (d.digits.size() > 1) {
        out += "." + d.digits.substr(1);
    }
    out += d.exponent < 0 ? "E-" : "E+";
    const int magnitude = std::abs(d.exponent);
    if (magnitude < 10) {
        out += '0';
    }
    out += std::to_string(magnitude);
    return out;
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

}  // namespace

std::string NumToText(double value) {
    if (value == 0.0 || !std::isfinite(value)) {
        // Operands and results are always finite; zero of either sign shows "0".
        return "0";
    }
    const double magnitude = std::fabs(value);
    Decimal d = toDecimal(magnitude, kSignificantDigits);
    // Near the top of the double range, rounding up to 15 digits can give a text beyond the
    // largest double, which would not read back. Truncate instead: never larger than the value.
    if (d.exponent == 308) {
        double back = 0.0;
        const std::string text = d.digits.substr(0, 1) + "." + d.digits.substr(1) + "e308";
        const auto res = std::from_chars(text.data(), text.data() + text.size(), back);
        if (res.ec == std::errc::result_out_of_range) {
            d = toDecimal(magnitude, kSignificantDigits + 2);
            d.digits.resize(std::min<std::size_t>(d.digits.size(), kSignificantDigits));
            while (d.digits.size() > 1 && d.digits.back() == '0') {
                d.digits.pop_back();
            }
        }
    }
    std::string text = value < 0.0 ? "-" : "";
    if (d.exponent >= kPlainMinExponent && d.exponent <= kPlainMaxExponent) {
        text += plainText(d);
    } else {
        text += exponentText(d);
    }
    return text;
}

std::string DigitText(std::int16_t value) {
    return std::to_string(value);
}

double TextToNum(std::string_view text) {
    // Grammar: [-+] digits [. digits] [E [-+] digits], at least one mantissa digit;
    // "12." and ".5" are numbers, "inf", "nan", hexadecimal and blanks are not.
    std::size_t i = 0;
    const std::size_t n = text.size();
    bool negative = false;
    if (i < n && (text[i] == '-' || text[i] == '+')) {
        negative = text[i] == '-';
        ++i;
    }
    const std::size_t mantissaStart = i;
    bool seenDigit = false;
    bool seenPoint = false;
    bool seenNonZero = false;
    // Decimal exponent of the first non-zero digit, counted from the mantissa alone.
    long long leadExponent = -1;
    for (; i < n; ++i) {
        const char c = text[i];
        if (isDigit(c)) {
            seenDigit = true;
            if (!seenPoint) {
                if (seenNonZero) {
                    ++leadExponent;
                } else if (c != '0') {
                    seenNonZero = true;
                    leadExponent = 0;
                }
            } else if (!seenNonZero) {
                if (c != '0') {
                    seenNonZero = true;
                } else {
                    --leadExponent;
                }
            }
        } else if (c == '.' && !seenPoint) {
            seenPoint = true;
        } else {
            break;
        }
    }
    if (!seenDigit) {
        throw CalcFailure(FailureKind::TypeMismatch);
    }
    long long exponent = 0;
    if (i < n && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        bool expNegative = false;
        if (i < n && (text[i] == '-' || text[i] == '+')) {
            expNegative = text[i] == '-';
            ++i;
        }
        const std::size_t expStart = i;
        for (; i < n && isDigit(text[i]); ++i) {
            // Saturate: anything past a million is out of range either way.
            exponent = std::min(exponent * 10 + (text[i] - '0'), 1'000'000LL);
        }
        if (i == expStart) {
            throw CalcFailure(FailureKind::TypeMismatch);
        }
        exponent = expNegative ? -exponent : exponent;
    }
    if (i != n) {
        throw CalcFailure(FailureKind::TypeMismatch);
    }
    if (!seenNonZero) {
        return 0.0;  // every digit is zero, whatever the exponent
    }

    double value = 0.0;
    const auto res = std::from_chars(text.data() + mantissaStart, text.data() + n, value,
                                     std::chars_format::general);
    if (res.ec == std::errc::result_out_of_range) {
        // from_chars leaves the value alone; the magnitude tells overflow from underflow.
        if (leadExponent + exponent > 0) {
            throw CalcFailure(FailureKind::Overflow);
        }
        value = 0.0;  // underflow below the smallest denormal
    } else if (res.ec != std::errc{} || res.ptr != text.data() + n) {
        throw CalcFailure(FailureKind::TypeMismatch);
    }
    return negative ? -value : value;
}

}  // namespace zobu
