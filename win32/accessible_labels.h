// The window's labels as a screen reader meets them: each label answers WM_GETOBJECT with its
// own object (keys as buttons a reader can press), the writes a reader must hear raise their
// WinEvents, and the live regions are marked as such. What each label is, frmA says; COM and
// oleacc are loaded at the first WM_GETOBJECT, never before.
#pragma once

#include <windows.h>

#include <array>
#include <cstddef>

#include "label_access.h"
#include "label_accessible.h"
#include "layout_table.h"

namespace zobu {

class AccessibleLabels {
public:
    explicit AccessibleLabels(AccessPort& port) noexcept : m_port(port) {}
    // Gives up every label still there, its live mark cleared first.
    ~AccessibleLabels();
    AccessibleLabels(const AccessibleLabels&) = delete;
    AccessibleLabels& operator=(const AccessibleLabels&) = delete;

    // Starts answering for the labels, by layout row, once they are made.
    void attach(const std::array<HWND, kLabelCount>& labels);
    // Tells readers of a write of a label's text, once its text is set.
    void announce(std::size_t row) const;

private:
    static LRESULT CALLBACK labelProc(HWND label, UINT message, WPARAM wParam, LPARAM lParam,
                                      UINT_PTR row, DWORD_PTR self);
    LRESULT answer(std::size_t row, WPARAM wParam);
    bool prepare();
    void markLive();
    void detach(std::size_t row);

    AccessPort& m_port;
    std::array<HWND, kLabelCount> m_labels{};
    std::array<LabelAccessible*, kLabelCount> m_objects{};
    const OleFunctions* m_ole = nullptr;
    bool m_prepared = false;
    // Held while the live regions are marked, to clear each mark before its label goes.
    IAccPropServices* m_props = nullptr;
};

}  // namespace zobu
