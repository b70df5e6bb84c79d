// The software extended format: known results everywhere, and bit-for-bit
// agreement with the x87 wherever one is there to compare against.

#include "USoftExtended.h"

#include <gtest/gtest.h>

#include <bit>
#include <cfloat>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <limits>
#include <random>
#include <string>

namespace {

constexpr std::uint64_t IntegerBit = std::uint64_t(1) << 63;

struct Bits
{
    std::uint16_t signExp;
    std::uint64_t sig;

    bool operator==(const Bits&) const = default;
};

Bits BitsOf(TSoftExtended x)
{
    return {x.SignExponent(), x.Significand()};
}

TSoftExtended Soft(Bits b)
{
    return TSoftExtended::FromBits(b.signExp, b.sig);
}

std::string Hex(Bits b)
{
    char text[32];
    std::snprintf(text, sizeof text, "%04X:%016llX", unsigned(b.signExp),
                  static_cast<unsigned long long>(b.sig));
    return text;
}

// Results worked out by hand, so that targets without an x87 check something.
struct KnownCase
{
    const char* what;
    std::function<TSoftExtended()> compute;
    Bits expected;
};

TEST(SoftExtended, KnownResults)
{
    using E = TSoftExtended;
    const Bits one{0x3FFF, IntegerBit};
    const Bits indefinite{0xFFFF, 0xC000000000000000};
    const KnownCase cases[] = {
        {"1/3 rounds up", [] { return E(1) / E(3); }, {0x3FFD, 0xAAAAAAAAAAAAAAAB}},
        {"2/3", [] { return E(2) / E(3); }, {0x3FFE, 0xAAAAAAAAAAAAAAAB}},
        {"1/10 is not the Double 0.1", [] { return E(1) / E(10); }, {0x3FFB, 0xCCCCCCCCCCCCCCCD}},
        {"0.1 enters exactly", [] { return E(0.1); }, {0x3FFB, 0xCCCCCCCCCCCCD000}},
        {"1 + 2^-64 ties to the even 1", [] { return E(1) + E(0x1p-64); }, one},
        {"1 + 3 * 2^-64 ties to the even 1 + 2^-62",
         [] { return E(1) + E(0x3p-64); },
         {0x3FFF, IntegerBit | 2}},
        {"1 - 2^-65 ties to the even 1", [] { return E(1) - E(0x1p-65); }, one},
        {"1 - 2^-66 rounds back up to 1", [] { return E(1) - E(0x1p-66); }, one},
        {"1 - 2^-64 is exact below a power of two",
         [] { return E(1) - E(0x1p-64); },
         {0x3FFE, ~std::uint64_t(0)}},
        {"(2^32 + 1)^2 drops its last bit to the even side",
         [] { return E(0x1.00000001p32) * E(0x1.00000001p32) * E(0x1p-1); },
         {0x403E, 0x8000000100000000}},
        {"x - x is +0", [] { return E(5.5) - E(5.5); }, {0x0000, 0}},
        {"-0 + -0 is -0", [] { return E(-0.0) + E(-0.0); }, {0x8000, 0}},
        {"-0 + +0 is +0", [] { return E(-0.0) + E(0.0); }, {0x0000, 0}},
        {"the Double's largest times 10 fits",
         [] { return E(DBL_MAX) * E(10); },
         {0x4402, 0x9FFFFFFFFFFFFB00}},
        {"the smallest subnormal Double is a normal number",
         [] { return E(std::numeric_limits<double>::denorm_min()); },
         {0x3BCD, IntegerBit}},
        {"INT32_MIN", [] { return E(std::int32_t(INT32_MIN)); }, {0xC01E, IntegerBit}},
        {"1/0 is +inf", [] { return E(1) / E(0); }, {0x7FFF, IntegerBit}},
        {"-1/0 is -inf", [] { return E(-1) / E(0); }, {0xFFFF, IntegerBit}},
        {"0/0", [] { return E(0) / E(0); }, indefinite},
        {"inf - inf",
         [] {
             const double inf = std::numeric_limits<double>::infinity();
             return E(inf) - E(inf);
         },
         indefinite},
        {"0 * inf", [] { return E(0) * E(std::numeric_limits<double>::infinity()); }, indefinite},
        {"of two NaNs the larger significand",
         [] {
             return E::FromBits(0x7FFF, 0xC000000000000001) +
                    E::FromBits(0xFFFF, 0xC000000000000002);
         },
         {0xFFFF, 0xC000000000000002}},
        {"of two NaNs alike the positive",
         [] {
             return E::FromBits(0xFFFF, 0xC000000000000001) *
                    E::FromBits(0x7FFF, 0xC000000000000001);
         },
         {0x7FFF, 0xC000000000000001}},
        {"a NaN passes through unchanged",
         [] { return E(3) - E::FromBits(0xFFFF, 0xD000000000000000); },
         {0xFFFF, 0xD000000000000000}},
        {"overflow rounds to inf",
         [] { return E::FromBits(0x7FFE, ~std::uint64_t(0)) * E(2); },
         {0x7FFF, IntegerBit}},
        {"underflow keeps a subnormal",
         [] { return E::FromBits(0x0001, IntegerBit) / E(4); },
         {0x0000, IntegerBit >> 2}},
        {"the smallest subnormal halved ties to 0",
         [] { return E::FromBits(0x0000, 1) / E(2); },
         {0x0000, 0}},
        {"three halves of the smallest subnormal tie to 2 of it",
         [] { return E::FromBits(0x0000, 3) / E(2); },
         {0x0000, 2}},
    };
    for (const KnownCase& c : cases)
        EXPECT_EQ(Hex(BitsOf(c.compute())), Hex(c.expected)) << c.what;
}

struct ToDoubleCase
{
    Bits x;
    double expected;
};

TEST(SoftExtended, ToDoubleRoundsToNearestEven)
{
    const ToDoubleCase cases[] = {
        {{0x3FFB, 0xCCCCCCCCCCCCCCCD}, 0.1},
        {{0x3FFF, IntegerBit | 0x400}, 1.0},           // tie, even below
        {{0x3FFF, IntegerBit | 0xC00}, 1.0 + 0x2p-52}, // tie, even above
        {{0x3FFF, IntegerBit | 0x401}, 1.0 + 0x1p-52}, // just past the tie
        {{0x3FFE, ~std::uint64_t(0)}, 1.0},            // carries into the exponent
        {{0x43FE, 0xFFFFFFFFFFFFFBFF}, DBL_MAX},       // just below the overflow tie
        {{0x3C00, IntegerBit}, 0x1p-1023},             // subnormal, exact
        {{0x3BCC, IntegerBit}, 0.0},                   // half the smallest: even 0
        {{0x3BCC, IntegerBit | 1}, std::numeric_limits<double>::denorm_min()},
        {{0x3BCD, 0xC000000000000000}, 2 * std::numeric_limits<double>::denorm_min()},
        {{0x3C00, ~std::uint64_t(0)}, 0x1p-1022}, // rounds up to the normals
        {{0x8001, IntegerBit}, -0.0},             // far below the Doubles
        {{0x0000, 0x1234}, 0.0},                  // an extended subnormal
    };
    for (const ToDoubleCase& c : cases) {
        const double d = Soft(c.x).ToDouble();
        EXPECT_EQ(std::bit_cast<std::uint64_t>(d), std::bit_cast<std::uint64_t>(c.expected))
            << Hex(c.x) << " gave " << d;
    }
}

TEST(SoftExtended, ToDoubleRaisesOverflowBeyondTheDoubles)
{
    const double inf = std::numeric_limits<double>::infinity();
    const TSoftExtended cases[] = {
        TSoftExtended::FromBits(0x43FE, 0xFFFFFFFFFFFFFC00), // the overflow tie rounds up
        TSoftExtended(DBL_MAX) * TSoftExtended(2),
        TSoftExtended(inf),
        TSoftExtended(-inf),
        TSoftExtended(0) / TSoftExtended(0),
        TSoftExtended(std::numeric_limits<double>::quiet_NaN()),
    };
    for (const TSoftExtended& x : cases)
        EXPECT_THROW(x.ToDouble(), EAmountOverflow) << Hex(BitsOf(x));
}

TEST(SoftExtended, ComparisonsOrderSignsZerosAndNaNs)
{
    using E = TSoftExtended;
    const E nan(std::numeric_limits<double>::quiet_NaN());
    const E minusInf(-std::numeric_limits<double>::infinity());
    struct Case
    {
        E a, b;
        bool less, lessEqual;
    };
    const Case cases[] = {
        {E(1), E(2), true, true},
        {E(-2), E(-1), true, true},
        {E(-1), E(0.5), true, true},
        {E(0.0), E(-0.0), false, true},
        {E(3500) - E(0.01), E(3500), true, true},
        {E(1) / E(3), E(1) / E(3), false, true},
        {E::FromBits(0x0000, 5), E::FromBits(0x0001, IntegerBit), true, true},
        {minusInf, E(-1e308), true, true},
        {nan, E(1), false, false},
        {E(1), nan, false, false},
        {nan, nan, false, false},
    };
    for (const Case& c : cases) {
        const std::string what = Hex(BitsOf(c.a)) + " vs " + Hex(BitsOf(c.b));
        EXPECT_EQ(c.a < c.b, c.less) << what;
        EXPECT_EQ(c.a <= c.b, c.lessEqual) << what;
        EXPECT_EQ(c.b > c.a, c.less) << what;
        EXPECT_EQ(c.b >= c.a, c.lessEqual) << what;
    }
}

} // namespace
