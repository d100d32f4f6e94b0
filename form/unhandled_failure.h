// The edge between the calculator and a toolkit's event dispatch: neither Qt's event loop nor
// a Windows window procedure may carry an exception, so a failure that leaves an event handler
// is reported here and the program ends with a non-zero status, as an unhandled failure should.
#pragma once

#include <exception>

namespace zobu {

// The line on stderr that names a failure leaving an event handler, the same on every platform.
void WriteUnhandledFailure(const std::exception& failure) noexcept;

// Writes that line (on Windows also shows the failure in a message box and tells the debugger)
// and ends the program with status 1. Each front-end defines it: qt/ and win32/.
[[noreturn]] void EndOnUnhandledFailure(const std::exception& failure) noexcept;

// Runs an event handler; a failure it lets pass ends the program.
template <typename Handler>
void RunEventHandler(Handler&& handler) noexcept {
    try {
        handler();
    } catch (const std::exception& failure) {
        EndOnUnhandledFailure(failure);
    }
}

}  // namespace zobu
