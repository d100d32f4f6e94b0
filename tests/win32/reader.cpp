// A screen reader's view of the Windows calculator, from a process of its own as a reader has
// it: each label through oleacc, the WinEvents the calculator's process raises, and presses
// through a label's default action. Commands on stdin, one a line; each answer ends with ".".
//     list        per label, by layout row: ROLE STATE ACTION NAME DESCRIPTION (tab-separated,
//                 roles and states as MSAA numbers in hex, line breaks in a name shown as "|")
//     press NAME  the default action of the last label so named (the keys come after the
//                 lines): "pressed", or "refused HRESULT"
//     heard       the events heard since the last "heard", in order: "live ROW NAME" per
//                 live-region change, "name ROW NAME" per name change, each name as it is
//                 once the command before has been answered
#include <windows.h>

#include <ole2.h>
#include <oleacc.h>

#include <algorithm>
#include <cstdio>
#include <iostream>
#include <string>
#include <vector>

namespace {

std::vector<HWND> g_labels;  // by layout row: the calculator numbers its labels in that order
std::vector<std::pair<DWORD, std::ptrdiff_t>> g_events;  // event, row: not yet named
std::vector<std::string> g_heard;

std::string Utf8(const wchar_t* text) {
    std::string out;
    for (; text != nullptr && *text != L'\0'; ++text) {
        char bytes[8];
        const int n =
            WideCharToMultiByte(CP_UTF8, 0, text, 1, bytes, sizeof bytes, nullptr, nullptr);
        out.append(bytes, static_cast<std::size_t>(
                              n));  // a surrogate half gives none: no reader reads one
    }
    std::replace(out.begin(), out.end(), '\n', '|');
    out.erase(std::remove(out.begin(), out.end(), '\r'), out.end());
    return out;
}

// A BSTR as UTF-8, freed; "-" for none.
std::string Take(HRESULT result, const BSTR& text) {
    std::string out = SUCCEEDED(result) && text != nullptr ? Utf8(text) : "-";
    SysFreeString(text);
    return out;
}

VARIANT Self() {
    VARIANT self{};
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    return self;
}

IAccessible* Object(HWND label) {
    IAccessible* object = nullptr;
    AccessibleObjectFromWindow(label, static_cast<DWORD>(OBJID_CLIENT), __uuidof(IAccessible),
                               reinterpret_cast<void**>(&object));
    return object;
}

std::string Name(IAccessible* object, VARIANT child) {
    BSTR name = nullptr;
    return Take(object->get_accName(child, &name), name);
}

BOOL CALLBACK AddLabel(HWND child, LPARAM) {
    g_labels.push_back(child);
    return TRUE;
}

// Only noted here: a call into the calculator from inside the callback would let the next
// event's callback run before this one's is done.
void CALLBACK Heard(HWINEVENTHOOK, DWORD event, HWND window, LONG object, LONG, DWORD, DWORD) {
    const auto label = std::find(g_labels.begin(), g_labels.end(), window);
    const bool told = event == EVENT_OBJECT_NAMECHANGE || event == EVENT_OBJECT_LIVEREGIONCHANGED;
    if (told && label != g_labels.end() && object == OBJID_CLIENT) {
        g_events.emplace_back(event, label - g_labels.begin());
    }
}

// Runs the hook's callbacks for every event raised so far, and names them.
void Pump() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        DispatchMessageW(&message);
    }
    for (const auto& [event, row] : g_events) {
        IAccessible* object = Object(g_labels[static_cast<std::size_t>(row)]);
        g_heard.push_back((event == EVENT_OBJECT_LIVEREGIONCHANGED ? "live " : "name ") +
                          std::to_string(row) + ' ' +
                          (object != nullptr ? Name(object, Self()) : "-"));
        if (object != nullptr) {
            object->Release();
        }
    }
    g_events.clear();
}

void List() {
    for (HWND label : g_labels) {
        IAccessible* object = Object(label);
        if (object == nullptr) {
            std::cout << "none\n";
            continue;
        }
        VARIANT role{}, state{};
        BSTR action = nullptr, description = nullptr;
        object->get_accRole(Self(), &role);
        object->get_accState(Self(), &state);
        const std::string word = Take(object->get_accDefaultAction(Self(), &action), action);
        std::cout << std::hex << role.lVal << '\t' << state.lVal << std::dec << '\t' << word << '\t'
                  << Name(object, Self()) << '\t'
                  << Take(object->get_accDescription(Self(), &description), description) << '\n';
        object->Release();
    }
}

void Press(const std::string& name) {
    for (auto label = g_labels.rbegin(); label != g_labels.rend(); ++label) {
        IAccessible* object = Object(*label);
        if (object != nullptr && Name(object, Self()) == name) {
            const HRESULT result = object->accDoDefaultAction(Self());
            object->Release();
            char answer[32];
            std::snprintf(answer, sizeof answer, "refused %lx", static_cast<unsigned long>(result));
            std::cout << (result == S_OK ? "pressed" : answer) << '\n';
            return;
        }
        if (object != nullptr) {
            object->Release();
        }
    }
    std::cout << "no label " << name << '\n';
}

}  // namespace

int main() {
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    HWND window = nullptr;
    for (int tries = 0; window == nullptr && tries < 600;
         ++tries) {  // the calculator may still start
        window = FindWindowW(L"ZobuCalculator", nullptr);
        Sleep(window == nullptr ? 100 : 0);
    }
    if (window == nullptr) {
        std::cout << "no calculator\n";
        return 1;
    }
    EnumChildWindows(window, AddLabel, 0);
    std::sort(g_labels.begin(), g_labels.end(),
              [](HWND a, HWND b) { return GetDlgCtrlID(a) < GetDlgCtrlID(b); });
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    SetWinEventHook(EVENT_OBJECT_NAMECHANGE, EVENT_OBJECT_LIVEREGIONCHANGED, nullptr, Heard,
                    process, 0, WINEVENT_OUTOFCONTEXT);
    std::cout << "ready\n.\n" << std::flush;
    for (std::string line; std::getline(std::cin, line);) {
        Pump();
        if (line == "list") {
            List();
        } else if (line.starts_with("press ")) {
            Press(line.substr(6));
            Pump();
        } else if (line == "heard") {
            for (const std::string& heard : g_heard) {
                std::cout << heard << '\n';
            }
            g_heard.clear();
        }
        std::cout << ".\n" << std::flush;
    }
}
