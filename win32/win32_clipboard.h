// The engine's clipboard on the Windows clipboard, as Unicode text (CF_UNICODETEXT), which
// every Windows program can paste and which Windows converts for those that ask for ANSI text.
#pragma once

#include <windows.h>

#include "clipboard.h"

namespace zobu {

class Win32Clipboard final : public Clipboard {
public:
    // `owner` is the calculator's window: Windows gives it the clipboard while it writes.
    explicit Win32Clipboard(HWND owner) noexcept : m_owner(owner) {}

    // Each throws CalcFailure(ClipboardUnavailable) when Windows refuses: another program
    // has the clipboard open, or memory for the text cannot be had.
    void ClipboardClear() override;
    void ClipboardPutText(std::string_view text) override;
    std::string ClipboardGetText() override;

private:
    HWND m_owner;
};

}  // namespace zobu
