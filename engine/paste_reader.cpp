// Clipboard text to number. People paste numbers from web pages, documents and chat, often
// Chinese text, so the reader takes full-width characters and surrounding white space, and
// thousands separators where they are unambiguous. Everything else is not a number: the
// reader never guesses ("1,5" could be one and a half or fifteen).
#include "paste_reader.h"

#include <algorithm>
#include <cstdint>
#include <iterator>
#include <optional>
#include <string>

#include "calc_failure.h"
#include "number_text.h"

namespace zobu {
namespace {

[[noreturn]] void notANumber() {
    throw CalcFailure(FailureKind::TypeMismatch);
}

// A lead byte of a two- or three-byte UTF-8 sequence: its marker bits under the mask, how many
// continuation bytes follow, and the least code point the sequence may carry. No character of
// a number lies beyond U+FFFF, so a four-byte sequence is refused at its lead byte.
struct LeadForm {
    unsigned char mask;
    unsigned char marker;
    int continuations;
    char32_t least;
};

constexpr LeadForm kLeadForms[] = {
    {.mask = 0xE0, .marker = 0xC0, .continuations = 1, .least = 0x80},
    {.mask = 0xF0, .marker = 0xE0, .continuations = 2, .least = 0x800},
};

// Decodes one UTF-8 sequence at text[i], advancing i. Rejects overlong forms (an overlong "1"
// is no digit) and truncated sequences: binary clipboard content is simply not a number.
// Surrogates pass, to be refused as no character of a number.
char32_t nextCodePoint(std::string_view text, std::size_t& i) {
    const auto lead = static_cast<unsigned char>(text[i++]);
    if ((lead & 0x80) == 0) {
        return lead;
    }
    const auto form = std::ranges::find_if(
        kLeadForms, [lead](const LeadForm& f) { return (lead & f.mask) == f.marker; });
    if (form == std::end(kLeadForms)) {
        notANumber();
    }
    auto cp = static_cast<char32_t>(lead & ~form->mask);
    for (int left = form->continuations; left > 0; --left) {
        if (i >= text.size()) {
            notANumber();
        }
        const auto cont = static_cast<unsigned char>(text[i++]);
        if ((cont & 0xC0) != 0x80) {
            notANumber();
        }
        cp = (cp << 6) | (cont & 0x3Fu);
    }
    if (cp < form->least) {
        notANumber();
    }
    return cp;
}

bool isSpace(char32_t cp) {
    switch (cp) {
        case U' ':
        case U'\t':
        case U'\n':
        case U'\r':
        case U'\v':
        case U'\f':
        case U'\u00A0':  // no-break space
        case U'\u3000':  // ideographic space
        case U'\uFEFF':  // byte-order mark some programs put before copied text
            return true;
        default:
            return false;
    }
}

// The ASCII character a code point stands for in a number, if any. ASCII digits never come
// here: the reader copies them as they are.
std::optional<char> asciiEquivalent(char32_t cp) {
    if (cp >= U'\uFF10' && cp <= U'\uFF19') {  // full-width digits
        return static_cast<char>(U'0' + (cp - U'\uFF10'));
    }
    switch (cp) {
        case U'.':
        case U'\uFF0E':
            return '.';
        case U'+':
        case U'\uFF0B':
            return '+';
        case U'-':
        case U'\uFF0D':
        case U'\u2212':  // minus sign
            return '-';
        case U',':
        case U'\uFF0C':
            return ',';
        case U'e':
        case U'E':
        case U'\uFF45':
        case U'\uFF25':
            return 'e';
        default:
            return std::nullopt;
    }
}

// Removes thousands separators from the integer part when they form groups of three:
// "1,234,567.25" -> "1234567.25". Any other comma makes the text not a number. Each scan
// ends at the latest on the string's terminating NUL, which is neither digit nor comma.
void dropThousandsSeparators(std::string& ascii) {
    const std::size_t firstComma = ascii.find(',');
    if (firstComma == std::string::npos) {
        return;
    }
    std::size_t i = (ascii[0] == '+' || ascii[0] == '-') ? 1 : 0;
    const std::size_t leadStart = i;
    while (isDigit(ascii[i])) {
        ++i;
    }
    if (i != firstComma || i - leadStart < 1 || i - leadStart > 3) {
        notANumber();
    }
    std::size_t out = i;  // groups are moved left over the commas, in place
    while (ascii[i] == ',') {
        for (std::size_t k = 1; k <= 3; ++k) {
            if (!isDigit(ascii[i + k])) {
                notANumber();
            }
            ascii[out++] = ascii[i + k];
        }
        i += 4;
        if (isDigit(ascii[i])) {
            notANumber();  // a group of four or more digits
        }
    }
    ascii.erase(out, i - out);  // a comma after the groups is left for TextToNum to refuse
}

}  // namespace

double ReadPastedNumber(std::string_view utf8) {
    // Each code point becomes at most one ASCII character, so the text's size is enough.
    std::string ascii(utf8.size(), '\0');
    std::size_t length = 0;
    std::size_t i = 0;
    bool spaceAfterNumber = false;
    while (i < utf8.size()) {
        if (isDigit(utf8[i]) && !spaceAfterNumber) {
            ascii[length++] = utf8[i++];  // the common case, kept cheap for huge texts
            continue;
        }
        const char32_t cp = nextCodePoint(utf8, i);
        if (isSpace(cp)) {
            spaceAfterNumber = length > 0;
            continue;
        }
        if (spaceAfterNumber) {
            notANumber();  // white space inside the text: "1 234", two numbers
        }
        const std::optional<char> c = asciiEquivalent(cp);
        if (!c) {
            notANumber();
        }
        ascii[length++] = *c;
    }
    ascii.resize(length);
    dropThousandsSeparators(ascii);
    return TextToNum(ascii);
}

}  // namespace zobu
