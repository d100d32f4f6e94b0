// ReadPastedNumber on arbitrary clipboard text: it gives a finite number or names why not (a
// type mismatch or an overflow), and any text the display can hold reads as the display's own
// number, so copy then paste gives the user's number back. Long texts are grown from short
// inputs so that a reading slower than linear shows up as a timeout:
//   0x7F lo hi <prefix> 0x7F <unit> 0x7F <suffix>
// also reads prefix + unit repeated (lo + 256 * hi) times + suffix, up to 256 KiB.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <optional>
#include <string>
#include <string_view>

#include "calc_failure.h"
#include "number_text.h"
#include "paste_reader.h"

namespace zobu::fuzz {
namespace {

constexpr char kGrow = '\x7f';
constexpr std::size_t kMaxGrownSize = std::size_t{1} << 18;

[[noreturn]] void violation(std::string_view text, std::string_view what) {
    std::string shown;
    for (const char c : text.substr(0, 200)) {
        const auto u = static_cast<unsigned char>(c);
        if (u < 0x20 || u == 0x7f || c == '\\' || c == '"') {
            char hex[5];
            std::snprintf(hex, sizeof hex, "\\x%02x", u);
            shown += hex;
        } else {
            shown += c;
        }
    }
    std::fprintf(stderr, "\n*** pasted text read wrongly: %.*s\n    text (%zu bytes): \"%s%s\"\n",
                 static_cast<int>(what.size()), what.data(), text.size(), shown.c_str(),
                 text.size() > 200 ? "..." : "");
    std::abort();
}

// What the display can show, and copy can therefore put on the clipboard: an entry as typed
// ("05", "12.", "0.") or the text of a number ("-3", "0.25", "1.5E-07", "-1E+16").
bool isDisplayText(std::string_view text) {
    std::size_t i = 0;
    const auto digits = [&] {
        const std::size_t start = i;
        while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
            ++i;
        }
        return i - start;
    };
    const bool negative = text.starts_with('-');
    i = negative ? 1 : 0;
    const std::size_t whole = digits();
    if (whole == 0) {
        return false;
    }
    std::size_t fraction = 0;
    const bool point = i < text.size() && text[i] == '.';
    if (point) {
        ++i;
        fraction = digits();
    }
    if (i == text.size()) {
        return !negative || !point || fraction > 0;  // only a typed entry ends in a point
    }
    // Exponent form: one digit, an optional fraction, "E", a sign and two or three digits.
    if (whole != 1 || (point && fraction == 0) || text[i] != 'E' || i + 1 == text.size() ||
        (text[i + 1] != '+' && text[i + 1] != '-')) {
        return false;
    }
    i += 2;
    const std::size_t exponent = digits();
    return (exponent == 2 || exponent == 3) && i == text.size();
}

struct Reading {
    std::optional<double> value;
    FailureKind failure = FailureKind::TypeMismatch;
};

template <typename Reader>
Reading readWith(Reader reader, std::string_view text) {
    try {
        return {reader(text)};
    } catch (const CalcFailure& failure) {
        return {std::nullopt, failure.kind()};
    } catch (const std::exception& e) {
        violation(text, std::string("an exception other than a calculator failure: ") + e.what());
    } catch (...) {
        violation(text, "an unknown exception");
    }
}

void checkReading(std::string_view text) {
    const Reading pasted = readWith(ReadPastedNumber, text);
    if (pasted.value) {
        if (!std::isfinite(*pasted.value)) {
            violation(text, "the number read is not finite");
        }
    } else if (pasted.failure != FailureKind::TypeMismatch &&
               pasted.failure != FailureKind::Overflow) {
        violation(text, std::string("rejected with a failure other than type mismatch or "
                                    "overflow: ") +
                            std::string(ErrorText(pasted.failure)));
    }
    if (isDisplayText(text)) {
        const Reading shown = readWith(TextToNum, text);
        if (shown.value.has_value() != pasted.value.has_value() ||
            (shown.value && *shown.value != *pasted.value) ||
            (!shown.value && shown.failure != pasted.failure)) {
            violation(text, "a display text pastes as something other than the display's number");
        }
    }
}

// prefix + unit * count + suffix, from an input that asks for it.
std::optional<std::string> grownText(std::string_view input) {
    if (input.size() < 3 || input[0] != kGrow) {
        return std::nullopt;
    }
    std::size_t count = static_cast<unsigned char>(input[1]) +
                        std::size_t{256} * static_cast<unsigned char>(input[2]);
    std::string_view rest = input.substr(3);
    std::string_view prefix;
    std::string_view suffix;
    if (const auto first = rest.find(kGrow); first != std::string_view::npos) {
        prefix = rest.substr(0, first);
        rest = rest.substr(first + 1);
        if (const auto second = rest.find(kGrow); second != std::string_view::npos) {
            suffix = rest.substr(second + 1);
            rest = rest.substr(0, second);
        }
    }
    if (rest.empty()) {
        return std::nullopt;
    }
    count = std::min(count, kMaxGrownSize / rest.size());
    std::string text;
    text.reserve(prefix.size() + rest.size() * count + suffix.size());
    text += prefix;
    if (count > 0) {
        // Doubling keeps building cheap next to the reading it is there to time.
        text += rest;
        const std::size_t grown = rest.size() * count;
        while (text.size() - prefix.size() < grown) {
            const std::size_t have = text.size() - prefix.size();
            text.append(text, prefix.size(), std::min(have, grown - have));
        }
    }
    text += suffix;
    return text;
}

}  // namespace
}  // namespace zobu::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    zobu::fuzz::checkReading(input);
    if (const auto grown = zobu::fuzz::grownText(input)) {
        zobu::fuzz::checkReading(*grown);
    }
    return 0;
}
