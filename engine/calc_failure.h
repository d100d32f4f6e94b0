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

}  // namespace zobu
