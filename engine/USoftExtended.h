#pragma once

#include "UAmountOverflow.h"
#include "UUInt128.h"

#include <bit>
#include <cstdint>
#include <utility>

// The x87 80-bit extended format in software: a 64-bit significand with an
// explicit integer bit, a 15-bit exponent and a sign, each operation rounded to
// nearest with ties to even exactly as the x87 does at extended precision,
// including subnormals, infinities and the NaNs it produces. Every result is
// bit for bit the one the x87 gives.
//
// Normal operands with a normal result, all that amounts meet, take the inline
// paths below; everything else goes through USoftExtended.cpp.
class TSoftExtended
{
public:
    static constexpr bool IsNative = false;

    // The layout.
    static constexpr int Bias = 16383;
    static constexpr int MaxExponent = 0x7FFF;
    static constexpr std::uint16_t SignBit = 0x8000;
    static constexpr std::uint64_t IntegerBit = std::uint64_t(1) << 63;

    // Both exact.
    TSoftExtended(double value);
    TSoftExtended(std::int32_t value);

    friend TSoftExtended operator+(TSoftExtended a, TSoftExtended b) { return Add(a, b, 0); }
    friend TSoftExtended operator-(TSoftExtended a, TSoftExtended b) { return Add(a, b, SignBit); }
    friend TSoftExtended operator*(TSoftExtended a, TSoftExtended b);
    friend TSoftExtended operator/(TSoftExtended a, TSoftExtended b);

    // False whenever a NaN takes part; the two zeros are equal.
    friend bool operator<(TSoftExtended a, TSoftExtended b);
    friend bool operator<=(TSoftExtended a, TSoftExtended b);
    friend bool operator>(TSoftExtended a, TSoftExtended b) { return b < a; }
    friend bool operator>=(TSoftExtended a, TSoftExtended b) { return b <= a; }

    // Rounds to nearest, ties to even, as when a formula's result is stored in
    // a field; raises EAmountOverflow for a result beyond the Doubles.
    double ToDouble() const;

    // The x87's memory image: the sign in bit 15 of SignExponent() above the
    // biased exponent, and the significand. FromBits takes only encodings that
    // the x87 itself produces.
    static TSoftExtended FromBits(std::uint16_t signExponent, std::uint64_t significand)
    {
        return TSoftExtended(signExponent, significand);
    }
    std::uint16_t SignExponent() const { return SignExp; }
    std::uint64_t Significand() const { return Sig; }

private:
    TSoftExtended(std::uint16_t signExponent, std::uint64_t significand)
        : Sig(significand), SignExp(signExponent)
    {
    }

    int Exponent() const { return SignExp & MaxExponent; }
    // Neither zero, subnormal, infinite nor NaN.
    bool IsNormal() const { return unsigned(Exponent() - 1) < unsigned(MaxExponent - 1); }

    static TSoftExtended Add(TSoftExtended a, TSoftExtended b, std::uint16_t flipB);
    // Rounds sign × sig × 2^(exponent − Bias − 127) to the format, sig not zero.
    static TSoftExtended Round(std::uint16_t sign, int exponent, TUInt128 sig);

    // The rest of each operation, in USoftExtended.cpp.
    static TSoftExtended FromOtherDouble(std::uint64_t bits);
    static TSoftExtended AddAny(TSoftExtended a, TSoftExtended b, std::uint16_t flipB);
    static TSoftExtended MultiplyAny(TSoftExtended a, TSoftExtended b);
    static TSoftExtended RoundAny(std::uint16_t sign, int exponent, TUInt128 sig);
    double ToDoubleAny() const;

    std::uint64_t Sig;
    std::uint16_t SignExp;
};

inline TSoftExtended::TSoftExtended(double value)
{
    const std::uint64_t bits = std::bit_cast<std::uint64_t>(value);
    const unsigned exponent = unsigned(bits >> 52) & 0x7FF;
    if (exponent - 1 < 0x7FE) {
        Sig = IntegerBit | (bits << 11);
        SignExp = std::uint16_t(((bits >> 48) & SignBit) | (exponent - 1023 + Bias));
    } else {
        *this = FromOtherDouble(bits);
    }
}

inline TSoftExtended::TSoftExtended(std::int32_t value)
{
    const std::uint16_t sign = value < 0 ? SignBit : 0;
    const std::uint64_t magnitude =
        value < 0 ? std::uint64_t(0) - std::uint64_t(std::int64_t(value)) : std::uint64_t(value);
    if (magnitude == 0) {
        SignExp = 0;
        Sig = 0;
        return;
    }
    const int shift = std::countl_zero(magnitude);
    SignExp = std::uint16_t(sign | (Bias + 63 - shift));
    Sig = magnitude << shift;
}

inline TSoftExtended TSoftExtended::Round(std::uint16_t sign, int exponent, TUInt128 sig)
{
    const int shift = sig.CountLeadingZeros();
    int normalised = exponent - shift;
    if (normalised < 1 || normalised >= MaxExponent)
        return RoundAny(sign, exponent, sig);
    sig = sig << shift;
    std::uint64_t kept = sig.High();
    const std::uint64_t rest = sig.Low();
    if ((rest > IntegerBit || (rest == IntegerBit && (kept & 1) != 0)) && ++kept == 0) {
        // Carried out of the significand; at the top this is the infinity.
        kept = IntegerBit;
        ++normalised;
    }
    return TSoftExtended(std::uint16_t(sign | normalised), kept);
}

inline TSoftExtended TSoftExtended::Add(TSoftExtended a, TSoftExtended b, std::uint16_t flipB)
{
    if (!a.IsNormal() || !b.IsNormal())
        return AddAny(a, b, flipB);
    b.SignExp ^= flipB;
    // The larger magnitude first, then the smaller aligned to it. 63 spare bits
    // below the significands plus a sticky bit round every case exactly.
    if (a.Exponent() < b.Exponent() || (a.Exponent() == b.Exponent() && a.Sig < b.Sig))
        std::swap(a, b);
    const TUInt128 large = TUInt128(a.Sig) << 63;
    const TUInt128 small = (TUInt128(b.Sig) << 63).ShiftRightSticky(a.Exponent() - b.Exponent());
    const std::uint16_t sign = a.SignExp & SignBit;
    if (((a.SignExp ^ b.SignExp) & SignBit) == 0)
        return Round(sign, a.Exponent() + 1, large + small);
    const TUInt128 difference = large - small;
    if (difference.IsZero())
        return TSoftExtended(0, 0); // an exact cancellation is +0 when rounding to nearest
    return Round(sign, a.Exponent() + 1, difference);
}

inline TSoftExtended operator*(TSoftExtended a, TSoftExtended b)
{
    if (!a.IsNormal() || !b.IsNormal())
        return TSoftExtended::MultiplyAny(a, b);
    // sig × 2^(e − Bias − 63) twice makes the product × 2^(ea + eb − 2 Bias − 126).
    const std::uint16_t sign = (a.SignExp ^ b.SignExp) & TSoftExtended::SignBit;
    return TSoftExtended::Round(sign, a.Exponent() + b.Exponent() - TSoftExtended::Bias + 1,
                                TUInt128::Multiply(a.Sig, b.Sig));
}

inline double TSoftExtended::ToDouble() const
{
    // A normal Double below the top binade needs neither overflow nor subnormal
    // handling; a carry out of the significand moves into the exponent by itself.
    const unsigned exponent = unsigned(Exponent());
    if (exponent - 0x3C01 >= 0x43FE - 0x3C01)
        return ToDoubleAny();
    const std::uint64_t rest = Sig & 0x7FF;
    std::uint64_t kept = Sig >> 11;
    kept += rest > 0x400 || (rest == 0x400 && (kept & 1) != 0) ? 1 : 0;
    return std::bit_cast<double>((std::uint64_t(SignExp & SignBit) << 48) |
                                 ((std::uint64_t(exponent - 0x3C01) << 52) + kept));
}
