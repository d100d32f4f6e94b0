// Per-key cost of the engine: every operation must stay far below what a person can notice.
#include <benchmark/benchmark.h>

#include "calc_failure.h"
#include "engine_harness.h"
#include "number_text.h"
#include "paste_reader.h"

namespace zobu::testing {
namespace {

void BM_Digit(benchmark::State& st) {
    EngineHarness calc;
    std::int16_t digit = 1;
    for (auto _ : st) {
        calc.engine.lblNum_Click(digit);
        if (calc.display.lines[0].size() >= 14) {
            calc.engine.state().intState = 0;  // start a fresh entry, as an operator would
        }
        digit = static_cast<std::int16_t>(digit % 9 + 1);
    }
}
BENCHMARK(BM_Digit);

// An operator that completes a pending operation: the display is read, the history line,
// the display and the mark are written. Alternating * and / keeps the values bounded.
void BM_OperatorThatComputes(benchmark::State& st) {
    EngineHarness calc;
    calc.press("1234567.891*");
    std::int16_t op = kOpDivide;
    for (auto _ : st) {
        calc.engine.state().intState = kStateNewNumber;
        calc.engine.lblMix_Click(op);
        op = op == kOpDivide ? kOpMultiply : kOpDivide;
    }
}
BENCHMARK(BM_OperatorThatComputes);

// The failure path: 5 / 0 = pressed again and again, each reported on the note line.
void BM_OperatorThatFails(benchmark::State& st) {
    EngineHarness calc;
    calc.press("5/0=");
    for (auto _ : st) {
        calc.engine.lblMix_Click(kOpEquals);
    }
}
BENCHMARK(BM_OperatorThatFails);

void BM_NumToText15Digits(benchmark::State& st) {
    double value = 1234567.89012345;
    for (auto _ : st) {
        benchmark::DoNotOptimize(NumToText(value));
        value += 1e-9;
    }
}
BENCHMARK(BM_NumToText15Digits);

void BM_TextToNum(benchmark::State& st) {
    for (auto _ : st) {
        benchmark::DoNotOptimize(TextToNum("1234567.89012345"));
    }
}
BENCHMARK(BM_TextToNum);

// A clipboard of ten megabytes must be read or rejected well within 100 ms.
void BM_PasteTenMegabytes(benchmark::State& st) {
    const std::string digits(10u << 20, '9');
    // "1,234,234,...": well-formed groups, far beyond the double range.
    std::string grouped(1 + 4 * (10u << 18), '2');
    grouped[0] = '1';
    for (std::size_t i = 1; i < grouped.size(); i += 4) {
        grouped[i] = ',';
        grouped[i + 3] = '4';
    }
    const std::string& text = st.range(0) == 0 ? digits : grouped;
    for (auto _ : st) {
        try {
            benchmark::DoNotOptimize(ReadPastedNumber(text));
        } catch (const CalcFailure&) {
        }
    }
}
BENCHMARK(BM_PasteTenMegabytes)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace zobu::testing

BENCHMARK_MAIN();
