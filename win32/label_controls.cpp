#include "label_controls.h"

#include <commctrl.h>

#include <stdexcept>
#include <string>

#include "dpi.h"
#include "outer_height.h"
#include "utf16.h"

namespace zobu {
namespace {

// Control ids of the labels: the layout row plus this.
constexpr int kFirstLabelId = 100;

DWORD alignmentStyle(TextAlign align) {
    switch (align) {
        case TextAlign::Left:
            // The help panel's lines end where its text says, never where a wider stand-in
            // font would wrap them (a wrapped rule pushes the last lines out of the panel).
            return SS_LEFTNOWORDWRAP;
        case TextAlign::Right:
            return SS_RIGHT;
        case TextAlign::Center:
            break;
    }
    return SS_CENTER;
}

// Static controls: no focus ever, and their text is what screen readers read. SS_NOPREFIX:
// an "&" is shown as is.
DWORD labelStyle(const LabelSpec& row) {
    DWORD style = WS_CHILD | WS_CLIPSIBLINGS | SS_NOPREFIX | alignmentStyle(row.align);
    if (row.visible) {
        style |= WS_VISIBLE;
    }
    if (row.border) {
        style |= WS_BORDER;
    }
    return style;
}

bool hasTooltip(std::size_t row) {
    return *kLayout[row].tooltip != '\0';
}

// A label's tooltip, known to the tooltip control by the window and the label's row.
TTTOOLINFOW toolOf(HWND window, std::size_t row) {
    TTTOOLINFOW tool{};
    // The size the tooltips of every comctl32 version accept.
    tool.cbSize = TTTOOLINFOW_V2_SIZE;
    tool.hwnd = window;
    tool.uId = row;
    return tool;
}

}  // namespace

void LabelControls::create(HWND window, HINSTANCE instance, UINT dpi) {
    m_window = window;
    for (std::size_t row = 0; row < kLayout.size(); ++row) {
        const LabelSpec& laidOut = kLayout[row];
        m_places[row] = {laidOut.left, laidOut.top, laidOut.width, laidOut.height};
        const auto id = static_cast<INT_PTR>(kFirstLabelId + static_cast<int>(row));
        m_labels[row] =
            CreateWindowExW(0, L"STATIC", ToUtf16(laidOut.caption).c_str(), labelStyle(laidOut), 0,
                            0, 0, 0, m_window, reinterpret_cast<HMENU>(id), instance, nullptr);
        if (m_labels[row] == nullptr) {
            throw std::runtime_error("cannot create the calculator's labels");
        }
    }
    // The help panel lies over every label: it hides them and takes every click inside it.
    SetWindowPos(m_labels[LayoutRow(LabelName::lblHelp)], HWND_TOP, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    createTooltips(instance);
    useDpi(dpi);
    m_access.attach(m_labels);
}

// The tips are filled once; a new DPI only moves their rectangles.
void LabelControls::createTooltips(HINSTANCE instance) {
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    m_tooltips =
        CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                        WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT, CW_USEDEFAULT,
                        CW_USEDEFAULT, CW_USEDEFAULT, m_window, nullptr, instance, nullptr);
    if (m_tooltips == nullptr) {
        return;  // the calculator works without its tooltips
    }
    for (std::size_t row = 0; row < kLayout.size(); ++row) {
        if (!hasTooltip(row)) {
            continue;
        }
        std::wstring text = ToUtf16(kLayout[row].tooltip);
        // By rectangle: the mouse never reaches the labels themselves.
        TTTOOLINFOW tool = toolOf(m_window, row);
        tool.uFlags = TTF_SUBCLASS;
        tool.lpszText = text.data();
        SendMessageW(m_tooltips, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    }
}

// Edges are rounded, not sizes, so that labels that touch in twips touch in pixels.
void LabelControls::useDpi(UINT dpi) {
    m_dpi = dpi;
    const RECT say = pixelRect(LayoutRow(LabelName::lblSay));
    m_fonts.create(dpi, say.right - say.left - 2 * SystemMetric(SM_CXBORDER, dpi));
    // The tips are Chinese: they get the Chinese labels' font, wherever the system's tip
    // font lacks the characters.
    if (m_tooltips != nullptr) {
        SendMessageW(m_tooltips, WM_SETFONT,
                     reinterpret_cast<WPARAM>(m_fonts.font(FontRole::Chinese)), FALSE);
    }
    // The help panel's face is measured when the panel is shown: until then it holds the
    // lines' font, which exists already.
    const std::size_t help = LayoutRow(LabelName::lblHelp);
    m_helpFitted = false;
    for (std::size_t row = 0; row < kLayout.size(); ++row) {
        const FontRole role = row == help ? FontRole::Chinese : kLayout[row].font;
        SendMessageW(m_labels[row], WM_SETFONT, reinterpret_cast<WPARAM>(m_fonts.font(role)),
                     FALSE);
        place(row);
    }
    if (IsWindowVisible(m_labels[help])) {
        fitHelp();
    }
}

// The help panel's face and size, measured at the window's DPI so that all of its lines
// show: chosen at the panel's first showing, and again at its first showing on a monitor of
// another DPI.
void LabelControls::fitHelp() {
    const std::size_t help = LayoutRow(LabelName::lblHelp);
    HWND label = m_labels[help];
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(label)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        GetWindowTextW(label, text.data(), static_cast<int>(text.size()))));
    const RECT panel = pixelRect(help);
    HFONT font = m_fonts.fitHelp(m_dpi, text, {panel.right - panel.left, panel.bottom - panel.top});
    SendMessageW(label, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    m_helpFitted = true;
}

RECT LabelControls::pixelRect(std::size_t row) const noexcept {
    const TwipRect& twips = m_places[row];
    return {TwipsToPixels(twips.left, m_dpi), TwipsToPixels(twips.top, m_dpi),
            TwipsToPixels(twips.left + twips.width, m_dpi),
            TwipsToPixels(twips.top + twips.height, m_dpi)};
}

void LabelControls::place(std::size_t row) {
    const RECT rect = pixelRect(row);
    MoveWindow(m_labels[row], rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
               TRUE);
    if (m_tooltips != nullptr && hasTooltip(row)) {
        TTTOOLINFOW tool = toolOf(m_window, row);
        tool.rect = rect;
        SendMessageW(m_tooltips, TTM_NEWTOOLRECTW, 0, reinterpret_cast<LPARAM>(&tool));
    }
}

void LabelControls::setText(std::size_t row, std::string_view text, bool heard) {
    SetWindowTextW(m_labels.at(row), ToUtf16(text).c_str());
    if (heard) {
        m_access.announce(row);
    }
}

void LabelControls::move(std::size_t row, const TwipRect& place) {
    m_places.at(row) = place;
    this->place(row);
}

void LabelControls::setVisible(std::size_t row, bool visible) {
    if (kLayout.at(row).name == LabelName::lblHelp) {
        if (visible && !m_helpFitted) {
            fitHelp();
        }
        // The shown panel covers every label, and with them their tips.
        if (m_tooltips != nullptr) {
            SendMessageW(m_tooltips, TTM_ACTIVATE, !visible, 0);
        }
    }
    ShowWindow(m_labels.at(row), visible ? SW_SHOWNA : SW_HIDE);
}

std::optional<std::size_t> LabelControls::labelAt(POINT point) const {
    HWND child = ChildWindowFromPointEx(m_window, point, CWP_SKIPINVISIBLE);
    const int id = child != nullptr && child != m_window ? GetDlgCtrlID(child) : 0;
    if (id < kFirstLabelId || id >= kFirstLabelId + static_cast<int>(kLabelCount)) {
        return std::nullopt;
    }
    return static_cast<std::size_t>(id - kFirstLabelId);
}

}  // namespace zobu
