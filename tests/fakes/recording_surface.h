// A FormSurface that keeps what frmA set on each label and the window, as plain values.
#pragma once

#include <array>
#include <string>

#include "form_surface.h"
#include "layout_table.h"

namespace zobu::testing {

class RecordingSurface : public FormSurface {
public:
    // The window as the toolkit laid it out, before the load step.
    struct Window {
        std::array<std::string, kLabelCount> captions;
        std::array<TwipRect, kLabelCount> places;
        std::array<bool, kLabelCount> visible{};
        double height = 0;
        int heightChanges = 0;
        int beeps = 0;

        friend bool operator==(const Window&, const Window&) = default;
    };

    explicit RecordingSurface(double outerHeight) {
        for (std::size_t row = 0; row < kLabelCount; ++row) {
            const LabelSpec& spec = kLayout[row];
            window.captions[row] = spec.caption;
            window.places[row] = {spec.left, spec.top, spec.width, spec.height};
            window.visible[row] = spec.visible;
        }
        window.height = outerHeight;
    }

    void setCaption(std::size_t row, std::string_view text) override {
        window.captions.at(row) = text;
    }
    void moveLabel(std::size_t row, const TwipRect& place) override {
        window.places.at(row) = place;
    }
    void setLabelVisible(std::size_t row, bool visible) override {
        window.visible.at(row) = visible;
    }
    double windowHeight() const override { return window.height; }
    void setWindowHeight(double twips) override {
        window.height = twips;
        ++window.heightChanges;
    }
    void beep() override { ++window.beeps; }

    const std::string& caption(LabelName name, std::int16_t index = 0) const {
        return window.captions[LayoutRow(name, index)];
    }
    const TwipRect& place(LabelName name) const { return window.places[LayoutRow(name)]; }
    bool helpShown() const { return window.visible[LayoutRow(LabelName::lblHelp)]; }

    Window window;
};

}  // namespace zobu::testing
