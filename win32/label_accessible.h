// One label as Active Accessibility presents it: Windows' own object for a static control,
// with the role, description, default action and state that frmA gives its label.
// A screen reader reaches it through the label's WM_GETOBJECT.
#pragma once

#include <cstddef>
#include <string_view>

#include "label_access.h"
#include "ole_functions.h"

namespace zobu {

// A COM object ends in its own Release, never by a delete through the interface, which
// therefore has no virtual destructor.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"
class LabelAccessible final : public IAccessible {
public:
    // Takes over one reference of `standard`, Windows' object for the label's client area.
    LabelAccessible(IAccessible* standard, const OleFunctions& ole, AccessPort& port,
                    std::size_t row) noexcept;
    LabelAccessible(const LabelAccessible&) = delete;
    LabelAccessible& operator=(const LabelAccessible&) = delete;

    // The label is gone: every later call, from a reader that still holds the object, fails.
    void disconnect() noexcept;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;

    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) override;
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID locale,
                                            DISPID* ids) override;
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID iid, LCID locale, WORD flags,
                                     DISPPARAMS* params, VARIANT* result, EXCEPINFO* exception,
                                     UINT* argument) override;

    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override;
    HRESULT STDMETHODCALLTYPE get_accChildCount(long* count) override;
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** object) override;
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override;
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override;
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* description) override;
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override;
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override;
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override;
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, long* topic) override;
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) override;
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* focus) override;
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* selection) override;
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override;
    HRESULT STDMETHODCALLTYPE accSelect(long flags, VARIANT child) override;
    HRESULT STDMETHODCALLTYPE accLocation(long* left, long* top, long* width, long* height,
                                          VARIANT child) override;
    HRESULT STDMETHODCALLTYPE accNavigate(long direction, VARIANT start, VARIANT* end) override;
    HRESULT STDMETHODCALLTYPE accHitTest(long left, long top, VARIANT* child) override;
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override;
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT child, BSTR name) override;
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT child, BSTR value) override;

private:
    ~LabelAccessible();
    // S_OK where the call is about the label itself and the label is still there.
    HRESULT self(const VARIANT& child) const noexcept;
    bool isKey() const { return m_port->access(m_row).role == AccessRole::Key; }
    HRESULT text(std::string_view text, BSTR* out) const noexcept;
    // Windows' own answer, while the label is there.
    template <typename... Parameters, typename... Arguments>
    HRESULT forward(HRESULT (STDMETHODCALLTYPE IAccessible::*method)(Parameters...),
                    Arguments... arguments) const noexcept {
        if (m_port == nullptr) {
            return CO_E_OBJNOTCONNECTED;
        }
        return (m_standard->*method)(arguments...);
    }

    LONG m_references = 1;
    IAccessible* m_standard;
    const OleFunctions& m_ole;
    AccessPort* m_port;  // null once the label is gone
    std::size_t m_row;
};
#pragma GCC diagnostic pop

}  // namespace zobu
