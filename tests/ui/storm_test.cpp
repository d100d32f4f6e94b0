// Storms over the real window under the offscreen platform: random key releases with codes
// from the whole 0-255 range, clicks and double-clicks hit-tested by Qt, help panel, folding,
// and hostile texts on the system clipboard. After every step the calculator must still keep
// its promises to the user, and a second storm must not need more memory than the first.
//
// The run prints its seed; ZOBU_STORM_SEED and ZOBU_STORM_STEPS (steps per storm) repeat or
// resize it.
#include <gtest/gtest.h>
#include <sys/resource.h>

#include <QClipboard>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QMimeData>
#include <array>
#include <bit>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <fstream>
#include <map>
#include <optional>
#include <random>
#include <string>
#include <string_view>

#include "calc_failure.h"
#include "key_map.h"
#include "number_text.h"
#include "paste_reader.h"
#include "window_fixture.h"
#include "window_measure.h"

namespace zobu::testing {
namespace {

using N = LabelName;
using Rng = std::mt19937_64;

constexpr std::uint64_t kDefaultSeed = 20240611;
constexpr std::uint64_t kDefaultSteps = 50'000;  // per storm; two storms
constexpr long kMemoryMarginKiB = 2 * 1024;
constexpr int kUnfoldedHeight = 228;
constexpr int kFoldedHeight = 69;
constexpr double kTieLeftTwips = 50;
constexpr double kTieRightTwips = 4790;
constexpr std::size_t kMaxEntryLength = 14;
constexpr std::size_t kTraceLength = 16;

constexpr std::string_view kFailedPaste = "粘贴 失败 ";
constexpr std::array<std::string_view, 3> kFailurePrefixes = {"运算失败", "复制 失败", "粘贴 失败"};
constexpr std::array<FailureKind, 5> kAllFailures = {
    FailureKind::DivisionByZero, FailureKind::Overflow, FailureKind::InvalidOperation,
    FailureKind::TypeMismatch, FailureKind::ClipboardUnavailable};

std::uint64_t envNumber(const char* name, std::uint64_t fallback) {
    const char* value = std::getenv(name);
    if (value == nullptr || *value == '\0') {
        return fallback;
    }
    return std::strtoull(value, nullptr, 0);
}

// The process's peak resident set in KiB, as the kernel counts it.
long peakRssKiB() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmHWM:", 0) == 0) {
            return std::stol(line.substr(6));
        }
    }
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

bool endsWith(std::string_view text, std::string_view tail) {
    return text.size() >= tail.size() && text.substr(text.size() - tail.size()) == tail;
}

bool sameState(const CalcState& a, const CalcState& b) {
    const auto bits = [](double d) { return std::bit_cast<std::uint64_t>(d); };
    return bits(a.dblLastNum) == bits(b.dblLastNum) &&
           bits(a.dblLastResult) == bits(b.dblLastResult) &&
           bits(a.dblResult) == bits(b.dblResult) && a.intLastOp == b.intLastOp &&
           a.intOp == b.intOp && a.intState == b.intState && a.intFullHeight == b.intFullHeight &&
           a.intFoldHeight == b.intFoldHeight && a.intTieLeft == b.intTieLeft &&
           a.intTieRight == b.intTieRight;
}

std::string printable(std::string_view text, std::size_t limit = 48) {
    std::string out;
    for (const char c : text.substr(0, limit)) {
        const auto u = static_cast<unsigned char>(c);
        if (u < 0x20 || u == 0x7f || u >= 0x80) {
            char hex[5];
            std::snprintf(hex, sizeof hex, "\\x%02x", u);
            out += hex;
        } else {
            out += c;
        }
    }
    if (text.size() > limit) {
        out += "... (" + std::to_string(text.size()) + " bytes)";
    }
    return out;
}

// ---- what people and programs leave on the clipboard ----------------------------------

std::uint64_t below(Rng& rng, std::uint64_t n) {
    return std::uniform_int_distribution<std::uint64_t>(0, n - 1)(rng);
}

std::string fullWidth(std::string_view ascii) {
    std::string out;
    for (const char c : ascii) {
        if (c >= '0' && c <= '9') {
            out += "\xEF\xBC";  // U+FF10..U+FF19
            out += static_cast<char>(0x90 + (c - '0'));
        } else if (c == '.') {
            out += "．";
        } else if (c == '-') {
            out += "－";
        } else {
            out += c;
        }
    }
    return out;
}

std::string grouped(std::uint64_t value) {
    std::string digits = std::to_string(value);
    for (auto i = static_cast<std::ptrdiff_t>(digits.size()) - 3; i > 0; i -= 3) {
        digits.insert(static_cast<std::size_t>(i), ",");
    }
    return digits;
}

std::string randomBytes(Rng& rng, std::size_t size) {
    std::string out(size, '\0');
    for (char& c : out) {
        c = static_cast<char>(below(rng, 256));
    }
    return out;
}

struct ClipContent {
    std::string bytes;
    bool rawMime = false;  // put as text/plain bytes, not as a QString
};

ClipContent randomClip(Rng& rng) {
    static constexpr std::array<std::string_view, 18> kHostile = {"nan",
                                                                  "inf",
                                                                  "-inf",
                                                                  "1e400",
                                                                  "-1e400",
                                                                  "1e-400",
                                                                  "-0",
                                                                  "",
                                                                  "1,5",
                                                                  "1,234.5",
                                                                  "0x10",
                                                                  "１２３．５",
                                                                  "\u200F42\u200F",
                                                                  "4\u200E2",
                                                                  " ",
                                                                  "1e+",
                                                                  "..5",
                                                                  std::string_view("4\0"
                                                                                   "2",
                                                                                   3)};
    static constexpr std::string_view kNumberish = "0123456789.,+-eE \n\t";
    std::uniform_real_distribution<double> ordinary(-1e6, 1e6);
    switch (below(rng, 10)) {
        case 0: {
            const double any = std::bit_cast<double>(rng());
            return {NumToText(std::isfinite(any) ? any : 0.0)};
        }
        case 1:
            return {NumToText(ordinary(rng))};
        case 2:
            return {(below(rng, 2) ? "-" : "") + grouped(rng() % 1'000'000'000'000) + ".25"};
        case 3:
            return {fullWidth(NumToText(ordinary(rng)))};
        case 4:
            return {" \t" + NumToText(ordinary(rng)) + "\n\u3000"};
        case 5:
            return {std::string(kHostile[below(rng, kHostile.size())])};
        case 6:
            return {randomBytes(rng, below(rng, 64))};
        case 7: {
            std::string out(1 + below(rng, 24), ' ');
            for (char& c : out) {
                c = kNumberish[below(rng, kNumberish.size())];
            }
            return {out};
        }
        case 8: {
            std::string digits(1000 + below(rng, 64 * 1024), '7');
            if (below(rng, 2)) {
                digits[1] = '.';
            }
            return {digits};
        }
        default:
            return {randomBytes(rng, below(rng, 4096)), true};
    }
}

void putOnClipboard(const ClipContent& content) {
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (content.rawMime) {
        auto* mime = new QMimeData;
        mime->setData(QStringLiteral("text/plain"), QByteArray::fromStdString(content.bytes));
        clipboard->setMimeData(mime);
    } else {
        clipboard->setText(
            QString::fromUtf8(content.bytes.data(), static_cast<qsizetype>(content.bytes.size())));
    }
}

std::string clipboardText() {
    return QGuiApplication::clipboard()->text().toStdString();
}

// ---- the storm ------------------------------------------------------------------------

// What the user could see, and the state behind it, between two steps.
struct Seen {
    CalcState state;
    std::string say, tie, last, next;
    double tieTwips = 0;
    int height = 0;
    bool help = false;
};

class WindowStorm : public WindowTest {
protected:
    // One storm of `steps` steps from `seed`. Stops at the first broken promise.
    void storm(std::uint64_t seed, std::uint64_t steps, int number) {
        Rng rng(seed);
        m_storm = number;
        m_burst = 0;
        for (m_step = 0; m_step < steps && m_broken.empty(); ++m_step) {
            runStep(rng);
            if (m_step % 32 == 0) {
                QCoreApplication::processEvents();  // paint, deliver deferred deletes
            }
        }
    }

    const std::string& broken() const { return m_broken; }

    // How often each kind of step ran, for the log: a storm that never pastes a number or
    // never folds proves little.
    std::string tally() const {
        std::string out;
        for (const auto& [name, count] : m_tally) {
            out += " " + name + " " + std::to_string(count);
        }
        return out;
    }

private:
    Seen seen() {
        const CalcLabel& tie = label(N::lblTie);
        return {window.state(),   say(),          line(N::lblTie), line(N::lblLast),
                line(N::lblNext), tie.twipLeft(), window.height(), window.helpVisible()};
    }

    // The label a click at `pos` reaches: while the help panel is shown it covers every
    // other label, and the margin around it reaches nothing.
    const CalcLabel* labelAt(QPoint pos) {
        if (window.helpVisible()) {
            const CalcLabel& help = label(N::lblHelp);
            return help.geometry().contains(pos) ? &help : nullptr;
        }
        for (const LabelSpec& row : kLayout) {
            const CalcLabel& candidate = label(row.name, row.index);
            if (!candidate.isHidden() && candidate.geometry().contains(pos)) {
                return &candidate;
            }
        }
        return nullptr;
    }

    static std::optional<KeyBinding> clickBinding(const CalcLabel* target, bool doubleClick) {
        if (target == nullptr) {
            return std::nullopt;
        }
        const std::int16_t index = target->spec().index;
        switch (target->spec().action) {
            case LabelAction::lblNum_Click:
                return KeyBinding{KeyAction::Num, index};
            case LabelAction::lblMix_Click:
                return KeyBinding{KeyAction::Mix, index};
            case LabelAction::lblFun_Click:
                return KeyBinding{KeyAction::Fun, index};
            case LabelAction::lblDel_Click:
                return KeyBinding{KeyAction::Del, 0};
            case LabelAction::lblCopy_Click:
                return KeyBinding{KeyAction::Copy, 0};
            case LabelAction::lblPaste_Click:
                return KeyBinding{KeyAction::Paste, 0};
            case LabelAction::lblHelp_Click:
                return KeyBinding{KeyAction::HideHelp, 0};
            case LabelAction::lblSay_DblClick:
                if (doubleClick) {
                    return KeyBinding{KeyAction::Fold, 0};
                }
                return std::nullopt;
            case LabelAction::None:
                return std::nullopt;
        }
        return std::nullopt;
    }

    // A point on the label, or anywhere in the client area when the label lies outside it.
    QPoint pointOn(Rng& rng, const CalcLabel& target) {
        const QRect client(0, 0, window.width(), window.height());
        QRect area = target.geometry().intersected(client);
        if (area.isEmpty()) {
            area = client;
        }
        const auto x =
            area.left() + static_cast<int>(below(rng, static_cast<unsigned>(area.width())));
        const auto y =
            area.top() + static_cast<int>(below(rng, static_cast<unsigned>(area.height())));
        return {x, y};
    }

    // A point on a random label (on a digit key during a burst), or anywhere in the window.
    QPoint randomPoint(Rng& rng) {
        if (m_burst > 0) {
            return pointOn(rng, label(N::lblNum, static_cast<std::int16_t>(below(rng, 11))));
        }
        if (below(rng, 8) == 0) {
            return pointOn(rng, label(N::lblHelp));  // the panel's area covers nearly all
        }
        const LabelSpec& row = kLayout[below(rng, kLayout.size())];
        return pointOn(rng, label(row.name, row.index));
    }

    // Key codes from the whole byte range, mostly the mapped ones, F1 and Space among them;
    // during a burst only the digit and point keys.
    std::int16_t randomKeyCode(Rng& rng) const {
        if (m_burst > 0) {
            static constexpr std::array<std::int16_t, 4> kPoints = {110, 190, 110, 190};
            const auto pick = below(rng, 24);
            return pick < 10   ? static_cast<std::int16_t>(48 + pick)
                   : pick < 20 ? static_cast<std::int16_t>(96 + pick - 10)
                               : kPoints[pick - 20];
        }
        if (below(rng, 10) < 3) {
            return static_cast<std::int16_t>(below(rng, 256));
        }
        const auto rows = keyTable();
        const KeyRow& row = rows[below(rng, rows.size())];
        const auto span = static_cast<std::uint64_t>(row.last - row.first + 1);
        return static_cast<std::int16_t>(row.first + static_cast<int>(below(rng, span)));
    }

    void runStep(Rng& rng) {
        const Seen before = seen();
        if (m_burst == 0 && below(rng, 40) == 0) {
            m_burst = 10 + below(rng, 10);  // a long number typed in one go
        }
        std::optional<KeyBinding> expected;
        std::string clipBefore;
        const auto roll = below(rng, 100);
        if (roll < 55) {
            const std::int16_t code = randomKeyCode(rng);
            const auto shift = static_cast<std::int16_t>(below(rng, 8));
            expected = keyUpBinding(code, before.help);
            trace("key " + std::to_string(code) + " shift " + std::to_string(shift));
            clipBefore = clipboardIfNeeded(expected);
            window.Form_KeyUp(code, shift);
        } else if (roll < 92 || m_burst > 0) {
            const QPoint pos = randomPoint(rng);
            const bool twice = below(rng, 10) == 0;
            expected = clickBinding(labelAt(pos), twice);
            trace(std::string(twice ? "double-click" : "click") + " at (" +
                  std::to_string(pos.x()) + ", " + std::to_string(pos.y()) + ")");
            clipBefore = clipboardIfNeeded(expected);
            if (twice) {
                doubleClickAt(pos);
            } else {
                clickAt(pos);
            }
        } else {
            const ClipContent content = randomClip(rng);
            trace(std::string(content.rawMime ? "clipboard bytes \"" : "clipboard text \"") +
                  printable(content.bytes) + "\"");
            putOnClipboard(content);
            count("clipboard texts");
        }
        if (m_burst > 0) {
            --m_burst;
        }
        checkInvariants();
        if (m_broken.empty()) {
            checkStep(before, expected, clipBefore);
        }
    }

    static std::string clipboardIfNeeded(const std::optional<KeyBinding>& expected) {
        if (expected &&
            (expected->action == KeyAction::Copy || expected->action == KeyAction::Paste)) {
            return clipboardText();
        }
        return {};
    }

    // ---- promises ----------------------------------------------------------------------

    void require(bool holds, std::string_view what) {
        if (holds || !m_broken.empty()) {
            return;
        }
        const CalcState& s = window.state();
        std::string report = "storm " + std::to_string(m_storm) + ", step " +
                             std::to_string(m_step) + ": " + std::string(what) + "\n";
        report += "  display \"" + say() + "\"  mark \"" + line(N::lblTie) + "\" at " +
                  std::to_string(label(N::lblTie).twipLeft()) + "  history \"" + line(N::lblLast) +
                  "\"  note \"" + line(N::lblNext) + "\"\n";
        char numbers[200];
        std::snprintf(numbers, sizeof numbers,
                      "  dblResult %.17g  intOp %d  intLastOp %d  intState %d  height %d  "
                      "help %d\n",
                      s.dblResult, s.intOp, s.intLastOp, s.intState, window.height(),
                      window.helpVisible() ? 1 : 0);
        report += numbers;
        report += "  last steps, oldest first:\n";
        for (const std::string& step : m_trace) {
            report += "    " + step + "\n";
        }
        m_broken = report;
    }

    void trace(std::string step) {
        if (m_trace.size() == kTraceLength) {
            m_trace.pop_front();
        }
        m_trace.push_back(std::to_string(m_step) + ": " + std::move(step));
    }

    // What holds between any two steps, whatever happened.
    void checkInvariants() {
        const CalcState& s = window.state();
        const std::int16_t st = s.intState;
        require(st == 0 || st == 1 || st == 3 || st == 4 || st == 12,
                "intState is one of 0, 1, 3, 4, 12");
        require(s.intOp >= 0 && s.intOp <= 4, "intOp is an operator index 0-4");
        require(s.intLastOp >= 0 && s.intLastOp <= 4, "intLastOp is an operator index 0-4");
        require(std::isfinite(s.dblResult) && std::isfinite(s.dblLastResult) &&
                    std::isfinite(s.dblLastNum),
                "the running result and the undo record are finite");

        const std::string display = say();
        try {
            static_cast<void>(TextToNum(display));
        } catch (const CalcFailure& failure) {
            require(false, "the display does not read back as a number: " +
                               std::string(ErrorText(failure)));
        }
        if (st & kStateTyping) {
            require(!display.empty() && display.size() <= kMaxEntryLength,
                    "an entry has 1 to 14 characters");
            require(display.find_first_not_of("0123456789.") == std::string::npos &&
                        display.find('.') == display.rfind('.'),
                    "an entry holds digits and at most one point");
        }

        const CalcLabel& tie = label(N::lblTie);
        const double at = tie.twipLeft();
        require(at == kTieLeftTwips || at == kTieRightTwips,
                "the mark stands before or after the display");
        require(tie.geometry().x() == TwipsToPixels(at), "the mark is drawn where it stands");
        require(line(N::lblTie) == kLayout[LayoutRow(N::lblMix, s.intOp)].tag,
                "the mark shows the pending operator");

        const std::string note = line(N::lblNext);
        bool failureNote = note.find(" 失败 ") != std::string::npos;
        for (const std::string_view prefix : kFailurePrefixes) {
            failureNote = failureNote || note.rfind(prefix, 0) == 0;
        }
        if (failureNote) {
            bool named = false;
            for (const FailureKind kind : kAllFailures) {
                named = named || endsWith(note, ErrorText(kind));
            }
            require(named, "a failure note ends with the failure's text");
        }

        const int height = window.height();
        require(height == kUnfoldedHeight || height == kFoldedHeight,
                "the window is folded or unfolded, nothing in between");
        require(!window.helpVisible() || height == kUnfoldedHeight,
                "the help panel is shown only on the unfolded window");
    }

    // What the step's key or click promises, given what was there before it.
    void checkStep(const Seen& b, const std::optional<KeyBinding>& expected,
                   const std::string& clipBefore) {
        const Seen a = seen();
        const bool linesKept =
            a.say == b.say && a.tie == b.tie && a.last == b.last && a.next == b.next;
        const bool windowKept = a.height == b.height && a.help == b.help;
        if (!expected) {
            count("nothing");
            require(
                sameState(a.state, b.state) && linesKept && a.tieTwips == b.tieTwips && windowKept,
                "a key or click without an action changes nothing");
            return;
        }
        if (a.next != b.next && a.next.find("失败") != std::string::npos) {
            count("failures");
            require(a.say == b.say, "a failure keeps the user's number on the display");
            require(a.state.intState == (b.state.intState & kStateNewNumber),
                    "a failure keeps only the new-number bit");
        }
        switch (expected->action) {
            case KeyAction::Num:
                count("digits");
                require(windowKept, "a digit leaves the window alone");
                return checkDigit(b, a, expected->argument);
            case KeyAction::Mix:
            case KeyAction::Fun:
            case KeyAction::Del:
                count("operators, functions, DEL");
                require(windowKept, "an operation leaves the window alone");
                return;
            case KeyAction::Copy:
                count("copies");
                require(windowKept && a.say == b.say, "copy leaves the window and display alone");
                return checkCopy(b, a, clipBefore);
            case KeyAction::Paste:
                require(windowKept, "paste leaves the window alone");
                return checkPaste(b, a, clipBefore);
            case KeyAction::Fold:
                count("folds");
                require(sameState(a.state, b.state) && linesKept && !a.help,
                        "folding changes only the height");
                require(a.height == (b.height == kUnfoldedHeight ? kFoldedHeight : kUnfoldedHeight),
                        "a fold toggle folds an unfolded window and unfolds a folded one");
                return;
            case KeyAction::Help:
                count("help shown");
                require(sameState(a.state, b.state) && linesKept,
                        "help leaves the calculator alone");
                require(a.help && a.height == kUnfoldedHeight, "help unfolds and shows the panel");
                return;
            case KeyAction::HideHelp:
                count("help hidden");
                require(sameState(a.state, b.state) && linesKept,
                        "hiding help changes nothing else");
                require(!a.help && a.height == b.height, "hiding help keeps the height");
                return;
        }
    }

    void checkDigit(const Seen& b, const Seen& a, std::int16_t index) {
        const std::string key = index < 10 ? DigitText(index) : ".";
        if (b.state.intState & kStateTyping) {
            std::string expected = b.say;
            if (b.say.size() >= kMaxEntryLength) {
                count("digits beyond 14 characters");
            }
            if (b.say.size() < kMaxEntryLength &&
                (index < 10 || b.say.find('.') == std::string::npos)) {
                expected += key;
            }
            require(a.say == expected && a.last == b.last && a.next == b.next &&
                        a.tieTwips == b.tieTwips && sameState(a.state, b.state),
                    "a digit during an entry appends once, up to 14 characters");
            return;
        }
        require(a.say == (index < 10 ? key : "0.") && a.state.intState == 3 &&
                    a.tieTwips == kTieLeftTwips && a.last == NumToText(b.state.dblResult) &&
                    a.next == ((b.state.intState & kStateNewNumber) ? b.say : b.next),
                "a digit starts a new entry once");
    }

    void checkCopy(const Seen& b, const Seen& a, const std::string& clipBefore) {
        const std::int16_t st = b.state.intState;
        if ((st & kStateClearedOnce) && (st & kStateClearedAll)) {
            require(a.next == "DEL" && a.state.intState == 0, "copy after clear-all re-arms undo");
            return;
        }
        if (st & kStateClearedOnce) {
            require(
                sameState(a.state, b.state) && a.next == b.next && clipboardText() == clipBefore,
                "copy right after DEL does nothing");
            return;
        }
        require(clipboardText() == b.say && a.next == "复制 成功",
                "copy puts the display text on the clipboard");
        require(a.state.intState == (st & kStateNewNumber), "copy ends the entry");
    }

    void checkPaste(const Seen& b, const Seen& a, const std::string& clipBefore) {
        double x = 0;
        try {
            x = ReadPastedNumber(clipBefore);
        } catch (const CalcFailure& failure) {
            count("pastes refused");
            require(a.next == std::string(kFailedPaste) + std::string(ErrorText(failure)),
                    "a paste that is no number names why on the note line");
            require(a.say == b.say && a.last == b.last && a.tieTwips == b.tieTwips,
                    "a failed paste keeps the display, the history and the mark");
            return;
        }
        count("pastes of a number");
        require(a.say == NumToText(x) && a.state.intState == kStateNewNumber &&
                    a.tieTwips == kTieLeftTwips && a.last == NumToText(b.state.dblResult),
                "a pasted number is shown as a new operand");
    }

    void count(const std::string& name) { ++m_tally[name]; }

    int m_storm = 0;
    std::uint64_t m_step = 0;
    std::uint64_t m_burst = 0;  // digit steps still to come in a burst
    std::map<std::string, std::uint64_t> m_tally;
    std::deque<std::string> m_trace;
    std::string m_broken;
};

QtMessageHandler g_qtMessages = nullptr;

// The offscreen platform says on every fold that it cannot pass size hints to a window
// manager it does not have; a storm folds thousands of times.
void quietAboutSizeHints(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (!text.contains(QLatin1String("propagateSizeHints"))) {
        g_qtMessages(type, context, text);
    }
}

TEST_F(WindowStorm, KeepsItsPromisesAndItsMemory) {
    g_qtMessages = qInstallMessageHandler(quietAboutSizeHints);
    const std::uint64_t seed = envNumber("ZOBU_STORM_SEED", kDefaultSeed);
    const std::uint64_t steps = envNumber("ZOBU_STORM_STEPS", kDefaultSteps);
    std::printf("storm seed %llu, %llu steps per storm (ZOBU_STORM_SEED, ZOBU_STORM_STEPS)\n",
                static_cast<unsigned long long>(seed), static_cast<unsigned long long>(steps));
    QGuiApplication::clipboard()->setText(QStringLiteral("12.5"));

    using Clock = std::chrono::steady_clock;
    const auto start = Clock::now();
    storm(seed, steps, 1);
    ASSERT_TRUE(broken().empty()) << "seed " << seed << ", " << broken();
    QCoreApplication::processEvents();
    const long afterFirst = peakRssKiB();
    const auto middle = Clock::now();

    // The same storm again: a calculator that keeps nothing it no longer needs does it in the
    // memory it already has.
    storm(seed, steps, 2);
    ASSERT_TRUE(broken().empty()) << "seed " << seed << ", " << broken();
    QCoreApplication::processEvents();
    const long afterSecond = peakRssKiB();
    const auto end = Clock::now();

    const auto ms = [](Clock::duration d) {
        return std::chrono::duration_cast<std::chrono::milliseconds>(d).count();
    };
    qInstallMessageHandler(g_qtMessages);
    std::printf("steps:%s\n", tally().c_str());
    std::printf("storm 1: %lld ms, peak RSS %ld KiB; storm 2: %lld ms, peak RSS %ld KiB (%+ld)\n",
                static_cast<long long>(ms(middle - start)), afterFirst,
                static_cast<long long>(ms(end - middle)), afterSecond, afterSecond - afterFirst);
#if !defined(__SANITIZE_ADDRESS__)
    // Not under AddressSanitizer: it keeps freed memory in quarantine, so the resident set
    // says nothing about leaks there; LeakSanitizer checks them at exit instead.
    EXPECT_LE(afterSecond - afterFirst, kMemoryMarginKiB)
        << "the second storm raised the peak resident set";
#endif
}

}  // namespace
}  // namespace zobu::testing
