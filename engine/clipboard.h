// The system clipboard as the engine uses it: plain UTF-8 text only.
#pragma once

#include <string>
#include <string_view>

namespace zobu {

// Each operation may throw CalcFailure (for example FailureKind::ClipboardUnavailable).
class Clipboard {
public:
    virtual ~Clipboard() = default;

    virtual void ClipboardClear() = 0;
    virtual void ClipboardPutText(std::string_view text) = 0;
    // The clipboard's plain text, or "" when it holds none.
    virtual std::string ClipboardGetText() = 0;
};

}  // namespace zobu
