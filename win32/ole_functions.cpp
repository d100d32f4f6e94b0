#include "ole_functions.h"

namespace zobu {
namespace {

// GetProcAddress returns every function as one generic type; `function` has its own.
template <typename Function>
bool find(HMODULE module, const char* name, Function& function) noexcept {
    if (module == nullptr) {
        return false;
    }
    function = reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
    return function != nullptr;
}

bool load(OleFunctions& f) noexcept {
    HMODULE ole32 = LoadLibraryW(L"ole32.dll");
    HMODULE oleaut32 = LoadLibraryW(L"oleaut32.dll");
    HMODULE oleacc = LoadLibraryW(L"oleacc.dll");
    if (!(find(ole32, "CoInitializeEx", f.coInitializeEx) &&
          find(ole32, "CoCreateInstance", f.coCreateInstance) &&
          find(ole32, "CoDisconnectObject", f.coDisconnectObject) &&
          find(oleaut32, "SysAllocString", f.sysAllocString) &&
          find(oleacc, "CreateStdAccessibleObject", f.createStdAccessibleObject) &&
          find(oleacc, "LresultFromObject", f.lresultFromObject))) {
        return false;
    }
    // A single-threaded apartment: a reader in another process calls the labels' objects
    // through the window's own message loop, on the thread that owns them. Already one is as
    // good; a thread already in the multithreaded apartment (RPC_E_CHANGED_MODE) would have
    // them called on any thread, so the labels stay plain statics there.
    return SUCCEEDED(f.coInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
}

}  // namespace

const OleFunctions* LoadOleFunctions() noexcept {
    static OleFunctions functions{};
    static const bool loaded = load(functions);
    return loaded ? &functions : nullptr;
}

}  // namespace zobu
