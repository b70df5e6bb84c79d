#include "USoftExtended.h"

#include "UUInt128.h"

#include <bit>
#include <utility>

// Internally a finite value is sign × significand × 2^(exponent − Bias − 63),
// where a subnormal's field of 0 counts as exponent 1.

namespace {

constexpr int Bias = TSoftExtended::Bias;
constexpr int MaxExponent = TSoftExtended::MaxExponent;
constexpr std::uint16_t SignBit = TSoftExtended::SignBit;
constexpr std::uint64_t IntegerBit = TSoftExtended::IntegerBit;
constexpr std::uint64_t QuietBit = std::uint64_t(1) << 62;

// What the x87 returns for an invalid operation ("real indefinite").
constexpr std::uint16_t IndefiniteSignExp = SignBit | MaxExponent;
constexpr std::uint64_t IndefiniteSig = IntegerBit | QuietBit;

struct TParts
{
    bool Negative;
    int Exponent; // the field, 0 to 0x7FFF
    std::uint64_t Sig;

    bool IsNaN() const { return Exponent == MaxExponent && (Sig << 1) != 0; }
    bool IsInfinite() const { return Exponent == MaxExponent && (Sig << 1) == 0; }
    bool IsZero() const { return Exponent == 0 && Sig == 0; }
    int ScaleExponent() const { return Exponent == 0 ? 1 : Exponent; }
};

TParts Unpack(std::uint16_t signExp, std::uint64_t sig)
{
    return {(signExp & SignBit) != 0, signExp & MaxExponent, sig};
}

std::uint16_t SignExponentOf(bool negative, int exponent)
{
    return std::uint16_t((negative ? SignBit : 0) | exponent);
}

// A NaN operand comes back quiet; of two, the one with the larger significand,
// and of two alike the positive one.
TSoftExtended PropagateNaN(TParts a, TParts b)
{
    const TParts* nan = a.IsNaN() ? &a : &b;
    if (a.IsNaN() && b.IsNaN()) {
        const std::uint64_t sigA = a.Sig | QuietBit, sigB = b.Sig | QuietBit;
        if (sigA == sigB)
            return TSoftExtended::FromBits(SignExponentOf(a.Negative && b.Negative, MaxExponent),
                                           sigA);
        nan = sigA > sigB ? &a : &b;
    }
    return TSoftExtended::FromBits(SignExponentOf(nan->Negative, MaxExponent), nan->Sig | QuietBit);
}

} // namespace

TSoftExtended TSoftExtended::RoundAny(std::uint16_t sign, int exponent, TUInt128 sig)
{
    const bool negative = sign != 0;
    const int shift = sig.CountLeadingZeros();
    sig = sig << shift;
    exponent -= shift;
    if (exponent >= MaxExponent)
        return TSoftExtended(SignExponentOf(negative, MaxExponent), IntegerBit);
    if (exponent <= 0) {
        // Below the normal range the x87 keeps fewer digits: denormalise first,
        // then round once.
        sig = sig.ShiftRightSticky(1 - exponent);
        exponent = 0;
    }
    std::uint64_t kept = sig.High();
    const std::uint64_t rest = sig.Low();
    if (rest > IntegerBit || (rest == IntegerBit && (kept & 1) != 0)) {
        ++kept;
        if (kept == 0) {
            kept = IntegerBit;
            ++exponent;
        } else if (exponent == 0 && (kept & IntegerBit) != 0) {
            exponent = 1; // rounded up into the normal range
        }
    }
    if (exponent >= MaxExponent)
        return TSoftExtended(SignExponentOf(negative, MaxExponent), IntegerBit);
    return TSoftExtended(SignExponentOf(negative, exponent), kept);
}

// Zeros, subnormals, infinities and NaNs.
TSoftExtended TSoftExtended::FromOtherDouble(std::uint64_t bits)
{
    TSoftExtended x(std::uint16_t(0), 0);
    const bool negative = (bits >> 63) != 0;
    const int exponent = int(bits >> 52) & 0x7FF;
    const std::uint64_t fraction = bits & ((std::uint64_t(1) << 52) - 1);
    if (exponent == 0x7FF) {
        // Infinity keeps the bare integer bit; a NaN is loaded quiet.
        x.SignExp = SignExponentOf(negative, MaxExponent);
        x.Sig = IntegerBit | (fraction << 11) | (fraction != 0 ? QuietBit : 0);
    } else if (exponent == 0 && fraction == 0) {
        x.SignExp = SignExponentOf(negative, 0);
        x.Sig = 0;
    } else if (exponent == 0) {
        // A Double subnormal is a normal number here.
        const int shift = std::countl_zero(fraction);
        x.SignExp = SignExponentOf(negative, Bias + 63 - 1074 - shift);
        x.Sig = fraction << shift;
    } else {
        x.SignExp = SignExponentOf(negative, exponent - 1023 + Bias);
        x.Sig = IntegerBit | (fraction << 11);
    }
    return x;
}

TSoftExtended TSoftExtended::AddAny(TSoftExtended x, TSoftExtended y, std::uint16_t flipY)
{
    TParts a = Unpack(x.SignExp, x.Sig);
    TParts b = Unpack(y.SignExp ^ flipY, y.Sig);

    if (a.IsNaN() || b.IsNaN())
        return PropagateNaN(a, Unpack(y.SignExp, y.Sig));
    if (a.IsInfinite() || b.IsInfinite()) {
        if (a.IsInfinite() && b.IsInfinite() && a.Negative != b.Negative)
            return TSoftExtended(IndefiniteSignExp, IndefiniteSig);
        const bool negative = a.IsInfinite() ? a.Negative : b.Negative;
        return TSoftExtended(SignExponentOf(negative, MaxExponent), IntegerBit);
    }
    if (a.IsZero() && b.IsZero())
        return TSoftExtended(SignExponentOf(a.Negative && b.Negative, 0), 0);
    if (b.IsZero())
        return x;
    if (a.IsZero())
        return TSoftExtended(SignExponentOf(b.Negative, b.Exponent), b.Sig);

    // Align the smaller magnitude to the larger one. 63 spare bits below the
    // significands plus a sticky bit round every case exactly.
    if (a.Exponent < b.Exponent || (a.Exponent == b.Exponent && a.Sig < b.Sig))
        std::swap(a, b);
    const int distance = a.ScaleExponent() - b.ScaleExponent();
    const TUInt128 large = TUInt128(a.Sig) << 63;
    const TUInt128 small = (TUInt128(b.Sig) << 63).ShiftRightSticky(distance);
    const TUInt128 sum = a.Negative == b.Negative ? large + small : large - small;
    if (sum.IsZero())
        return TSoftExtended(0, 0); // an exact cancellation is +0 when rounding to nearest
    return RoundAny(a.Negative ? SignBit : 0, a.ScaleExponent() + 1, sum);
}

TSoftExtended TSoftExtended::MultiplyAny(TSoftExtended x, TSoftExtended y)
{
    const TParts a = Unpack(x.SignExp, x.Sig);
    const TParts b = Unpack(y.SignExp, y.Sig);
    const bool negative = a.Negative != b.Negative;
    if (a.IsNaN() || b.IsNaN())
        return PropagateNaN(a, b);
    if (a.IsInfinite() || b.IsInfinite()) {
        if (a.IsZero() || b.IsZero())
            return TSoftExtended(IndefiniteSignExp, IndefiniteSig);
        return TSoftExtended(SignExponentOf(negative, MaxExponent), IntegerBit);
    }
    if (a.IsZero() || b.IsZero())
        return TSoftExtended(SignExponentOf(negative, 0), 0);

    // sig × 2^(e − Bias − 63) twice makes the product × 2^(ea + eb − 2 Bias − 126).
    const TUInt128 product = TUInt128::Multiply(a.Sig, b.Sig);
    return RoundAny(negative ? SignBit : 0, a.ScaleExponent() + b.ScaleExponent() - Bias + 1,
                    product);
}

TSoftExtended operator/(TSoftExtended x, TSoftExtended y)
{
    const TParts a = Unpack(x.SignExp, x.Sig);
    const TParts b = Unpack(y.SignExp, y.Sig);
    const bool negative = a.Negative != b.Negative;
    if (a.IsNaN() || b.IsNaN())
        return PropagateNaN(a, b);
    if ((a.IsInfinite() && b.IsInfinite()) || (a.IsZero() && b.IsZero()))
        return TSoftExtended(IndefiniteSignExp, IndefiniteSig);
    if (a.IsInfinite() || b.IsZero())
        return TSoftExtended(SignExponentOf(negative, MaxExponent), IntegerBit);
    if (a.IsZero() || b.IsInfinite())
        return TSoftExtended(SignExponentOf(negative, 0), 0);

    // Normalise both significands so that their quotient lies in (1/2, 2).
    const int shiftA = std::countl_zero(a.Sig);
    const int shiftB = std::countl_zero(b.Sig);
    const std::uint64_t dividend = a.Sig << shiftA;
    const std::uint64_t divisor = b.Sig << shiftB;
    const int exponent = (a.ScaleExponent() - shiftA) - (b.ScaleExponent() - shiftB);

    // 65 quotient bits from dividend × 2^64 ÷ divisor, one more from the
    // remainder, and a sticky bit for whatever remains.
    const bool top = dividend >= divisor;
    std::uint64_t remainder = 0;
    const std::uint64_t low =
        TUInt128(top ? dividend - divisor : dividend, 0).Divide(divisor, remainder);
    const bool next = remainder >= divisor - remainder;
    const std::uint64_t left = next ? remainder - (divisor - remainder) : remainder + remainder;
    const TUInt128 quotient = (((TUInt128(top ? 1 : 0, low) << 1) | TUInt128(next ? 1 : 0)) << 1) |
                              TUInt128(left != 0 ? 1 : 0);
    return TSoftExtended::Round(negative ? SignBit : 0, exponent + Bias + 61, quotient);
}

namespace {

// Orders finite and infinite values; NaNs are the callers' business.
int CompareOrdered(TParts a, TParts b)
{
    if (a.IsZero() && b.IsZero())
        return 0;
    if (a.Negative != b.Negative)
        return a.Negative ? -1 : 1;
    int magnitude = 0;
    if (a.Exponent != b.Exponent)
        magnitude = a.Exponent < b.Exponent ? -1 : 1;
    else if (a.Sig != b.Sig)
        magnitude = a.Sig < b.Sig ? -1 : 1;
    return a.Negative ? -magnitude : magnitude;
}

} // namespace

bool operator<(TSoftExtended x, TSoftExtended y)
{
    const TParts a = Unpack(x.SignExp, x.Sig);
    const TParts b = Unpack(y.SignExp, y.Sig);
    return !a.IsNaN() && !b.IsNaN() && CompareOrdered(a, b) < 0;
}

bool operator<=(TSoftExtended x, TSoftExtended y)
{
    const TParts a = Unpack(x.SignExp, x.Sig);
    const TParts b = Unpack(y.SignExp, y.Sig);
    return !a.IsNaN() && !b.IsNaN() && CompareOrdered(a, b) <= 0;
}

double TSoftExtended::ToDoubleAny() const
{
    const TParts a = Unpack(SignExp, Sig);
    if (a.Exponent == MaxExponent)
        throw EAmountOverflow();
    const std::uint64_t sign = a.Negative ? std::uint64_t(1) << 63 : 0;
    if (a.Sig == 0)
        return std::bit_cast<double>(sign);

    // Normalise, then keep 53 bits, or fewer where the Double is subnormal.
    const int normalise = std::countl_zero(a.Sig);
    const std::uint64_t sig = a.Sig << normalise;
    int exponent = a.ScaleExponent() - normalise - Bias + 1023;
    const int dropped = 11 + (exponent <= 0 ? 1 - exponent : 0);
    std::uint64_t kept = 0;
    bool roundUp = false;
    if (dropped < 64) {
        kept = sig >> dropped;
        const std::uint64_t rest = sig & ((std::uint64_t(1) << dropped) - 1);
        const std::uint64_t half = std::uint64_t(1) << (dropped - 1);
        roundUp = rest > half || (rest == half && (kept & 1) != 0);
    } else if (dropped == 64) {
        roundUp = sig > IntegerBit; // a tie rounds to the even 0
    }
    if (exponent <= 0) {
        // A subnormal's encoding is its significand; rounding up into the
        // normal range carries into the exponent field by itself.
        kept += roundUp ? 1 : 0;
        return std::bit_cast<double>(sign | kept);
    }
    if (roundUp && ++kept == std::uint64_t(1) << 53) {
        kept >>= 1;
        ++exponent;
    }
    if (exponent >= 0x7FF)
        throw EAmountOverflow();
    return std::bit_cast<double>(sign | (std::uint64_t(exponent) << 52) |
                                 (kept & ((std::uint64_t(1) << 52) - 1)));
}
