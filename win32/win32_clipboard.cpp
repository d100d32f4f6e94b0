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

// A block locked for as long as it is read or written, unlocked on every way out (a copy of
// another program's large text may find no memory).
class GlobalLockScope {
public:
    explicit GlobalLockScope(HGLOBAL block) : m_block(block), m_data(GlobalLock(block)) {
        if (m_data == nullptr) {
            unavailable();
        }
    }
    ~GlobalLockScope() { GlobalUnlock(m_block); }
    GlobalLockScope(const GlobalLockScope&) = delete;
    GlobalLockScope& operator=(const GlobalLockScope&) = delete;

    void* data() const noexcept { return m_data; }

private:
    HGLOBAL m_block;
    void* m_data;
};

// The text of a CF_UNICODETEXT block, read no further than the block reaches: another
// program's block need not end in a NUL.
std::wstring blockText(HANDLE data) {
    GlobalLockScope lock(data);
    const auto* text = static_cast<const wchar_t*>(lock.data());
    return std::wstring(text, wcsnlen(text, GlobalSize(data) / sizeof(wchar_t)));
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
    try {
        GlobalLockScope lock(block);
        std::memcpy(lock.data(), wide.c_str(), bytes);
    } catch (...) {
        GlobalFree(block);
        throw;
    }
    // Emptying again makes this window the owner, without which Windows refuses the text.
    if (!EmptyClipboard() || SetClipboardData(CF_UNICODETEXT, block) == nullptr) {
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
    return ToUtf8(blockText(data));
}

}  // namespace zobu
