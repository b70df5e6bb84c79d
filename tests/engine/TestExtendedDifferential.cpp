// The software extended format against the x87, bit for bit, over millions of
// operand pairs per operation: values that amounts and their intermediates
// take, the whole range of the format, and operands built to land on and next
// to the halfway points where rounding decides. LEVORA_EXTENDED_PAIRS and
// LEVORA_EXTENDED_SEED set the number of pairs and the seed of a longer run.

#include "USoftExtended.h"

#include <gtest/gtest.h>

#include <cfloat>

#if (defined(__x86_64__) || defined(__i386__)) && LDBL_MANT_DIG == 64 && defined(__SIZEOF_INT128__)

#include <bit>
#include <cinttypes>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>
#include <vector>

namespace {

__extension__ using U128 = unsigned __int128;

constexpr int Bias = 16383;
constexpr std::uint64_t IntegerBit = std::uint64_t(1) << 63;

struct Bits
{
    std::uint16_t signExp = 0;
    std::uint64_t sig = 0;

    bool operator==(const Bits&) const = default;
};

long double Native(Bits b)
{
    long double v = 0;
    std::memcpy(&v, &b.sig, 8);
    std::memcpy(reinterpret_cast<char*>(&v) + 8, &b.signExp, 2);
    return v;
}

Bits BitsOf(long double v)
{
    Bits b;
    std::memcpy(&b.sig, &v, 8);
    std::memcpy(&b.signExp, reinterpret_cast<const char*>(&v) + 8, 2);
    return b;
}

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
    std::snprintf(text, sizeof text, "%04X:%016" PRIX64, unsigned(b.signExp), b.sig);
    return text;
}

std::uint64_t EnvironmentNumber(const char* name, std::uint64_t fallback)
{
    const char* text = std::getenv(name);
    return text != nullptr && *text != '\0' ? std::strtoull(text, nullptr, 0) : fallback;
}

std::uint64_t Pairs()
{
    return EnvironmentNumber("LEVORA_EXTENDED_PAIRS", 2'000'000);
}

std::uint64_t Seed()
{
    return EnvironmentNumber("LEVORA_EXTENDED_SEED", 20110901);
}

// The inverse of an odd number modulo 2^64 (Newton's iteration doubles the
// correct low bits each step, from 3 to 96).
std::uint64_t InverseOdd(std::uint64_t odd)
{
    std::uint64_t x = odd;
    for (int i = 0; i < 5; ++i)
        x *= 2 - odd * x;
    return x;
}

enum class Op
{
    Add,
    Subtract,
    Multiply,
    Divide,
};

class TOperands
{
public:
    explicit TOperands(std::uint64_t seed) : Rng(seed) {}

    std::uint64_t Next() { return Rng(); }
    int Between(int low, int high) { return low + int(Rng() % std::uint64_t(high - low + 1)); }
    bool Chance(int percent) { return int(Rng() % 100) < percent; }

    // sign × m × 2^k, exact where the format can hold it: beyond the top an
    // infinity, at the bottom the subnormal cut short.
    static Bits Make(bool negative, std::uint64_t m, int k)
    {
        const std::uint16_t sign = negative ? 0x8000 : 0;
        if (m == 0)
            return {sign, 0};
        const int shift = std::countl_zero(m);
        std::uint64_t sig = m << shift;
        int field = Bias + 63 - shift + k;
        if (field >= 0x7FFF)
            return {std::uint16_t(sign | 0x7FFF), IntegerBit};
        if (field <= 0) {
            const int down = 1 - field;
            sig = down >= 64 ? 0 : sig >> down;
            field = 0;
        }
        return {std::uint16_t(sign | field), sig};
    }

    static Bits FromDouble(double d) { return BitsOf(static_cast<long double>(d)); }

    // Values the calculators meet: cent amounts, Doubles and full extended
    // intermediates of amount size, and numbers with few bits.
    Bits AmountLike()
    {
        const bool negative = Chance(25);
        switch (Between(0, 3)) {
        case 0: {
            const std::uint64_t cents = Next() >> Between(14, 63);
            const double amount = double(cents) / 100;
            return FromDouble(negative ? -amount : amount);
        }
        case 1:
            return Make(negative, (Next() >> 11) | (std::uint64_t(1) << 52), Between(-90, 70));
        case 2:
            return Make(negative, Next() | IntegerBit, Between(-110, 70));
        default:
            return Make(negative, (Next() >> Between(40, 63)) | 1, Between(-12, 24));
        }
    }

    // Anything the format holds, with the rare encodings made common.
    Bits Anything()
    {
        const int kind = Between(0, 99);
        if (kind < 50)
            return AmountLike();
        if (kind < 65) {
            std::uint64_t bits = Next();
            if (Chance(20))
                bits &= ~(std::uint64_t(0x7FF) << 52); // subnormal Doubles
            return FromDouble(std::bit_cast<double>(bits));
        }
        if (kind < 85) {
            const int field = Between(0, 0x7FFE);
            const std::uint64_t sig = field == 0 ? Next() >> 1 : Next() | IntegerBit;
            return {std::uint16_t((Chance(50) ? 0x8000 : 0) | field), sig};
        }
        if (kind < 93)
            return Make(Chance(50), Next() | IntegerBit, Between(-1100, 1100));
        return Special();
    }

    Bits Special()
    {
        const std::uint16_t sign = Chance(50) ? 0x8000 : 0;
        switch (Between(0, 9)) {
        case 0:
            return {sign, 0};
        case 1:
            return {std::uint16_t(sign | 0x7FFF), IntegerBit};
        case 2:
            return {std::uint16_t(sign | 0x7FFF),
                    IntegerBit | (std::uint64_t(1) << 62) | (Chance(50) ? Next() >> 2 : 0)};
        case 3:
            return {std::uint16_t(sign | 1), IntegerBit};
        case 4:
            return {std::uint16_t(sign | 0x7FFE), ~std::uint64_t(0)};
        case 5:
            return {sign, std::uint64_t(Between(1, 3))};
        case 6: {
            const double rates[] = {0.03, 0.1, 0.2, 0.25, 0.3, 0.35, 0.45, 0.97, 0.55};
            return FromDouble(rates[Between(0, 8)]);
        }
        default: {
            const std::int32_t integers[] = {1, 12, 100, 105, 555, 1005, 2755, 3500, 4800, 13505};
            return BitsOf(static_cast<long double>(integers[Between(0, 9)]));
        }
        }
    }

    // A pair for the operation: mostly random, often made to round at or next
    // to a halfway point, or to cancel.
    std::pair<Bits, Bits> PairFor(Op op)
    {
        const int kind = Between(0, 99);
        if (kind < 55)
            return {Anything(), Anything()};
        if (kind < 65)
            return {AmountLike(), AmountLike()};
        if (kind < 75) {
            // Neighbours and equals: cancellation, and the comparisons' ties.
            const Bits a = Anything();
            Bits b = a;
            b.sig ^= Next() >> Between(40, 63);
            if (Chance(30))
                b.sig = a.sig;
            if ((a.signExp & 0x7FFF) == 0x7FFF && b.sig != IntegerBit)
                b.sig |= std::uint64_t(1) << 62; // the x87 makes no signalling NaNs
            if (Chance(50))
                b.signExp ^= 0x8000;
            return Chance(50) ? std::pair{a, b} : std::pair{b, a};
        }
        switch (op) {
        case Op::Add:
        case Op::Subtract:
            return NearHalfwaySum();
        case Op::Multiply:
            return NearHalfwayProduct();
        case Op::Divide:
            return NearHalfwayQuotient();
        }
        return {};
    }

private:
    std::uint64_t SmallOffset() { return std::uint64_t(Between(0, 4)); }

    // b a half, quarter or eighth of a's last place, give or take a little.
    std::pair<Bits, Bits> NearHalfwaySum()
    {
        std::uint64_t a = Next() | IntegerBit;
        if (Chance(20))
            a = IntegerBit; // a power of two: the place halves below it
        else if (Chance(20))
            a = ~std::uint64_t(0) - SmallOffset(); // carries out of the significand
        std::uint64_t b = IntegerBit;
        if (Chance(50))
            b = Chance(50) ? b + SmallOffset() : b - SmallOffset();
        else if (Chance(30))
            b = Next() | IntegerBit;
        const int k = Between(-80, 60);
        const Bits x = Make(Chance(30), a, k);
        const Bits y = Make(Chance(50), b, k - 64 - Between(0, 3));
        return Chance(50) ? std::pair{x, y} : std::pair{y, x};
    }

    // Odd significands whose product has its low half at or next to the
    // halfway point, or whose lengths add up to just past 64 bits.
    std::pair<Bits, Bits> NearHalfwayProduct()
    {
        std::uint64_t a = 0, b = 0;
        if (Chance(50)) {
            a = Next() | IntegerBit | 1;
            const std::uint64_t low = IntegerBit + SmallOffset() - 2;
            b = low * InverseOdd(a);
        } else {
            const int lengthA = Between(2, 63);
            const int lengthB = 65 + Between(0, 2) - lengthA;
            a = (Next() >> (64 - lengthA)) | (std::uint64_t(1) << (lengthA - 1)) | 1;
            b = lengthB >= 64
                    ? Next() | IntegerBit | 1
                    : (Next() >> (64 - lengthB)) | (std::uint64_t(1) << (lengthB - 1)) | 1;
        }
        return {Make(Chance(30), a, Between(-100, 40)), Make(Chance(30), b, Between(-100, 40))};
    }

    // a ÷ b = m ÷ 2^t − s ÷ (2^t b) for a 65-bit odd m: a hair off a halfway
    // point for odd s, a hair off a representable quotient for even s.
    std::pair<Bits, Bits> NearHalfwayQuotient()
    {
        const int lengthB = Between(1, 63);
        const std::uint64_t b =
            (Next() >> (64 - lengthB)) | (std::uint64_t(1) << (lengthB - 1)) | 1;
        const int t = lengthB + 1;
        const std::int64_t s = Between(-3, 3);
        const U128 mask = (U128(1) << t) - 1;
        const U128 low = (U128(s) * InverseOdd(b)) & mask;
        const U128 m =
            (((U128(Next()) << 1) | (U128(1) << 64)) & ~mask & ((U128(1) << 65) - 1)) | low;
        const U128 product = m * b;
        const std::uint64_t a = std::uint64_t((product - U128(s)) >> t);
        return {Make(Chance(30), a, Between(-60, 60)), Make(Chance(30), b, Between(-60, 60))};
    }

    std::mt19937_64 Rng;
};

// Counts differences and keeps the first few for the failure message.
class TMismatches
{
public:
    template <class TDescribe> void Check(const TDescribe& what, Bits native, Bits soft)
    {
        if (native == soft)
            return;
        if (++Count <= 5)
            First += what() + ": x87 " + Hex(native) + ", software " + Hex(soft) + "\n";
    }
    std::uint64_t Count = 0;
    std::string First;
};

class ExtendedDifferential : public ::testing::TestWithParam<Op>
{
};

TEST_P(ExtendedDifferential, MatchesTheX87BitForBit)
{
    const Op op = GetParam();
    TOperands operands(Seed() + std::uint64_t(op));
    TMismatches mismatches;
    const char* symbol = "+-*/";
    for (std::uint64_t i = Pairs(); i > 0; --i) {
        const std::pair<Bits, Bits> pair = operands.PairFor(op);
        const Bits a = pair.first, b = pair.second;
        long double native = 0;
        TSoftExtended soft(0);
        switch (op) {
        case Op::Add:
            native = Native(a) + Native(b);
            soft = Soft(a) + Soft(b);
            break;
        case Op::Subtract:
            native = Native(a) - Native(b);
            soft = Soft(a) - Soft(b);
            break;
        case Op::Multiply:
            native = Native(a) * Native(b);
            soft = Soft(a) * Soft(b);
            break;
        case Op::Divide:
            native = Native(a) / Native(b);
            soft = Soft(a) / Soft(b);
            break;
        }
        mismatches.Check([&] { return Hex(a) + " " + symbol[int(op)] + " " + Hex(b); },
                         BitsOf(native), BitsOf(soft));
    }
    EXPECT_EQ(mismatches.Count, 0u) << "seed " << Seed() << "\n" << mismatches.First;
}

std::string OpName(const ::testing::TestParamInfo<Op>& info)
{
    const char* names[] = {"Add", "Subtract", "Multiply", "Divide"};
    return names[int(info.param)];
}

INSTANTIATE_TEST_SUITE_P(Operations, ExtendedDifferential,
                         ::testing::Values(Op::Add, Op::Subtract, Op::Multiply, Op::Divide),
                         OpName);

TEST(ExtendedDifferentialComparisons, MatchTheX87)
{
    TOperands operands(Seed() + 10);
    TMismatches mismatches;
    for (std::uint64_t i = Pairs(); i > 0; --i) {
        const std::pair<Bits, Bits> pair = operands.PairFor(Op::Subtract);
        const Bits a = pair.first, b = pair.second;
        const long double x = Native(a), y = Native(b);
        const TSoftExtended p = Soft(a), q = Soft(b);
        const auto pattern = [](bool lt, bool le, bool gt, bool ge) {
            return Bits{std::uint16_t(lt | le << 1 | gt << 2 | ge << 3), 0};
        };
        mismatches.Check([&] { return Hex(a) + " <=> " + Hex(b); },
                         pattern(x<y, x <= y, x> y, x >= y), pattern(p<q, p <= q, p> q, p >= q));
    }
    EXPECT_EQ(mismatches.Count, 0u) << "seed " << Seed() << "\n" << mismatches.First;
}

// Extended values at and next to the Double's halfway points, over its whole
// range and past both ends.
TEST(ExtendedDifferentialConversions, ToDoubleMatchesTheX87)
{
    TOperands operands(Seed() + 11);
    TMismatches mismatches;
    for (std::uint64_t i = Pairs(); i > 0; --i) {
        Bits x = operands.Chance(20) ? operands.Anything() : operands.AmountLike();
        if (operands.Chance(60)) {
            const std::uint64_t tails[] = {0x400, 0x3FF, 0x401, 0, 0x7FF, 0xC00, 0xBFF, 0xC01};
            x.sig = (x.sig & ~std::uint64_t(0xFFF)) | tails[operands.Between(0, 7)];
        }
        if (operands.Chance(30)) {
            // Around the top of the Doubles and the bottom of their normal range.
            const int edges[] = {0x43FE, 0x3C01, 0x3BCD};
            const int field = edges[operands.Between(0, 2)] + operands.Between(-60, 2);
            x = {std::uint16_t((x.signExp & 0x8000) | field), x.sig | IntegerBit};
            if (operands.Chance(30))
                x.sig |= 0xFFFFFFFFFFFFF000;
        }
        const double native = static_cast<double>(Native(x));
        Bits expected{0, std::bit_cast<std::uint64_t>(native)};
        if (!std::isfinite(native))
            expected = {1, 0};
        Bits got{0, 0};
        try {
            got.sig = std::bit_cast<std::uint64_t>(Soft(x).ToDouble());
        } catch (const EAmountOverflow&) {
            got = {1, 0};
        }
        mismatches.Check([&] { return "ToDouble(" + Hex(x) + ")"; }, expected, got);
    }
    EXPECT_EQ(mismatches.Count, 0u) << "seed " << Seed() << "\n" << mismatches.First;
}

TEST(ExtendedDifferentialConversions, FromDoubleAndIntegerMatchTheX87)
{
    TOperands operands(Seed() + 12);
    TMismatches mismatches;
    for (std::uint64_t i = Pairs() / 4; i > 0; --i) {
        std::uint64_t bits = operands.Next();
        if (operands.Chance(20))
            bits &= ~(std::uint64_t(0x7FF) << 52);
        if (operands.Chance(5))
            bits |= std::uint64_t(0x7FF) << 52;
        const double d = std::bit_cast<double>(bits);
        mismatches.Check([&] { return "from " + std::to_string(bits); },
                         BitsOf(static_cast<long double>(d)), BitsOf(TSoftExtended(d)));
        const auto n = static_cast<std::int32_t>(operands.Next() >> operands.Between(0, 63));
        mismatches.Check([&] { return "from " + std::to_string(n); },
                         BitsOf(static_cast<long double>(n)), BitsOf(TSoftExtended(n)));
    }
    for (std::int32_t n : {INT32_MIN, INT32_MIN + 1, -1, 0, 1, INT32_MAX})
        mismatches.Check([&] { return "from " + std::to_string(n); },
                         BitsOf(static_cast<long double>(n)), BitsOf(TSoftExtended(n)));
    EXPECT_EQ(mismatches.Count, 0u) << "seed " << Seed() << "\n" << mismatches.First;
}

} // namespace

#endif
