// The engine driven by arbitrary key sequences (see key_script.h). After every key it checks
// what the calculator promises its user: nothing crashes or escapes the engine, the display
// always reads back as a number, a failure is named on the note line and keeps the user's
// number, and every completed operation shows the IEEE double result of its operands.
#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <optional>
#include <string>
#include <string_view>

#include "calc_failure.h"
#include "fakes/engine_harness.h"
#include "key_script.h"
#include "number_text.h"

namespace zobu::fuzz {
namespace {

using testing::EngineHarness;

constexpr std::size_t kMaxEntryLength = 14;
constexpr std::string_view kFailedOperation = "运算失败 ";
constexpr std::string_view kFailedFunction = " 失败 ";
constexpr std::string_view kCopied = "复制 成功";
constexpr std::string_view kFailedCopy = "复制 失败 ";
constexpr std::string_view kFailedPaste = "粘贴 失败 ";

constexpr FailureKind kAllFailures[] = {FailureKind::DivisionByZero, FailureKind::Overflow,
                                        FailureKind::InvalidOperation, FailureKind::TypeMismatch,
                                        FailureKind::ClipboardUnavailable};

// What the user saw and the engine held before a key.
struct Snapshot {
    CalcState state;
    std::string say, tie, last, next, clip;
    int beeps = 0;
};

struct Run {
    EngineHarness calc;
    std::string script;  // the keys so far, in key_script.h notation: a reproducer
    bool clipFromCopy = false;
};

Snapshot snapshot(const Run& run) {
    return {run.calc.state(),        run.calc.display.say(),  run.calc.display.tie(),
            run.calc.display.last(), run.calc.display.next(), run.calc.clipboard.content,
            run.calc.display.beeps};
}

std::string printable(std::string_view text) {
    std::string out;
    for (const char c : text) {
        const auto u = static_cast<unsigned char>(c);
        if (c == '\n') {
            out += "\\n";
        } else if (c == '\\') {
            out += "\\\\";
        } else if (u < 0x20 || u == 0x7f) {
            char hex[5];
            std::snprintf(hex, sizeof hex, "\\x%02x", u);
            out += hex;
        } else {
            out += c;
        }
    }
    return out;
}

[[noreturn]] void violation(const Run& run, std::string_view what) {
    const CalcState& s = run.calc.state();
    const auto& d = run.calc.display;
    const std::string keys = printable(run.script);
    std::fprintf(stderr,
                 "\n*** calculator promise broken: %.*s\n"
                 "    keys: \"%s\"\n"
                 "    display \"%s\"  mark \"%s\" at %d  history \"%s\"  note \"%s\"\n"
                 "    dblResult %.17g  dblLastResult %.17g  dblLastNum %.17g\n"
                 "    intOp %d  intLastOp %d  intState %d  beeps %d\n",
                 static_cast<int>(what.size()), what.data(), keys.c_str(), d.say().c_str(),
                 d.tie().c_str(), d.tieLeft, d.last().c_str(), d.next().c_str(), s.dblResult,
                 s.dblLastResult, s.dblLastNum, s.intOp, s.intLastOp, s.intState, d.beeps);
    std::abort();
}

void require(const Run& run, bool holds, std::string_view what) {
    if (!holds) {
        violation(run, what);
    }
}

bool same(double a, double b) {
    return std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b);
}

bool endsWith(std::string_view text, std::string_view tail) {
    return text.size() >= tail.size() && text.substr(text.size() - tail.size()) == tail;
}

std::string failureNote(std::string_view prefix, FailureKind kind) {
    return std::string(prefix) + std::string(ErrorText(kind));
}

// The outcome a step must have in plain IEEE double arithmetic: a finite value, or the
// failure that names why there is none.
struct Outcome {
    double value = 0.0;
    std::optional<FailureKind> failure;
};

Outcome checked(double value) {
    if (std::isnan(value)) {
        return {0.0, FailureKind::InvalidOperation};
    }
    if (std::isinf(value)) {
        return {0.0, FailureKind::Overflow};
    }
    return {value, std::nullopt};
}

Outcome ieee(std::int16_t op, double left, double x) {
    switch (op) {
        case kOpAdd:
            return checked(left + x);
        case kOpSubtract:
            return checked(left - x);
        case kOpMultiply:
            return checked(left * x);
        case kOpDivide:
            if (x == 0.0) {
                return {0.0,
                        left == 0.0 ? FailureKind::InvalidOperation : FailureKind::DivisionByZero};
            }
            return checked(left / x);
        default:
            return {x, std::nullopt};
    }
}

// Promises that hold between any two keys.
void checkInvariants(const Run& run) {
    const CalcState& s = run.calc.state();
    const auto& d = run.calc.display;
    const std::int16_t st = s.intState;
    require(run, st == 0 || st == 1 || st == 3 || st == 4 || st == 12,
            "intState is one of 0, 1, 3, 4, 12");
    require(run, s.intOp >= 0 && s.intOp <= 4, "intOp is an operator index 0-4");
    require(run, s.intLastOp >= 0 && s.intLastOp <= 4, "intLastOp is an operator index 0-4");
    require(run, std::isfinite(s.dblResult), "dblResult is finite");
    require(run, std::isfinite(s.dblLastResult), "dblLastResult is finite");
    require(run, std::isfinite(s.dblLastNum), "dblLastNum is finite");
    require(run, d.tieLeft == testing::kTieLeft || d.tieLeft == testing::kTieRight,
            "the mark stands before or after the display");
    require(run, d.tie() == d.mixTag(s.intOp), "the mark shows the pending operator");
    const std::string say = d.say();
    try {
        static_cast<void>(TextToNum(say));
    } catch (const CalcFailure& failure) {
        violation(run, "the display text does not read back as a number: " +
                           std::string(ErrorText(failure)));
    }
    if (st & kStateTyping) {
        require(run, !say.empty() && say.size() <= kMaxEntryLength,
                "an entry has 1 to 14 characters");
        require(run, say.find_first_not_of("0123456789.") == std::string::npos,
                "an entry holds only digits and the point");
        require(run, say.find('.') == say.rfind('.'), "an entry holds at most one point");
    }
}

void checkOperator(const Run& run, const Snapshot& b, std::int16_t index) {
    const CalcState& s = run.calc.state();
    const auto& d = run.calc.display;
    const bool computes =
        (index == kOpEquals && b.state.intOp > 0) || (b.state.intState & kStateNewNumber);
    if (!computes) {
        require(run, s.intOp == (index == b.state.intOp ? kOpEquals : index),
                "an operator without a new operand replaces or cancels the pending one");
        require(run,
                d.say() == b.say && d.last() == b.last && d.next() == b.next &&
                    s.intState == b.state.intState && same(s.dblResult, b.state.dblResult),
                "an operator without a new operand changes nothing but the pending operator");
        return;
    }
    const double x = TextToNum(b.say);
    const Outcome expected = ieee(b.state.intOp, b.state.dblResult, x);
    if (expected.failure) {
        require(run, d.beeps > b.beeps, "an operation without a finite result beeps");
        require(run, d.next() == failureNote(kFailedOperation, *expected.failure),
                "the note line names the arithmetic failure");
        require(run, same(s.dblResult, b.state.dblResult) && s.intOp == b.state.intOp,
                "a failed operation keeps the running result and the pending operator");
        return;
    }
    require(run, d.beeps == b.beeps, "an operation with a finite IEEE result does not fail");
    require(run, same(s.dblResult, expected.value), "the running result is the IEEE result");
    require(run,
            same(s.dblLastNum, x) && same(s.dblLastResult, b.state.dblResult) &&
                s.intLastOp == b.state.intOp,
            "the record holds the operand, the old result and the old operator");
    // Read from the record, as DEL would: the display shows that operation redone in IEEE.
    require(run, d.say() == NumToText(ieee(s.intLastOp, s.dblLastResult, s.dblLastNum).value),
            "the display shows the IEEE result of the recorded operation");
    require(run, s.intOp == index && s.intState == 0,
            "a completed operation makes the pressed key pending and ends the operand");
}

void checkFunction(const Run& run, const Snapshot& b, std::int16_t index) {
    const auto& d = run.calc.display;
    const double x = TextToNum(b.say);
    Outcome expected{-x, std::nullopt};
    if (index == kFunReciprocal) {
        expected = x == 0.0 ? Outcome{0.0, FailureKind::DivisionByZero} : checked(1.0 / x);
    }
    const std::string done = d.funTag(index) + " " + NumToText(x);
    if (expected.failure) {
        require(run, d.beeps > b.beeps, "a reciprocal without a finite result beeps");
        require(run, d.next() == done + failureNote(kFailedFunction, *expected.failure),
                "the note line names the reciprocal's failure");
        return;
    }
    require(run, d.beeps == b.beeps, "a sign change or a finite reciprocal does not fail");
    require(run, d.next() == done, "the note line shows what was done to which number");
    require(run, d.say() == NumToText(expected.value), "the display shows the IEEE result");
    require(run, run.calc.state().intState == kStateNewNumber, "the result is a new operand");
}

void checkCopy(const Run& run, const Snapshot& b) {
    const auto& d = run.calc.display;
    const auto& clipboard = run.calc.clipboard;
    if (b.state.intState & kStateClearedOnce) {
        require(run, clipboard.content == b.clip && d.beeps == b.beeps,
                "copy right after DEL leaves the clipboard alone");
        return;
    }
    if (clipboard.failClear || clipboard.failPut) {
        require(run, d.beeps > b.beeps, "a failed copy beeps");
        require(run, d.next() == failureNote(kFailedCopy, FailureKind::ClipboardUnavailable),
                "a failed copy is named on the note line");
        return;
    }
    require(run, clipboard.content == b.say && d.next() == kCopied && d.beeps == b.beeps,
            "copy puts the display text on the clipboard");
}

void checkPaste(const Run& run, const Snapshot& b) {
    const auto& d = run.calc.display;
    if (run.calc.clipboard.failGet) {
        require(run, d.beeps > b.beeps, "an unreadable clipboard beeps");
        require(run, d.next() == failureNote(kFailedPaste, FailureKind::ClipboardUnavailable),
                "an unreadable clipboard is named on the note line");
        return;
    }
    if (d.beeps > b.beeps) {
        require(run, !run.clipFromCopy, "what copy put on the clipboard pastes back");
        require(run,
                d.next() == failureNote(kFailedPaste, FailureKind::TypeMismatch) ||
                    d.next() == failureNote(kFailedPaste, FailureKind::Overflow),
                "a rejected clipboard text is a type mismatch or an overflow");
        return;
    }
    if (run.clipFromCopy) {
        require(run, d.say() == NumToText(TextToNum(b.clip)),
                "what copy put on the clipboard pastes back as the same number");
    }
    require(run, run.calc.state().intState == kStateNewNumber, "a pasted number is a new operand");
}

// Promises about the key just pressed, given what was there before it.
void checkStep(const Run& run, const Key& key, const Snapshot& b) {
    const auto& d = run.calc.display;
    const bool beeped = d.beeps != b.beeps;
    if (beeped) {
        require(run, d.beeps == b.beeps + 1, "a key beeps at most once");
        require(run,
                key.action == Action::Mix || key.action == Action::Fun ||
                    key.action == Action::Copy || key.action == Action::Paste,
                "only operators, functions, copy and paste can fail");
        bool named = false;
        for (const FailureKind kind : kAllFailures) {
            named = named || endsWith(d.next(), ErrorText(kind));
        }
        require(run, named, "a beep leaves the failure's text at the end of the note line");
        require(run, d.say() == b.say, "a failure keeps the number on the display");
        require(run, run.calc.state().intState == (b.state.intState & kStateNewNumber),
                "a failure keeps only the new-number bit");
    }
    switch (key.action) {
        case Action::Mix:
            return checkOperator(run, b, key.index);
        case Action::Fun:
            return checkFunction(run, b, key.index);
        case Action::Copy:
            return checkCopy(run, b);
        case Action::Paste:
            return checkPaste(run, b);
        default:
            return;
    }
}

void press(Run& run, const Key& key) {
    CalcEngine& engine = run.calc.engine;
    auto& clipboard = run.calc.clipboard;
    switch (key.action) {
        case Action::Num:
            return engine.lblNum_Click(key.index);
        case Action::Mix:
            return engine.lblMix_Click(key.index);
        case Action::Fun:
            return engine.lblFun_Click(key.index);
        case Action::Del:
            return engine.lblDel_Click();
        case Action::Copy:
            return engine.lblCopy_Click();
        case Action::Paste:
            return engine.lblPaste_Click();
        case Action::ClipText:
            clipboard.content = std::string(key.text);
            return;
        case Action::FailClear:
            clipboard.failClear = !clipboard.failClear;
            return;
        case Action::FailPut:
            clipboard.failPut = !clipboard.failPut;
            return;
        case Action::FailGet:
            clipboard.failGet = !clipboard.failGet;
            return;
    }
}

void pressChecked(Run& run, const Key& key) {
    run.script += key.caption;
    if (key.action == Action::ClipText) {
        run.script += std::string(key.text) + "\n";
    }
    const Snapshot before = snapshot(run);
    try {
        press(run, key);
    } catch (const CalcFailure& failure) {
        violation(run, "a failure escaped the engine: " + std::string(ErrorText(failure)));
    } catch (const std::exception& e) {
        violation(run, std::string("an exception escaped the engine: ") + e.what());
    } catch (...) {
        violation(run, "an unknown exception escaped the engine");
    }
    checkInvariants(run);
    checkStep(run, key, before);

    const auto& content = run.calc.clipboard.content;
    if (key.action == Action::Copy && run.calc.display.next() == kCopied) {
        run.clipFromCopy = true;
    } else if (key.action == Action::ClipText || content != before.clip) {
        run.clipFromCopy = false;
    }
}

}  // namespace
}  // namespace zobu::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    zobu::fuzz::Run run;
    zobu::fuzz::checkInvariants(run);
    zobu::fuzz::KeyScript keys(data, size);
    while (const auto key = keys.next()) {
        zobu::fuzz::pressChecked(run, *key);
    }
    return 0;
}
