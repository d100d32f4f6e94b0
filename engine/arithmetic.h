// Checked IEEE double arithmetic: operands are always finite, so a result that is not
// finite tells exactly which failure the step raised. No floating-point status flags are
// read, which keeps the checks deterministic under optimisation and sanitizers.
#pragma once

#include <cmath>

#include "calc_failure.h"

namespace zobu {

// Raises the failure for a stored result computed from finite operands.
inline double checkedResult(double result) {
    if (std::isnan(result)) {
        throw CalcFailure(FailureKind::InvalidOperation);
    }
    if (std::isinf(result)) {
        throw CalcFailure(FailureKind::Overflow);
    }
    return result;
}

inline double checkedDivide(double dividend, double divisor) {
    if (divisor == 0.0) {
        throw CalcFailure(dividend == 0.0 ? FailureKind::InvalidOperation
                                          : FailureKind::DivisionByZero);
    }
    return checkedResult(dividend / divisor);
}

}  // namespace zobu
