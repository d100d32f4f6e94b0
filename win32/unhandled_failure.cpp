#include "unhandled_failure.h"

#include <windows.h>

#include <cstdlib>
#include <string>

#include "layout_table.h"
#include "utf16.h"

namespace zobu {

// A program without a console has no stderr that anyone sees: the user is told in a message
// box, in the interface's language, and a debugger hears the same text. Texts are UTF-8
// inside the program and UTF-16 to Windows, so the Chinese of a failure's text survives.
void EndOnUnhandledFailure(const std::exception& failure) noexcept {
    WriteUnhandledFailure(failure);
    std::wstring text;
    try {
        text = ToUtf16(std::string("计算器出现无法处理的错误，即将关闭：\n\n") + failure.what());
    } catch (...) {
        text = L"计算器出现无法处理的错误，即将关闭。";  // no memory left to say more
    }
    OutputDebugStringW(text.c_str());
    MessageBoxW(nullptr, text.c_str(), ToUtf16(kProgramName).c_str(),
                MB_OK | MB_ICONERROR | MB_TASKMODAL | MB_SETFOREGROUND);
    std::_Exit(EXIT_FAILURE);
}

}  // namespace zobu
