#include "accessible_labels.h"

#include <commctrl.h>

#include <utility>

namespace zobu {
namespace {

// Windows' Active Accessibility property services and the UI Automation LiveSetting property:
// MinGW-w64 has only declarations of the first two, and not the third.
constexpr GUID kAccPropServices = {
    0xb5f8350b, 0x0548, 0x48b1, {0xa6, 0xee, 0x88, 0xbd, 0x00, 0xb4, 0xa5, 0xe7}};
constexpr GUID kIAccPropServices = {
    0x6e26e776, 0x04f0, 0x495d, {0x80, 0xe4, 0x33, 0x30, 0x35, 0x2e, 0x31, 0x69}};
constexpr GUID kLiveSettingProperty = {
    0xc12bcd8e, 0x2a8e, 0x4950, {0x8a, 0xe7, 0x36, 0x25, 0x11, 0x1d, 0x58, 0xeb}};
constexpr LONG kPolite = 1;  // UI Automation's LiveSetting: spoken when the reader is idle

}  // namespace

AccessibleLabels::~AccessibleLabels() {
    for (std::size_t row = 0; row < m_labels.size(); ++row) {
        if (m_labels[row] != nullptr) {
            RemoveWindowSubclass(m_labels[row], &AccessibleLabels::labelProc, row);
            detach(row);
        }
    }
    if (m_props != nullptr) {
        m_props->Release();
    }
}

void AccessibleLabels::attach(const std::array<HWND, kLabelCount>& labels) {
    m_labels = labels;
    for (std::size_t row = 0; row < m_labels.size(); ++row) {
        SetWindowSubclass(m_labels[row], &AccessibleLabels::labelProc, row,
                          reinterpret_cast<DWORD_PTR>(this));
    }
}

// Windows raises no event of its own for a static's text on every version (Wine none at all).
void AccessibleLabels::announce(std::size_t row) const {
    HWND label = m_labels.at(row);
    NotifyWinEvent(EVENT_OBJECT_NAMECHANGE, label, OBJID_CLIENT, CHILDID_SELF);
    if (m_port.access(row).live) {
        NotifyWinEvent(EVENT_OBJECT_LIVEREGIONCHANGED, label, OBJID_CLIENT, CHILDID_SELF);
    }
}

LRESULT CALLBACK AccessibleLabels::labelProc(HWND label, UINT message, WPARAM wParam, LPARAM lParam,
                                             UINT_PTR row, DWORD_PTR self) {
    auto* labels = reinterpret_cast<AccessibleLabels*>(self);
    // The object id is a 32-bit value, sign-extended or not.
    if (message == WM_GETOBJECT && static_cast<DWORD>(lParam) == static_cast<DWORD>(OBJID_CLIENT)) {
        if (const LRESULT answer = labels->answer(row, wParam)) {
            return answer;
        }
    } else if (message == WM_NCDESTROY) {
        RemoveWindowSubclass(label, &AccessibleLabels::labelProc, row);
        labels->detach(row);
    }
    return DefSubclassProc(label, message, wParam, lParam);
}

// The label's object, made at the first request. 0: Windows' own answer.
LRESULT AccessibleLabels::answer(std::size_t row, WPARAM wParam) {
    if (!prepare()) {
        return 0;
    }
    if (m_objects[row] == nullptr) {
        void* standard = nullptr;
        if (FAILED(m_ole->createStdAccessibleObject(m_labels[row], OBJID_CLIENT,
                                                    __uuidof(IAccessible), &standard))) {
            return 0;
        }
        m_objects[row] =
            new LabelAccessible(static_cast<IAccessible*>(standard), *m_ole, m_port, row);
    }
    const LRESULT answer = m_ole->lresultFromObject(__uuidof(IAccessible), wParam, m_objects[row]);
    return answer > 0 ? answer : 0;
}

bool AccessibleLabels::prepare() {
    if (!m_prepared) {
        m_prepared = true;
        m_ole = LoadOleFunctions();
        if (m_ole != nullptr) {
            markLive();
        }
    }
    return m_ole != nullptr;
}

// Screen readers that ask through UI Automation speak a live region's changes; where Windows
// cannot set the property (Wine), the WinEvents alone carry them.
void AccessibleLabels::markLive() {
    if (FAILED(m_ole->coCreateInstance(kAccPropServices, nullptr, CLSCTX_INPROC_SERVER,
                                       kIAccPropServices, reinterpret_cast<void**>(&m_props)))) {
        m_props = nullptr;
        return;
    }
    VARIANT polite{};
    polite.vt = VT_I4;
    polite.lVal = kPolite;
    for (std::size_t row = 0; row < m_labels.size(); ++row) {
        if (m_port.access(row).live) {
            m_props->SetHwndProp(m_labels[row], static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF,
                                 kLiveSettingProperty, polite);
        }
    }
}

// The label is going: its mark goes first, and a reader that still holds its object finds it
// disconnected.
void AccessibleLabels::detach(std::size_t row) {
    if (m_props != nullptr) {
        m_props->ClearHwndProps(m_labels[row], static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF,
                                &kLiveSettingProperty, 1);
    }
    if (LabelAccessible* object = std::exchange(m_objects[row], nullptr)) {
        object->disconnect();
        object->Release();
    }
    m_labels[row] = nullptr;
}

}  // namespace zobu
