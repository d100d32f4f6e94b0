#include "calc_failure.h"

#include <new>

namespace zobu {

std::string_view ErrorText(FailureKind kind) noexcept {
    switch (kind) {
        case FailureKind::DivisionByZero:
            return "除数为零";
        case FailureKind::Overflow:
            return "溢出";
        case FailureKind::InvalidOperation:
            return "无效运算";
        case FailureKind::TypeMismatch:
            return "类型不匹配";
        case FailureKind::ClipboardUnavailable:
            return "无法访问剪贴板";
    }
    return "未知错误";
}

std::string_view CurrentErrorText() noexcept {
    try {
        throw;
    } catch (const CalcFailure& failure) {
        return ErrorText(failure);
    } catch (const std::bad_alloc&) {
        return "内存不足";
    } catch (...) {
        return "未知错误";
    }
}

const char* CalcFailure::what() const noexcept {
    // ErrorText returns views of string literals, so data() is NUL-terminated.
    return ErrorText(m_kind).data();
}

}  // namespace zobu
