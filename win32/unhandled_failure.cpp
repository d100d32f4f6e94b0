#include "unhandled_failure.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>

namespace zobu {

void EndOnUnhandledFailure(const std::exception& failure) noexcept {
    constexpr const char* prefix = "zobu: unhandled failure, the calculator ends: ";
    std::fprintf(stderr, "%s%s\n", prefix, failure.what());
    std::fflush(stderr);
    // A program without a console has no stderr to look at; a debugger still hears this.
    OutputDebugStringA(prefix);
    OutputDebugStringA(failure.what());
    std::_Exit(EXIT_FAILURE);
}

}  // namespace zobu
