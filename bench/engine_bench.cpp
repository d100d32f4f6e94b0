// Per-key cost of the engine: every operation must stay far below what a person can notice.
#include <benchmark/benchmark.h>

#include "fakes/engine_harness.h"
#include "number_text.h"

namespace zobu::testing {
namespace {

void BM_Digit(benchmark::State& st) {
    EngineHarness calc;
    std::int16_t digit = 1;
    for (auto _ : st) {
        calc.engine.lblNum_Click(digit);
        if (calc.display.say().size() >= 14) {
            calc.engine.state().intState = 0;  // start a fresh entry, as an operator would
        }
        digit = static_cast<std::int16_t>(digit % 9 + 1);
    }
}
BENCHMARK(BM_Digit);

void BM_OperatorThatComputes(benchmark::State& st) {
    EngineHarness calc;
    calc.press("1234567.891+");
    for (auto _ : st) {
        calc.engine.state().intState = kStateNewNumber;
        calc.engine.lblMix_Click(kOpAdd);
    }
}
BENCHMARK(BM_OperatorThatComputes);

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

}  // namespace
}  // namespace zobu::testing

BENCHMARK_MAIN();
