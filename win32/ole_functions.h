// COM and Active Accessibility, looked up in ole32, oleaut32 and oleacc only when a screen reader
// first asks the window for a label: a start without one loads no DLL beyond what the window
// needs, and nothing is imported that Wine or an older Windows might lack.
#pragma once

#include <windows.h>

#include <ole2.h>
#include <oleacc.h>

namespace zobu {

struct OleFunctions {
    decltype(&CoInitializeEx) coInitializeEx;
    decltype(&CoCreateInstance) coCreateInstance;
    decltype(&CoDisconnectObject) coDisconnectObject;
    decltype(&SysAllocString) sysAllocString;
    decltype(&CreateStdAccessibleObject) createStdAccessibleObject;
    decltype(&LresultFromObject) lresultFromObject;
};

// Loads the three libraries at the first call, and initialises COM for the calling (window's)
// thread. Null when any library or function is missing, or the thread is in the multithreaded
// apartment: the labels then stay plain statics.
const OleFunctions* LoadOleFunctions() noexcept;

}  // namespace zobu
