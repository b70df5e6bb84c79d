// One operation of the extended format, in software and, where there is one,
// on the x87, over operands of amount size.

#include "USoftExtended.h"

#include <benchmark/benchmark.h>

#include <array>
#include <cfloat>

namespace {

constexpr std::array<double, 8> Operands{4734.25, 0.03, 5428.39, 12, 38500.5, 0.45, 1e15, 3500};

template <class T, class TOperation> void Run(benchmark::State& state, TOperation operation)
{
    std::array<T, Operands.size()> values{T(0.0), T(0.0), T(0.0), T(0.0),
                                          T(0.0), T(0.0), T(0.0), T(0.0)};
    for (std::size_t i = 0; i < Operands.size(); ++i)
        values[i] = T(Operands[i]);
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(values);
        benchmark::DoNotOptimize(operation(values[i % 8], values[(i + 3) % 8]));
        ++i;
    }
}

void BM_SoftAdd(benchmark::State& s)
{
    Run<TSoftExtended>(s, [](auto a, auto b) { return a + b; });
}
void BM_SoftSubtract(benchmark::State& s)
{
    Run<TSoftExtended>(s, [](auto a, auto b) { return a - b; });
}
void BM_SoftMultiply(benchmark::State& s)
{
    Run<TSoftExtended>(s, [](auto a, auto b) { return a * b; });
}
void BM_SoftDivide(benchmark::State& s)
{
    Run<TSoftExtended>(s, [](auto a, auto b) { return a / b; });
}
void BM_SoftCompare(benchmark::State& s)
{
    Run<TSoftExtended>(s, [](auto a, auto b) { return a < b; });
}
void BM_SoftToDouble(benchmark::State& s)
{
    Run<TSoftExtended>(s, [](auto a, auto b) { return (a / b).ToDouble(); });
}
BENCHMARK(BM_SoftAdd);
BENCHMARK(BM_SoftSubtract);
BENCHMARK(BM_SoftMultiply);
BENCHMARK(BM_SoftDivide);
BENCHMARK(BM_SoftCompare);
BENCHMARK(BM_SoftToDouble);

#if (defined(__x86_64__) || defined(__i386__)) && LDBL_MANT_DIG == 64
void BM_X87Add(benchmark::State& s)
{
    Run<long double>(s, [](auto a, auto b) { return a + b; });
}
void BM_X87Multiply(benchmark::State& s)
{
    Run<long double>(s, [](auto a, auto b) { return a * b; });
}
void BM_X87Divide(benchmark::State& s)
{
    Run<long double>(s, [](auto a, auto b) { return a / b; });
}
BENCHMARK(BM_X87Add);
BENCHMARK(BM_X87Multiply);
BENCHMARK(BM_X87Divide);
#endif

} // namespace
