#include "unhandled_failure.h"

#include <cstdio>

namespace zobu {

void WriteUnhandledFailure(const std::exception& failure) noexcept {
    std::fprintf(stderr, "zobu: unhandled failure, the calculator ends: %s\n", failure.what());
    std::fflush(stderr);
}

}  // namespace zobu
