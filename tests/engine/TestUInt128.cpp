// The portable 128-bit multiply and divide, which compilers without 128-bit
// integers use, against the compiler's own where there is one.

#include "UUInt128.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <random>

namespace {

constexpr std::uint64_t Max = ~std::uint64_t(0);

struct DivideCase
{
    std::uint64_t high, low, divisor, quotient, remainder;
};

TEST(UInt128, PortableArithmeticOnKnownValues)
{
    EXPECT_EQ(TUInt128::MultiplyPortable(Max, Max), TUInt128(Max - 1, 1));
    EXPECT_EQ(TUInt128::MultiplyPortable(std::uint64_t(1) << 32, std::uint64_t(1) << 32),
              TUInt128(1, 0));
    EXPECT_EQ(TUInt128::MultiplyPortable(0xFFFFFFFF, 0xFFFFFFFF), TUInt128(0, 0xFFFFFFFE00000001));

    const DivideCase cases[] = {
        {0, 7, 2, 3, 1},
        {1, 0, 2, std::uint64_t(1) << 63, 0},
        {Max - 1, Max, Max, Max, Max - 1},
        {0, Max, 1, Max, 0},
        {0x7FFFFFFFFFFFFFFF, Max, std::uint64_t(1) << 63, Max, 0x7FFFFFFFFFFFFFFF},
        {0x7FFFFFFF00000000, 0, 0x8000000000000001, 0xFFFFFFFDFFFFFFFE, 0x200000002},
    };
    for (const DivideCase& c : cases) {
        std::uint64_t remainder = 0;
        EXPECT_EQ(TUInt128(c.high, c.low).DividePortable(c.divisor, remainder), c.quotient)
            << c.high << ":" << c.low << " / " << c.divisor;
        EXPECT_EQ(remainder, c.remainder) << c.high << ":" << c.low << " / " << c.divisor;
    }
}

#ifdef LEVORA_HAS_INT128
TEST(UInt128, PortableArithmeticAgreesWithTheCompilers)
{
    std::mt19937_64 rng(128);
    for (int i = 0; i < 200000; ++i) {
        // Operands of every length, so that the short and long paths all run.
        const std::uint64_t a = rng() >> (rng() % 64), b = rng() >> (rng() % 64);
        ASSERT_EQ(TUInt128::MultiplyPortable(a, b), TUInt128::Multiply(a, b)) << a << " * " << b;

        const std::uint64_t divisor = b == 0 ? 1 : b;
        const TUInt128 n(a % divisor, rng());
        std::uint64_t r1 = 0, r2 = 0;
        const std::uint64_t q1 = n.DividePortable(divisor, r1);
        const std::uint64_t q2 = n.Divide(divisor, r2);
        ASSERT_EQ(q1, q2) << n.High() << ":" << n.Low() << " / " << divisor;
        ASSERT_EQ(r1, r2) << n.High() << ":" << n.Low() << " / " << divisor;
    }
}
#endif

} // namespace
