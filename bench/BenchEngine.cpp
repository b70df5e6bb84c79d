// Speed of the calculators and of the amount rules. Targets on a 2-core
// development machine: a calculator call under 50 ns on the x87 and under
// 200 ns on the software extended format (levora-bench-soft), reading plus
// showing an amount under 500 ns.

#include "LevoraEngine.h"

#include <benchmark/benchmark.h>

#include <array>

namespace {

// A spread of wages over every level, so that the lookups do real work.
constexpr std::array<double, 8> Wages{4734.25, 5428.39, 8000, 12500, 38500.5, 58500, 83500, 100000};

void BM_Calculate(benchmark::State& state)
{
    const TSalaryTaxManager calc;
    std::size_t i = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(calc.Calculate(false, Wages[i++ % Wages.size()], 1000));
}
BENCHMARK(BM_Calculate);

void BM_AntiTax(benchmark::State& state)
{
    const TSalaryTaxManager calc;
    std::size_t i = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(calc.AntiTax(false, Wages[i++ % Wages.size()] / 10, 1000));
}
BENCHMARK(BM_AntiTax);

void BM_AntiIncomeAfterTax(benchmark::State& state)
{
    const TSalaryTaxManager calc;
    std::size_t i = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(calc.AntiIncomeAfterTax(false, Wages[i++ % Wages.size()], 1000));
}
BENCHMARK(BM_AntiIncomeAfterTax);

void BM_YearAward(benchmark::State& state)
{
    const TYearAwardManager calc;
    std::size_t i = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(calc.Calculate(false, Wages[i++ % Wages.size()] * 12, 3000, 200));
}
BENCHMARK(BM_YearAward);

void BM_ReadAmount(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(Amount::Read(" 5000.125 "));
}
BENCHMARK(BM_ReadAmount);

void BM_FormatAmount(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(Amount::Format(245.00000000000003));
}
BENCHMARK(BM_FormatAmount);

void BM_ReadAndFormatAmount(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(Amount::Format(*Amount::Read("5428.39")));
}
BENCHMARK(BM_ReadAndFormatAmount);

} // namespace
