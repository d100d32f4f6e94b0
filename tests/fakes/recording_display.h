// A DisplayLines that keeps the four lines as plain strings and records what the engine did.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "display_lines.h"

namespace zobu::testing {

class RecordingDisplay : public DisplayLines {
public:
    std::string text(Line line) const override { return m_text[index(line)]; }
    void setText(Line line, std::string_view text) override {
        m_text[index(line)] = std::string(text);
        ++writes;
    }
    void setTieLeft(std::int16_t left) override { tieLeft = left; }
    std::string mixTag(std::int16_t i) const override {
        static const std::array<const char*, 5> tags{"", "+", "-", "*", "/"};
        return tags.at(static_cast<std::size_t>(i));
    }
    std::string funTag(std::int16_t i) const override {
        static const std::array<const char*, 2> tags{"-", "1 /"};
        return tags.at(static_cast<std::size_t>(i));
    }
    void beep() override { ++beeps; }

    std::string say() const { return text(Line::lblSay); }
    std::string tie() const { return text(Line::lblTie); }
    std::string last() const { return text(Line::lblLast); }
    std::string next() const { return text(Line::lblNext); }

    std::int16_t tieLeft = 0;
    int beeps = 0;
    int writes = 0;

private:
    static std::size_t index(Line line) { return static_cast<std::size_t>(line); }
    std::array<std::string, 4> m_text{"0", "", "", ""};  // lblSay starts at "0"
};

}  // namespace zobu::testing
