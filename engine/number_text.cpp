// Display texts of numbers. Built on std::to_chars/std::from_chars, which never consult
// the C locale: a Qt program adopts the user's locale at start-up, and a German locale
// would otherwise turn every "1.5" into "1,5".
#include "number_text.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
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

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

}  // namespace

std::string NumToText(double value) {
    if (value == 0.0 || !std::isfinite(value)) {
        // Operands and results are always finite; zero of either sign shows "0".
        return "0";
    }
    // Scientific form with 15 significant digits: "d.dddddddddddddde+XX".
    std::array<char, 32> sci{};
    const auto res = std::to_chars(sci.data(), sci.data() + sci.size(), std::fabs(value),
                                   std::chars_format::scientific, kSignificantDigits - 1);
    std::array<char, kSignificantDigits> digits{};
    digits[0] = sci[0];
    std::copy_n(sci.data() + 2, kSignificantDigits - 1, digits.data() + 1);
    const char* expStart = sci.data() + kSignificantDigits + 2;  // just past the 'e'
    int exponent = 0;
    std::from_chars(expStart + 1, res.ptr, exponent);
    if (*expStart == '-') {
        exponent = -exponent;
    }
    std::size_t count = kSignificantDigits;
    if (exponent == 308 && std::string_view(digits.data(), count) > kLargestDigits) {
        std::copy(kLargestDigits.begin(), kLargestDigits.end(), digits.begin());
    }
    while (count > 1 && digits[count - 1] == '0') {
        --count;
    }

    std::array<char, 40> out{};
    char* p = out.data();
    if (value < 0.0) {
        *p++ = '-';
    }
    const int n = static_cast<int>(count);
    if (exponent >= kPlainMinExponent && exponent <= kPlainMaxExponent) {
        if (exponent < 0) {
            *p++ = '0';
            *p++ = '.';
            p = std::fill_n(p, -exponent - 1, '0');
            p = std::copy_n(digits.data(), n, p);
        } else if (exponent + 1 >= n) {
            p = std::copy_n(digits.data(), n, p);
            p = std::fill_n(p, exponent + 1 - n, '0');
        } else {
            p = std::copy_n(digits.data(), exponent + 1, p);
            *p++ = '.';
            p = std::copy_n(digits.data() + exponent + 1, n - exponent - 1, p);
        }
    } else {
        *p++ = digits[0];
        if (n > 1) {
            *p++ = '.';
            p = std::copy_n(digits.data() + 1, n - 1, p);
        }
        *p++ = 'E';
        *p++ = exponent < 0 ? '-' : '+';
        const int magnitude = exponent < 0 ? -exponent : exponent;
        if (magnitude < 10) {
            *p++ = '0';
        }
        p = std::to_chars(p, out.data() + out.size(), magnitude).ptr;
    }
    return std::string(out.data(), p);
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
