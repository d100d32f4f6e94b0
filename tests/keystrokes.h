// The keystroke language every harness speaks (engine and window tests, fuzzers, benchmarks):
// one character a key, as the keypad captions them.
//   0-9 .  digits and the point     = + - * /  equals and the operators
//   n  "-n"   r  "1/n"   D  "DEL"   C  copy   V  paste      blanks are skipped
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace zobu::testing {

enum class KeyGroup { lblNum, lblMix, lblFun, lblDel, lblCopy, lblPaste };

struct Keystroke {
    KeyGroup group;
    std::int16_t index;  // element index in lblNum, lblMix and lblFun; 0 otherwise
};

inline constexpr std::string_view kKeystrokes = "0123456789.=+-*/nrDCV";

// The key a character names, or nothing for any other character.
constexpr std::optional<Keystroke> KeystrokeFor(char c) {
    constexpr std::string_view kGroups[] = {"0123456789.", "=+-*/", "nr", "D", "C", "V"};
    for (int group = 0; group < 6; ++group) {
        if (const auto at = kGroups[group].find(c); at != std::string_view::npos) {
            return Keystroke{static_cast<KeyGroup>(group), static_cast<std::int16_t>(at)};
        }
    }
    return std::nullopt;
}

// The character that names the key of a keypad caption.
constexpr std::string_view KeystrokeOfCaption(std::string_view caption) {
    return caption == "-n" ? "n" : caption == "1/n" ? "r" : caption.substr(0, 1);
}

}  // namespace zobu::testing
