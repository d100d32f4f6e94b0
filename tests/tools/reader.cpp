// A screen reader's view of the Windows calculator, from a process of its own as a reader has
// it: each label through oleacc, the WinEvents the calculator's process raises, and presses
// through a label's default action. Commands on stdin, one a line; each answer ends with ".".
//     list        per label: ROLE STATE ACTION DESCRIPTION (tab-separated, roles and states
//                 as MSAA numbers in hex)
//     press NAME  the default action of the last label so named (the keys come after the
//                 lines), answered once the calculator has run it: "pressed", or "refused"
//                 where it fails
//     heard       the names of the labels that raised a live-region change since the last
//                 "heard", in order, each as it is once the command before has been answered
#include <windows.h>

#include <ole2.h>
#include <oleacc.h>

#include <algorithm>
#include <iostream>
#include <string>
#include <utility>
#include <vector>

namespace {

std::vector<HWND> g_labels;   // by layout row: the calculator numbers its labels in that order
std::vector<HWND> g_changed;  // labels whose live-region change is not yet named
std::vector<std::string> g_heard;

// A BSTR as UTF-8, freed; "-" for none.
std::string Take(HRESULT result, const BSTR& text) {
    std::string out(SUCCEEDED(result) && text != nullptr ? SysStringLen(text) * 3 : 0, '\0');
    out.resize(static_cast<std::size_t>(
        WideCharToMultiByte(CP_UTF8, 0, text, static_cast<int>(SysStringLen(text)), out.data(),
                            static_cast<int>(out.size()), nullptr, nullptr)));
    SysFreeString(text);
    return out.empty() ? "-" : out;
}

const VARIANT kSelf = [] {
    VARIANT self{};
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    return self;
}();

// Each query a new object, as a reader gets one from each event.
template <typename Query>
void Ask(HWND label, Query query) {
    IAccessible* object = nullptr;
    AccessibleObjectFromWindow(label, static_cast<DWORD>(OBJID_CLIENT), __uuidof(IAccessible),
                               reinterpret_cast<void**>(&object));
    if (object != nullptr) {
        query(*object);
        object->Release();
    }
}

std::string Name(IAccessible& object) {
    BSTR name = nullptr;
    return Take(object.get_accName(kSelf, &name), name);
}

// Only noted here: a call into the calculator from inside the callback would let the next
// event's callback run before this one's is done.
void CALLBACK Heard(HWINEVENTHOOK, DWORD, HWND window, LONG object, LONG, DWORD, DWORD) {
    if (object == OBJID_CLIENT && std::ranges::count(g_labels, window) > 0) {
        g_changed.push_back(window);
    }
}

// Runs the hook's callbacks for every event raised so far, and names them.
void Pump() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        DispatchMessageW(&message);
    }
    for (HWND label : std::exchange(g_changed, {})) {
        Ask(label, [](IAccessible& object) { g_heard.push_back(Name(object)); });
    }
}

void List() {
    for (HWND label : g_labels) {
        Ask(label, [](IAccessible& object) {
            VARIANT role{}, state{};
            BSTR action = nullptr, description = nullptr;
            object.get_accRole(kSelf, &role);
            object.get_accState(kSelf, &state);
            const std::string word = Take(object.get_accDefaultAction(kSelf, &action), action);
            std::cout << std::hex << role.lVal << '\t' << state.lVal << std::dec << '\t' << word
                      << '\t' << Take(object.get_accDescription(kSelf, &description), description)
                      << '\n';
        });
    }
}

void Press(const std::string& name) {
    HRESULT result = E_INVALIDARG;
    for (auto label = g_labels.rbegin(); label != g_labels.rend() && result == E_INVALIDARG;
         ++label) {
        Ask(*label, [&](IAccessible& object) {
            if (Name(object) == name && (result = object.accDoDefaultAction(kSelf)) == S_OK) {
                // A press runs after the call returns. The calculator answers a call after
                // the messages posted before it: once another is answered, the press has run.
                Name(object);
            }
        });
    }
    std::cout << (result == S_OK ? "pressed" : "refused") << '\n';
}

}  // namespace

int main() {
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    // Started once the calculator's window is seen on the X server.
    HWND window = FindWindowW(L"ZobuCalculator", nullptr);
    for (HWND label = nullptr; (label = FindWindowExW(window, label, nullptr, nullptr));) {
        g_labels.push_back(label);
    }
    std::sort(g_labels.begin(), g_labels.end(),
              [](HWND a, HWND b) { return GetDlgCtrlID(a) < GetDlgCtrlID(b); });
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    SetWinEventHook(EVENT_OBJECT_LIVEREGIONCHANGED, EVENT_OBJECT_LIVEREGIONCHANGED, nullptr, Heard,
                    process, 0, WINEVENT_OUTOFCONTEXT);
    std::cout << (window != nullptr ? "ready" : "no calculator") << "\n.\n" << std::flush;
    for (std::string line; std::getline(std::cin, line);) {
        Pump();
        if (line == "list") {
            List();
        } else if (line.starts_with("press ")) {
            Press(line.substr(6));
            Pump();
        } else if (line == "heard") {
            for (const std::string& heard : std::exchange(g_heard, {})) {
                std::cout << heard << '\n';
            }
        }
        std::cout << ".\n" << std::flush;
    }
}
