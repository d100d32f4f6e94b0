#include "outer_height.h"

#include <cmath>

namespace zobu {
namespace {

constexpr double kTwipsPerInch = 1440.0;

}  // namespace

int TwipsToPixels(double twips, unsigned dpi) noexcept {
    return static_cast<int>(std::lround(twips * dpi / kTwipsPerInch));
}

double PixelsToTwips(int pixels, unsigned dpi) noexcept {
    return pixels * kTwipsPerInch / dpi;
}

OuterHeight::OuterHeight(int framePixels, unsigned dpi) noexcept
    : m_frameTwips(PixelsToTwips(framePixels, dpi)) {}

double OuterHeight::twips(int clientPixels, unsigned dpi) const noexcept {
    return PixelsToTwips(clientPixels, dpi) + m_frameTwips;
}

int OuterHeight::clientPixels(double outerTwips, unsigned dpi) const noexcept {
    return TwipsToPixels(outerTwips - m_frameTwips, dpi);
}

}  // namespace zobu
