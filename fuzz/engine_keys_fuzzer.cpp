// The engine driven by arbitrary key scripts (the engine harness's language; any other byte
// is a key too). After every key it checks what the calculator promises its user, without a
// second copy of the arithmetic: nothing escapes the engine, the display always reads back as
// a number, a beep names its failure and keeps the user's number, copy then paste gives the
// number back, and the running result stays finite.
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "engine_harness.h"
#include "number_text.h"

using namespace zobu;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string script;
    for (std::size_t i = 0; i < size; ++i) {
        const char c = static_cast<char>(data[i]);
        const bool named =
            testing::KeystrokeFor(c) || std::string_view("[XYZ").find(c) != std::string_view::npos;
        script += named ? c : testing::kKeystrokes[data[i] % testing::kKeystrokes.size()];
    }
    testing::EngineHarness calc;
    const CalcState& s = calc.engine.state();
    std::string say = "0", clip;
    int beeps = 0;
    std::int16_t state = 0;
    const auto check = [&](bool holds, const char* promise) {
        if (!holds) {
            // The keys replay the lines: the engine test's harness runs the same script.
            std::fprintf(stderr, "\n*** broken: %s\n    keys \"%s\"\n", promise, script.c_str());
            std::abort();
        }
    };
    try {
        calc.press(script, [&](char key) {
            const auto& d = calc.display;
            static_cast<void>(TextToNum(d.lines[0]));  // the display reads back as a number
            check(d.lines[0].size() <=
                      ((s.intState & kStateTyping) ? kMaxEntryLength : kMaxNumberTextLength),
                  "an entry and a number's text have their longest lengths");
            check(std::isfinite(s.dblResult) && std::isfinite(s.dblLastResult) &&
                      std::isfinite(s.dblLastNum),
                  "the running result and the undo record are finite");
            // An operator out of range is caught too: mixTag throws for it.
            check(d.lines[1] == d.mixTag(s.intOp), "the mark shows the pending operator");
            check(d.beeps - beeps <= 1, "a key beeps at most once");
            if (d.beeps > beeps) {
                check(std::string_view("=+-*/nrCV").find(key) != std::string_view::npos,
                      "only operators, functions, copy and paste fail");
                check(d.lines[0] == say && s.intState == (state & kStateNewNumber),
                      "a failure keeps the number and only the new-number bit");
                check(d.lines[3].find("失败") != std::string::npos,
                      "a failure is named on the note line");
            }
            if (key == 'C' && d.lines[3] == "复制 成功") {
                clip = d.lines[0];
            } else if (key == 'V' && !clip.empty() && clip == calc.clipboard.content &&
                       !calc.clipboard.failGet) {
                check(d.beeps == beeps && d.lines[0] == NumToText(TextToNum(clip)),
                      "what copy put on the clipboard pastes back as the same number");
            }
            say = d.lines[0], beeps = d.beeps, state = s.intState;
        });
    } catch (const std::exception& e) {
        check(false, e.what());
    }
    return 0;
}
