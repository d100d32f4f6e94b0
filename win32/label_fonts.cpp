#include "label_fonts.h"

#include <algorithm>
#include <cmath>
#include <iterator>
#include <string>
#include <vector>

#include "face_fit.h"
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

HFONT song(const wchar_t* face, int pixels) {
    return makeFont(face, GB2312_CHARSET, DEFAULT_PITCH | FF_DONTCARE, pixels);
}

// Song faces that Chinese Windows installs, the written one first.
constexpr const wchar_t* kSongFaces[] = {L"宋体", L"新宋体", L"华文宋体"};

int CALLBACK noteFace(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found) {
    *reinterpret_cast<bool*>(found) = true;
    return 0;
}

// Whether Windows has the face itself, not a stand-in it would pick for the name.
bool installed(const wchar_t* face) {
    LOGFONTW wanted{};
    wanted.lfCharSet = DEFAULT_CHARSET;
    std::wstring_view(face).copy(wanted.lfFaceName, LF_FACESIZE - 1);
    bool found = false;
    HDC screen = GetDC(nullptr);
    EnumFontFamiliesExW(screen, &wanted, noteFace, reinterpret_cast<LPARAM>(&found), 0);
    ReleaseDC(nullptr, screen);
    return found;
}

// Whether the text, laid out as the panel's static control lays it out (its own line breaks
// only, tabs expanded, "&" as is), lies inside the panel.
bool helpFits(HFONT font, std::wstring_view text, SIZE panel) {
    HDC screen = GetDC(nullptr);
    HGDIOBJ previous = SelectObject(screen, font);
    RECT needed{0, 0, panel.cx, 0};
    DrawTextW(screen, text.data(), static_cast<int>(text.size()), &needed,
              DT_CALCRECT | DT_LEFT | DT_EXPANDTABS | DT_NOPREFIX);
    SelectObject(screen, previous);
    ReleaseDC(nullptr, screen);
    return needed.right <= panel.cx && needed.bottom <= panel.cy;
}

HFONT fittedDisplay(UINT dpi, int displayWidth) {
    const std::string_view ascii = kWidestDisplayText;
    const std::wstring widest(ascii.begin(), ascii.end());
    const int length = static_cast<int>(widest.size());
    const double pixels = ShrinkToFit(pointsToPixels(kDisplayPoints, dpi), 1, [&](double size) {
        HFONT font = fixedPitch(static_cast<int>(size));
        const bool fits = textWidth(font, widest.c_str(), length) <= displayWidth;
        DeleteObject(font);
        return fits;
    });
    return fixedPitch(static_cast<int>(pixels));
}

}  // namespace

LabelFonts::~LabelFonts() {
    release();
}

void LabelFonts::create(UINT dpi, int displayWidth) {
    release();
    m_fonts[static_cast<std::size_t>(FontRole::Key)] = fixedPitch(pointsToPixels(kKeyPoints, dpi));
    m_fonts[static_cast<std::size_t>(FontRole::Display)] = fittedDisplay(dpi, displayWidth);
    m_fonts[static_cast<std::size_t>(FontRole::Chinese)] =
        song(kSongFaces[0], pointsToPixels(kChinesePoints, dpi));
}

// "宋体" first, also where Windows only has a stand-in for the name, then the other installed
// Song faces (see ChooseHelpFace); sizes in whole pixels at the window's DPI.
HFONT LabelFonts::fitHelp(UINT dpi, std::wstring_view text, SIZE panel) {
    HFONT& help = m_fonts[static_cast<std::size_t>(FontRole::Help)];
    if (help != nullptr) {
        DeleteObject(help);
    }
    std::vector<const wchar_t*> faces{kSongFaces[0]};
    std::copy_if(std::begin(kSongFaces) + 1, std::end(kSongFaces), std::back_inserter(faces),
                 installed);
    const auto font = [&](std::size_t face, double pixels) {
        return song(faces[face], static_cast<int>(pixels));
    };
    const FaceChoice choice = ChooseHelpFace(faces.size(), pointsToPixels(kChinesePoints, dpi), 1,
                                             [&](std::size_t face, double pixels) {
                                                 HFONT candidate = font(face, pixels);
                                                 const bool fits = helpFits(candidate, text, panel);
                                                 DeleteObject(candidate);
                                                 return fits;
                                             });
    help = font(choice.face, choice.size);
    return help;
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
