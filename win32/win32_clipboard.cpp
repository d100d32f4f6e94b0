#include "win32_clipboard.h"

#include <cstring>
#include <cwchar>
#include <string>

#include "calc_failure.h"
#include "utf16.h"

namespace zobu {
namespace {

[[noreturn]] void unavailable() {
    throw CalcFailure(FailureKind::ClipboardUnavailable);
}

// Opened for the length of one operation only: while it is open no other program can use it.
class OpenClipboardScope {
public:
    explicit OpenClipboardScope(HWND owner) {
        if (!OpenClipboard(owner)) {
            unavailable();
        }
    }
    ~OpenClipboardScope() { CloseClipboard(); }
    OpenClipboardScope(const OpenClipboardScope&) = delete;
    OpenClipboardScope& operator=(const OpenClipboardScope&) = delete;
};

// The text of a locked CF_UNICODETEXT block, read no further than the block reaches: another
// program's block need not end in a NUL.
std::wstring lockedText(HANDLE data) {
    const auto* text = static_cast<const wchar_t*>(GlobalLock(data));
    if (text == nullptr) {
        unavailable();
    }
    const std::size_t capacity = GlobalSize(data) / sizeof(wchar_t);
    std::wstring out(text, wcsnlen(text, capacity));
    GlobalUnlock(data);
    return out;
}

}  // namespace

void Win32Clipboard::ClipboardClear() {
    OpenClipboardScope open(m_owner);
    if (!EmptyClipboard()) {
        unavailable();
    }
}

void Win32Clipboard::ClipboardPutText(std::string_view text) {
    const std::wstring wide = ToUtf16(text);
    const std::size_t bytes = (wide.size() + 1) * sizeof(wchar_t);
    OpenClipboardScope open(m_owner);
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, bytes);
    if (block == nullptr) {
        unavailable();
    }
    void* target = GlobalLock(block);
    if (target != nullptr) {
        std::memcpy(target, wide.c_str(), bytes);
        GlobalUnlock(block);
    }
    // Emptying again makes this window the owner, without which Windows refuses the text.
    if (target == nullptr || !EmptyClipboard() ||
        SetClipboardData(CF_UNICODETEXT, block) == nullptr) {
        GlobalFree(block);
        unavailable();
    }
    // The clipboard owns the block now.
}

std::string Win32Clipboard::ClipboardGetText() {
    OpenClipboardScope open(m_owner);
    if (!IsClipboardFormatAvailable(CF_UNICODETEXT)) {
        return {};
    }
    HANDLE data = GetClipboardData(CF_UNICODETEXT);
    if (data == nullptr) {
        unavailable();
    }
    return ToUtf8(lockedText(data));
}

}  // namespace zobu
