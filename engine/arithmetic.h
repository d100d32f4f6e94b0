// Checked IEEE double arithmetic. Operands are always finite, so a stored result that is not
// finite tells exactly which failure the step raised. No floating-point status flags are
// read, which keeps the checks deterministic under optimisation and sanitizers, and no
// exception is thrown, so a failed step costs no more than a successful one.
#pragma once

#include <cmath>
#include <optional>

#include "calc_failure.h"

namespace zobu {

struct Checked {
    double value = 0.0;
    std::optional<FailureKind> failure;  // set when the step failed; value is then unused
};

inline Checked checkedResult(double result) {
    if (std::isnan(result)) {
        return {result, FailureKind::InvalidOperation};
    }
    if (std::isinf(result)) {
        return {result, FailureKind::Overflow};
    }
    return {result, std::nullopt};
}

inline Checked checkedDivide(double dividend, double divisor) {
    if (divisor == 0.0) {
        return {0.0, dividend == 0.0 ? FailureKind::InvalidOperation : FailureKind::DivisionByZero};
    }
    return checkedResult(dividend / divisor);
}

}  // namespace zobu
