// frmA on a surface that records what it was told, as the window's layout starts it; and the
// layout row of each key of the keystroke language.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

#include "engine_harness.h"
#include "frm_a.h"
#include "layout_table.h"

namespace zobu::testing {

// The row of the key a character of the keystroke language names.
inline std::size_t KeyRow(char c) {
    using N = LabelName;
    constexpr N kNames[] = {N::lblNum, N::lblMix, N::lblFun, N::lblDel, N::lblCopy, N::lblPaste};
    const Keystroke key = *KeystrokeFor(c);
    return LayoutRow(kNames[static_cast<int>(key.group)], key.index);
}

struct Form : FormSurface {
    explicit Form(double outerHeight = 3900, bool load = true) : height(outerHeight) {
        for (std::size_t row = 0; row < kLabelCount; ++row) {
            const LabelSpec& l = kLayout[row];
            captions[row] = l.caption, places[row] = {l.left, l.top, l.width, l.height};
            visible[row] = l.visible;
        }
        if (load) {
            form.Form_Load();
        }
    }
    void setCaption(std::size_t row, std::string_view text, bool isHeard) override {
        captions.at(row) = text;
        if (isHeard) {
            heard.at(row).emplace_back(text);
        }
    }
    void moveLabel(std::size_t row, const TwipRect& place) override { places.at(row) = place; }
    void setLabelVisible(std::size_t row, bool shown) override { visible.at(row) = shown; }
    double windowHeight() const override { return height; }
    void setWindowHeight(double twips) override { height = twips; }
    void beep() override { ++beeps; }

    // Clicks keys named in the keystroke language.
    void press(std::string_view keys) {
        for (const char k : keys) {
            form.click(KeyRow(k));
        }
    }
    // Everything a click or a key can change; equal snapshots prove that nothing happened.
    auto snapshot() const {
        return std::tuple(captions, heard, places, visible, height, beeps, clipboard.content);
    }

    std::array<std::string, kLabelCount> captions;
    std::array<std::vector<std::string>, kLabelCount> heard;  // what a reader hears, by label
    std::array<TwipRect, kLabelCount> places;
    std::array<bool, kLabelCount> visible{};
    double height;
    int beeps = 0;
    FakeClipboard clipboard;
    frmA form{*this, clipboard};
};

}  // namespace zobu::testing
