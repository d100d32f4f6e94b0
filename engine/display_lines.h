// The engine's only view of the window: four text lines, the operator mark's Left,
// the tags of the operator and function keys, and the beep.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace zobu {

enum class Line {
    lblSay,   // the display, which is also the entry buffer
    lblTie,   // the operator mark beside the display
    lblLast,  // the history line above the display
    lblNext,  // the note line below the display
};

// Texts are UTF-8. Lengths are twips.
class DisplayLines {
public:
    virtual ~DisplayLines() = default;

    virtual std::string text(Line line) const = 0;
    virtual void setText(Line line, std::string_view text) = 0;
    // Moves lblTie sideways; its Top, Width and Height stay as laid out.
    virtual void setTieLeft(std::int16_t left) = 0;
    // Tag of lblMix(index), index 0-4: "", "+", "-", "*", "/".
    virtual std::string mixTag(std::int16_t index) const = 0;
    // Tag of lblFun(index), index 0-1: "-", "1 /".
    virtual std::string funTag(std::int16_t index) const = 0;
    virtual void beep() = 0;
};

}  // namespace zobu
