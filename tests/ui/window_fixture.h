// A shown calculator window driven through its QWindow, so that every click is hit-tested
// by Qt the way a user's click is: it reaches whatever label lies on top at that point.
#pragma once

#include <gtest/gtest.h>

#include <QTest>
#include <QWindow>
#include <string>
#include <string_view>

#include "calc_label.h"
#include "frm_a.h"

namespace zobu::testing {

class WindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    }

    CalcLabel& label(LabelName name, std::int16_t index = 0) { return window.label(name, index); }
    QPoint centre(LabelName name, std::int16_t index = 0) {
        return label(name, index).geometry().center();
    }

    void clickAt(QPoint pos) {
        QTest::mouseClick(window.windowHandle(), Qt::LeftButton, Qt::NoModifier, pos);
    }
    void doubleClickAt(QPoint pos) {
        QTest::mouseDClick(window.windowHandle(), Qt::LeftButton, Qt::NoModifier, pos);
    }
    void click(LabelName name, std::int16_t index = 0) { clickAt(centre(name, index)); }
    void doubleClick(LabelName name, std::int16_t index = 0) { doubleClickAt(centre(name, index)); }

    // Clicks keys by caption: 0-9 . + - * / = as on the keypad, n "-n", r "1/n", D DEL,
    // C copy, V paste. Blanks group the keys for reading.
    void press(std::string_view keys) {
        for (const char k : keys) {
            pressOne(k);
        }
    }

    std::string line(LabelName name) { return label(name).text().toStdString(); }
    std::string say() { return line(LabelName::lblSay); }
    int clientHeight() const { return window.height(); }

    frmA window;

private:
    void pressOne(char k) {
        switch (k) {
            case ' ':
                return;
            case '.':
                return click(LabelName::lblNum, 10);
            case '=':
                return click(LabelName::lblMix, 0);
            case '+':
                return click(LabelName::lblMix, 1);
            case '-':
                return click(LabelName::lblMix, 2);
            case '*':
                return click(LabelName::lblMix, 3);
            case '/':
                return click(LabelName::lblMix, 4);
            case 'n':
                return click(LabelName::lblFun, 0);
            case 'r':
                return click(LabelName::lblFun, 1);
            case 'D':
                return click(LabelName::lblDel);
            case 'C':
                return click(LabelName::lblCopy);
            case 'V':
                return click(LabelName::lblPaste);
            default:
                ASSERT_TRUE(k >= '0' && k <= '9') << "unknown key " << k;
                return click(LabelName::lblNum, static_cast<std::int16_t>(k - '0'));
        }
    }
};

}  // namespace zobu::testing
