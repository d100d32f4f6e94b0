// Failures an operation can raise, and their descriptions for the note line.
#pragma once

#include <exception>
#include <string_view>

namespace zobu {

enum class FailureKind {
    DivisionByZero,
    Overflow,
    InvalidOperation,
    TypeMismatch,
    ClipboardUnavailable,
};

class CalcFailure : public std::exception {
public:
    explicit CalcFailure(FailureKind kind) noexcept : m_kind(kind) {}
    FailureKind kind() const noexcept { return m_kind; }
    const char* what() const noexcept override;

private:
    FailureKind m_kind;
};

// Short Simplified Chinese description of a failure, UTF-8.
std::string_view ErrorText(FailureKind kind) noexcept;
inline std::string_view ErrorText(const CalcFailure& failure) noexcept {
    return ErrorText(failure.kind());
}

// Inside a catch block: the description of the failure being handled, whatever threw it. A
// platform's clipboard can fail in its own ways (no memory for a large text, a conversion),
// and those are reported as the calculator reports its own.
std::string_view CurrentErrorText() noexcept;

}  // namespace zobu
