// The window's labels as a screen reader meets them: each label answers WM_GETOBJECT with its
// own object (keys as buttons a reader can press), and the writes a reader must hear raise
// their WinEvents. COM and oleacc are loaded at the first WM_GETOBJECT, never before.
#pragma once

#include <windows.h>

#include <array>
#include <cstddef>
#include <functional>
#include <string>
#include <utility>

#include "label_access.h"
#include "label_accessible.h"
#include "layout_table.h"

namespace zobu {

class AccessibleLabels final : public AccessiblePort {
public:
    // `click` does what a click on the label of a row does.
    explicit AccessibleLabels(std::function<void(std::size_t row)> click)
        : m_click(std::move(click)) {}
    ~AccessibleLabels() override;
    AccessibleLabels(const AccessibleLabels&) = delete;
    AccessibleLabels& operator=(const AccessibleLabels&) = delete;

    // Starts answering for the labels, by layout row, once they are made.
    void attach(const std::array<HWND, kLabelCount>& labels);
    // Sets a label's text, then tells readers of it as the label's kind of write asks.
    void write(std::size_t row, const std::wstring& text);

    bool isKey(std::size_t row) const override;
    std::wstring description(std::size_t row) const override;
    std::wstring pressWord(std::size_t row) const override;
    bool press(std::size_t row) override;

private:
    static LRESULT CALLBACK labelProc(HWND label, UINT message, WPARAM wParam, LPARAM lParam,
                                      UINT_PTR row, DWORD_PTR self);
    LRESULT answer(std::size_t row, WPARAM wParam);
    bool prepare();
    void forget(std::size_t row);
    LabelAccess describe(std::size_t row, const std::string& caption = {}) const;

    std::array<HWND, kLabelCount> m_labels{};
    std::array<LabelAccessible*, kLabelCount> m_objects{};
    const OleFunctions* m_ole = nullptr;
    bool m_prepared = false;
    std::function<void(std::size_t row)> m_click;
};

}  // namespace zobu
