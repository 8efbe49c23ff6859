// The number text against the C library's conversions it replaces, and one
// whole calculation on the in-memory form.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>

#include "colour/balance.h"
#include "form/memory_form.h"
#include "form/number_text.h"

namespace {

const char* const kTexts[] = {"0.3127", "0.64000", "2.2", "  0.2831", "1.00000", "-0.06250", "12.5e-1"};
const double kValues[] = {0.3127, 0.640, 2.2, 0.81081234, 1.0, -0.0625, 123.456789};

void BM_ReadFieldNumber(benchmark::State& state) {
    for (auto _ : state) {
        for (const char* text : kTexts) benchmark::DoNotOptimize(ParseFieldNumber(text));
    }
}
BENCHMARK(BM_ReadFieldNumber);

void BM_Strtod(benchmark::State& state) {
    for (auto _ : state) {
        for (const char* text : kTexts) benchmark::DoNotOptimize(std::strtod(text, nullptr));
    }
}
BENCHMARK(BM_Strtod);

void BM_WriteFieldNumber(benchmark::State& state) {
    char text[kFieldBufferSize];
    for (auto _ : state) {
        for (double value : kValues) {
            FormatFieldNumber(value, text);
            benchmark::DoNotOptimize(text);
        }
    }
}
BENCHMARK(BM_WriteFieldNumber);

void BM_Snprintf(benchmark::State& state) {
    char text[kFieldBufferSize];
    for (auto _ : state) {
        for (double value : kValues) {
            std::snprintf(text, sizeof text, "%7.5f", value);
            benchmark::DoNotOptimize(text);
        }
    }
}
BENCHMARK(BM_Snprintf);

// Eleven reads, the matrix work and three writes, as after pressing "Calc.".
void BM_CalcBalanceRoundTrip(benchmark::State& state) {
    Form form;
    ApplyDefaultTexts(&form);
    SetFieldText(&form, IDC_TARGET_WHITE_X, "0.2831");
    SetFieldText(&form, IDC_TARGET_WHITE_Y, "0.2971");
    for (auto _ : state) {
        CalcBalance(&form);
        benchmark::DoNotOptimize(form.texts[IDC_BAL_RED - kFirstFieldId].data());
    }
}
BENCHMARK(BM_CalcBalanceRoundTrip);

}  // namespace
