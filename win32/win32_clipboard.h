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
    // has the clipboard open, or Windows has no memory for the text; std::bad_alloc when the
    // program has none for its copy of it. The clipboard is closed again, and every block
    // unlocked, on every way out.
    void ClipboardClear() override;
    void ClipboardPutText(std::string_view text) override;
    std::string ClipboardGetText() override;

private:
    HWND m_owner;
};

}  // namespace zobu
