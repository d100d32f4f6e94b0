// The window's outer height as the load step records it and folding sets it, on a platform
// whose frame (title bar and borders) is drawn in whole pixels of each monitor's DPI, as on
// Windows. At another DPI the frame is another number of twips, so the recorded heights are
// kept as the client area's height plus the frame as it was when the window was made: the
// client area then folds and unfolds to the layout's twips, to the pixel, at every DPI.
#pragma once

namespace zobu {

// A length or an edge in twips (1/1440 inch) as the nearest whole pixel at `dpi`, and back.
int TwipsToPixels(double twips, unsigned dpi) noexcept;
double PixelsToTwips(int pixels, unsigned dpi) noexcept;

class OuterHeight {
public:
    // The frame: the outer height less the client height, in pixels at `dpi`, as made.
    OuterHeight(int framePixels, unsigned dpi) noexcept;

    // The outer height in twips of a client area `clientPixels` high at `dpi`.
    double twips(int clientPixels, unsigned dpi) const noexcept;
    // The client area's height in pixels at `dpi` for an outer height in twips.
    int clientPixels(double outerTwips, unsigned dpi) const noexcept;

private:
    double m_frameTwips;
};

}  // namespace zobu
