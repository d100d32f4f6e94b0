// An engine wired to a recording display and a fake clipboard, with the mark's two places
// set as the window sets them at start-up, driven by a string of key captions.
#pragma once

#include <stdexcept>
#include <string_view>

#include "calc_engine.h"
#include "fakes/fake_clipboard.h"
#include "fakes/recording_display.h"

namespace zobu::testing {

inline constexpr std::int16_t kTieLeft = 50;
inline constexpr std::int16_t kTieRight = 4790;

class EngineHarness {
public:
    EngineHarness() {
        engine.state().intTieLeft = kTieLeft;
        engine.state().intTieRight = kTieRight;
        display.tieLeft = kTieRight;
    }

    // Keys: 0-9 . + - * / = as captioned; n sign change, r reciprocal, D DEL, C copy,
    // V paste. Blanks are skipped so sequences can be grouped for reading.
    void press(std::string_view keys) {
        for (const char k : keys) {
            pressOne(k);
        }
    }

    const CalcState& state() const { return engine.state(); }

    RecordingDisplay display;
    FakeClipboard clipboard;
    CalcEngine engine{display, clipboard};

private:
    void pressOne(char k) {
        switch (k) {
            case ' ':
                return;
            case '.':
                return engine.lblNum_Click(kNumPoint);
            case '=':
                return engine.lblMix_Click(kOpEquals);
            case '+':
                return engine.lblMix_Click(kOpAdd);
            case '-':
                return engine.lblMix_Click(kOpSubtract);
            case '*':
                return engine.lblMix_Click(kOpMultiply);
            case '/':
                return engine.lblMix_Click(kOpDivide);
            case 'n':
                return engine.lblFun_Click(kFunNegate);
            case 'r':
                return engine.lblFun_Click(kFunReciprocal);
            case 'D':
                return engine.lblDel_Click();
            case 'C':
                return engine.lblCopy_Click();
            case 'V':
                return engine.lblPaste_Click();
            default:
                if (k >= '0' && k <= '9') {
                    return engine.lblNum_Click(static_cast<std::int16_t>(k - '0'));
                }
                throw std::invalid_argument("unknown key in test sequence");
        }
    }
};

}  // namespace zobu::testing
