#include "label_accessible.h"

#include <string>

#include "utf16.h"

namespace zobu {

LabelAccessible::LabelAccessible(IAccessible* standard, const OleFunctions& ole, AccessPort& port,
                                 std::size_t row) noexcept
    : m_standard(standard), m_ole(ole), m_port(&port), m_row(row) {}

LabelAccessible::~LabelAccessible() {
    m_standard->Release();
}

void LabelAccessible::disconnect() noexcept {
    m_port = nullptr;
    m_ole.coDisconnectObject(this, 0);
}

HRESULT LabelAccessible::self(const VARIANT& child) const noexcept {
    if (m_port == nullptr) {
        return CO_E_OBJNOTCONNECTED;
    }
    return child.vt == VT_I4 && child.lVal == CHILDID_SELF ? S_OK : E_INVALIDARG;
}

// The label's texts come from the window as UTF-8; a reader takes them as UTF-16.
HRESULT LabelAccessible::text(std::string_view text, BSTR* out) const noexcept {
    if (text.empty()) {
        *out = nullptr;
        return S_FALSE;  // the label has none
    }
    try {
        *out = m_ole.sysAllocString(ToUtf16(text).c_str());
    } catch (const std::exception&) {
        *out = nullptr;
    }
    return *out != nullptr ? S_OK : E_OUTOFMEMORY;
}

HRESULT LabelAccessible::QueryInterface(REFIID iid, void** object) {
    if (object == nullptr) {
        return E_POINTER;
    }
    if (iid == __uuidof(IUnknown) || iid == __uuidof(IDispatch) || iid == __uuidof(IAccessible)) {
        *object = static_cast<IAccessible*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

ULONG LabelAccessible::AddRef() {
    return static_cast<ULONG>(InterlockedIncrement(&m_references));
}

ULONG LabelAccessible::Release() {
    const LONG left = InterlockedDecrement(&m_references);
    if (left == 0) {
        delete this;
    }
    return static_cast<ULONG>(left);
}

// Readers call IAccessible's methods directly; by name through IDispatch nobody does.
HRESULT LabelAccessible::GetTypeInfoCount(UINT* count) {
    *count = 0;
    return S_OK;
}

HRESULT LabelAccessible::GetTypeInfo(UINT, LCID, ITypeInfo** info) {
    *info = nullptr;
    return E_NOTIMPL;
}

HRESULT LabelAccessible::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) {
    return E_NOTIMPL;
}

HRESULT LabelAccessible::Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                UINT*) {
    return E_NOTIMPL;
}

HRESULT LabelAccessible::get_accDescription(VARIANT child, BSTR* description) {
    const HRESULT about = self(child);
    return about == S_OK ? text(m_port->access(m_row).description, description) : about;
}

HRESULT LabelAccessible::get_accRole(VARIANT child, VARIANT* role) {
    if (const HRESULT about = self(child); about != S_OK) {
        return about;
    }
    role->vt = VT_I4;
    role->lVal = isKey() ? ROLE_SYSTEM_PUSHBUTTON : ROLE_SYSTEM_STATICTEXT;
    return S_OK;
}

// Windows' state (a hidden label is invisible), but a key is not read-only text.
HRESULT LabelAccessible::get_accState(VARIANT child, VARIANT* state) {
    const HRESULT got = forward(&IAccessible::get_accState, child, state);
    if (got == S_OK && self(child) == S_OK && state->vt == VT_I4 && isKey()) {
        state->lVal &= ~STATE_SYSTEM_READONLY;
    }
    return got;
}

// Empty while the label cannot be pressed.
HRESULT LabelAccessible::get_accDefaultAction(VARIANT child, BSTR* action) {
    const HRESULT about = self(child);
    if (about != S_OK) {
        return about;
    }
    return text(m_port->access(m_row).pressAvailable ? kPressWord : "", action);
}

// The click runs once this call has returned: a reader is never held up by what it does.
HRESULT LabelAccessible::accDoDefaultAction(VARIANT child) {
    if (const HRESULT about = self(child); about != S_OK) {
        return about;
    }
    if (!m_port->access(m_row).pressAvailable) {
        return DISP_E_MEMBERNOTFOUND;
    }
    m_port->press(m_row);
    return S_OK;
}

HRESULT LabelAccessible::get_accParent(IDispatch** parent) {
    return forward(&IAccessible::get_accParent, parent);
}

HRESULT LabelAccessible::get_accChildCount(long* count) {
    return forward(&IAccessible::get_accChildCount, count);
}

HRESULT LabelAccessible::get_accChild(VARIANT child, IDispatch** object) {
    return forward(&IAccessible::get_accChild, child, object);
}

HRESULT LabelAccessible::get_accName(VARIANT child, BSTR* name) {
    return forward(&IAccessible::get_accName, child, name);
}

HRESULT LabelAccessible::get_accValue(VARIANT child, BSTR* value) {
    return forward(&IAccessible::get_accValue, child, value);
}

HRESULT LabelAccessible::get_accHelp(VARIANT child, BSTR* help) {
    return forward(&IAccessible::get_accHelp, child, help);
}

HRESULT LabelAccessible::get_accHelpTopic(BSTR* file, VARIANT child, long* topic) {
    return forward(&IAccessible::get_accHelpTopic, file, child, topic);
}

HRESULT LabelAccessible::get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) {
    return forward(&IAccessible::get_accKeyboardShortcut, child, shortcut);
}

HRESULT LabelAccessible::get_accFocus(VARIANT* focus) {
    return forward(&IAccessible::get_accFocus, focus);
}

HRESULT LabelAccessible::get_accSelection(VARIANT* selection) {
    return forward(&IAccessible::get_accSelection, selection);
}

HRESULT LabelAccessible::accSelect(long flags, VARIANT child) {
    return forward(&IAccessible::accSelect, flags, child);
}

HRESULT LabelAccessible::accLocation(long* left, long* top, long* width, long* height,
                                     VARIANT child) {
    return forward(&IAccessible::accLocation, left, top, width, height, child);
}

HRESULT LabelAccessible::accNavigate(long direction, VARIANT start, VARIANT* end) {
    return forward(&IAccessible::accNavigate, direction, start, end);
}

HRESULT LabelAccessible::accHitTest(long left, long top, VARIANT* child) {
    return forward(&IAccessible::accHitTest, left, top, child);
}

HRESULT LabelAccessible::put_accName(VARIANT child, BSTR name) {
    return forward(&IAccessible::put_accName, child, name);
}

HRESULT LabelAccessible::put_accValue(VARIANT child, BSTR value) {
    return forward(&IAccessible::put_accValue, child, value);
}

}  // namespace zobu
