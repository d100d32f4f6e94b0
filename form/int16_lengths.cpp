#include "int16_lengths.h"

#include <cmath>
#include <limits>

#include "calc_failure.h"

namespace zobu {
namespace {

// 16-bit signed addition; throws CalcFailure(Overflow) when the sum does not fit.
std::int16_t AddInt16(std::int16_t a, std::int16_t b) {
    const int sum = a + b;
    if (sum < std::numeric_limits<std::int16_t>::min() ||
        sum > std::numeric_limits<std::int16_t>::max()) {
        throw CalcFailure(FailureKind::Overflow);
    }
    return static_cast<std::int16_t>(sum);
}

}  // namespace

std::int16_t ToInt16(double value) {
    double rounded = std::floor(value);
    const double fraction = value - rounded;
    if (fraction > 0.5 || (fraction == 0.5 && std::fmod(rounded, 2.0) != 0.0)) {
        rounded += 1.0;
    }
    // NaN fails both comparisons and is refused with the out-of-range values.
    if (!(rounded >= std::numeric_limits<std::int16_t>::min() &&
          rounded <= std::numeric_limits<std::int16_t>::max())) {
        throw CalcFailure(FailureKind::Overflow);
    }
    return static_cast<std::int16_t>(rounded);
}

double FoldToggleHeight(double current, std::int16_t full, std::int16_t fold) {
    const std::int16_t midpoint = static_cast<std::int16_t>(AddInt16(full, fold) / 2);
    return current < midpoint ? full : fold;
}

}  // namespace zobu
