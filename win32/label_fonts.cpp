#include "label_fonts.h"

#include <cmath>
#include <string>
#include <string_view>

#include "number_text.h"

namespace zobu {
namespace {

constexpr double kKeyPoints = FontPoints(FontRole::Key);
constexpr double kDisplayPoints = FontPoints(FontRole::Display);
constexpr double kChinesePoints = FontPoints(FontRole::Chinese);
constexpr double kPointsPerInch = 72.0;

HFONT makeFont(const wchar_t* face, BYTE charset, BYTE family, int pixels) {
    // A negative height asks for the character height (the em), which is what points measure.
    return CreateFontW(-pixels, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, charset, OUT_TT_PRECIS,
                       CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY, family, face);
}

int pointsToPixels(double points, UINT dpi) {
    return static_cast<int>(std::lround(points * dpi / kPointsPerInch));
}

HFONT fixedPitch(int pixels) {
    return makeFont(L"Lucida Console", DEFAULT_CHARSET, FIXED_PITCH | FF_MODERN, pixels);
}

int textWidth(HFONT font, const wchar_t* text, int length) {
    HDC screen = GetDC(nullptr);
    HGDIOBJ previous = SelectObject(screen, font);
    SIZE size{};
    GetTextExtentPoint32W(screen, text, length, &size);
    SelectObject(screen, previous);
    ReleaseDC(nullptr, screen);
    return size.cx;
}

HFONT fittedDisplay(UINT dpi, int displayWidth) {
    const std::string_view ascii = kWidestDisplayText;
    const std::wstring widest(ascii.begin(), ascii.end());
    const int length = static_cast<int>(widest.size());
    int pixels = pointsToPixels(kDisplayPoints, dpi);
    HFONT font = fixedPitch(pixels);
    while (pixels > 1 && textWidth(font, widest.c_str(), length) > displayWidth) {
        DeleteObject(font);
        font = fixedPitch(--pixels);
    }
    return font;
}

}  // namespace

LabelFonts::~LabelFonts() {
    release();
}

void LabelFonts::create(UINT dpi, int displayWidth) {
    release();
    m_fonts[static_cast<std::size_t>(FontRole::Key)] = fixedPitch(pointsToPixels(kKeyPoints, dpi));
    m_fonts[static_cast<std::size_t>(FontRole::Display)] = fittedDisplay(dpi, displayWidth);
    // SimSun, Windows' own "宋体", holds the help text at the written size: the panel uses it too.
    for (const FontRole role : {FontRole::Chinese, FontRole::Help}) {
        m_fonts[static_cast<std::size_t>(role)] =
            makeFont(L"宋体", GB2312_CHARSET, DEFAULT_PITCH | FF_DONTCARE,
                     pointsToPixels(kChinesePoints, dpi));
    }
}

void LabelFonts::release() noexcept {
    for (HFONT& font : m_fonts) {
        if (font != nullptr) {
            DeleteObject(font);
            font = nullptr;
        }
    }
}

}  // namespace zobu
