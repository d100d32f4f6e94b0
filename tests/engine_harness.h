// An engine wired to a display that keeps its four lines as strings and a clipboard held in
// memory, with the mark's two places set as the window sets them at start-up. Scripts are in
// the keystroke language, plus what a test does to the clipboard between keys:
//   [text]  puts text on the clipboard (up to "]" or the end)
//   X Y Z   ClipboardClear / ClipboardPutText / ClipboardGetText start or stop failing
//   M       from now on they fail by running out of memory (std::bad_alloc), or no longer
#pragma once

#include <array>
#include <functional>
#include <new>
#include <stdexcept>
#include <string>

#include "calc_engine.h"
#include "calc_failure.h"
#include "keystrokes.h"

namespace zobu::testing {

inline constexpr std::int16_t kTieLeft = 50;
inline constexpr std::int16_t kTieRight = 4790;

struct RecordingDisplay : DisplayLines {
    std::string text(Line line) const override { return lines[static_cast<std::size_t>(line)]; }
    void setText(Line line, std::string_view text) override {
        lines[static_cast<std::size_t>(line)] = std::string(text);
    }
    void setTieLeft(std::int16_t left) override { tieLeft = left; }
    std::string mixTag(std::int16_t i) const override {
        return std::array{"", "+", "-", "*", "/"}.at(static_cast<std::size_t>(i));
    }
    std::string funTag(std::int16_t i) const override { return i == 0 ? "-" : "1 /"; }
    void beep() override { ++beeps; }

    std::array<std::string, 4> lines{"0", "", "", ""};  // lblSay, lblTie, lblLast, lblNext
    std::int16_t tieLeft = kTieRight;
    int beeps = 0;
};

struct FakeClipboard : Clipboard {
    void ClipboardClear() override { content = check(failClear); }
    void ClipboardPutText(std::string_view text) override { content = check(failPut) += text; }
    std::string ClipboardGetText() override { return check(failGet) + content; }
    std::string check(bool fail) const {
        if (fail && outOfMemory) {
            throw std::bad_alloc();
        }
        return fail ? throw CalcFailure(FailureKind::ClipboardUnavailable) : std::string();
    }

    std::string content;
    bool failClear = false, failPut = false, failGet = false, outOfMemory = false;
};

struct EngineHarness {
    EngineHarness() {
        engine.state().intTieLeft = kTieLeft, engine.state().intTieRight = kTieRight;
    }

    // Runs the script; `after` hears each key (its first character) once it has run.
    void press(std::string_view script, const std::function<void(char)>& after = nullptr) {
        for (std::size_t i = 0; i < script.size(); ++i) {
            const char c = script[i];
            if (c == '[') {
                const std::size_t end = std::min(script.find(']', i), script.size());
                clipboard.content = script.substr(i + 1, end - i - 1);
                i = end;
            } else if (c == 'X' || c == 'Y' || c == 'Z') {
                bool* fail[] = {&clipboard.failClear, &clipboard.failPut, &clipboard.failGet};
                *fail[c - 'X'] = !*fail[c - 'X'];
            } else if (c == 'M') {
                clipboard.outOfMemory = !clipboard.outOfMemory;
            } else if (const auto key = KeystrokeFor(c)) {
                press(*key);
            } else if (c != ' ') {
                throw std::invalid_argument("not a key: " + std::string(1, c));
            }
            if (after && c != ' ') {
                after(c);
            }
        }
    }

    void press(Keystroke key) {
        using G = KeyGroup;
        const std::int16_t i = key.index;
        key.group == G::lblNum    ? engine.lblNum_Click(i)
        : key.group == G::lblMix  ? engine.lblMix_Click(i)
        : key.group == G::lblFun  ? engine.lblFun_Click(i)
        : key.group == G::lblDel  ? engine.lblDel_Click()
        : key.group == G::lblCopy ? engine.lblCopy_Click()
                                  : engine.lblPaste_Click();
    }

    RecordingDisplay display;
    FakeClipboard clipboard;
    CalcEngine engine{display, clipboard};
};

}  // namespace zobu::testing
