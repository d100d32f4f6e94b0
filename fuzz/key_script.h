// Turns fuzzer bytes into calculator keys. Seed files read like keystrokes, with the captions
// the engine tests use; any other byte is a key too, so random bytes are never wasted.
//   0-9 .        digits and the decimal point (lblNum 0-10)
//   = + - * /    equals and the operators (lblMix 0-4)
//   n r          sign change and reciprocal (lblFun 0-1)
//   D C V        DEL, copy, paste
//   T<text>\n    puts <text> on the clipboard (up to the newline or the end of the input)
//   X Y Z        ClipboardClear / ClipboardPutText / ClipboardGetText start or stop failing
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

namespace zobu::fuzz {

enum class Action { Num, Mix, Fun, Del, Copy, Paste, ClipText, FailClear, FailPut, FailGet };

struct Key {
    Action action = Action::Del;
    std::int16_t index = 0;  // element index for Num, Mix and Fun
    std::string_view text;   // clipboard text for ClipText
    char caption = 'D';      // the byte that names this key in a script
};

class KeyScript {
public:
    KeyScript(const std::uint8_t* data, std::size_t size) noexcept
        : m_bytes(reinterpret_cast<const char*>(data), size) {}

    std::optional<Key> next() noexcept {
        if (m_pos >= m_bytes.size()) {
            return std::nullopt;
        }
        const char c = m_bytes[m_pos++];
        if (c == 'T') {
            const std::size_t end = std::min(m_bytes.find('\n', m_pos), m_bytes.size());
            Key key{Action::ClipText, 0, m_bytes.substr(m_pos, end - m_pos), 'T'};
            m_pos = end == m_bytes.size() ? end : end + 1;
            return key;
        }
        if (const auto named = byCaption(c)) {
            return named;
        }
        const auto pick = static_cast<unsigned char>(c) % kCaptions.size();
        return byCaption(kCaptions[pick]);
    }

private:
    static constexpr std::string_view kCaptions = "0123456789.=+-*/nrDCVXYZ";

    static std::optional<Key> byCaption(char c) noexcept {
        if (c >= '0' && c <= '9') {
            return Key{Action::Num, static_cast<std::int16_t>(c - '0'), {}, c};
        }
        constexpr std::string_view kOperators = "=+-*/";
        if (const auto op = kOperators.find(c); op != std::string_view::npos) {
            return Key{Action::Mix, static_cast<std::int16_t>(op), {}, c};
        }
        switch (c) {
            case '.':
                return Key{Action::Num, 10, {}, c};
            case 'n':
                return Key{Action::Fun, 0, {}, c};
            case 'r':
                return Key{Action::Fun, 1, {}, c};
            case 'D':
                return Key{Action::Del, 0, {}, c};
            case 'C':
                return Key{Action::Copy, 0, {}, c};
            case 'V':
                return Key{Action::Paste, 0, {}, c};
            case 'X':
                return Key{Action::FailClear, 0, {}, c};
            case 'Y':
                return Key{Action::FailPut, 0, {}, c};
            case 'Z':
                return Key{Action::FailGet, 0, {}, c};
            default:
                return std::nullopt;
        }
    }

    std::string_view m_bytes;
    std::size_t m_pos = 0;
};

}  // namespace zobu::fuzz
