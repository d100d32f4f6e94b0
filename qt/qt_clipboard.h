// The engine's clipboard on the system clipboard that Qt shares with other programs.
#pragma once

#include "clipboard.h"

namespace zobu {

// Each operation throws CalcFailure(ClipboardUnavailable) when Qt offers no clipboard; a copy
// also when the program does not hold the clipboard afterwards, and a paste when the clipboard
// cannot be read, where the platform tells (X; Windows for the copy).
class QtClipboard : public Clipboard {
public:
    void ClipboardClear() override;
    void ClipboardPutText(std::string_view text) override;
    std::string ClipboardGetText() override;
};

}  // namespace zobu
