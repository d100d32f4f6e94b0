#include "unhandled_failure.h"

#include <cstdlib>

namespace zobu {

void EndOnUnhandledFailure(const std::exception& failure) noexcept {
    WriteUnhandledFailure(failure);
    // Straight out: unwinding through Qt's event loop, or tearing down Qt's statics under a
    // live QApplication, could fail worse than the failure being reported.
    std::_Exit(EXIT_FAILURE);
}

}  // namespace zobu
