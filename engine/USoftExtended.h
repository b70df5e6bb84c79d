#pragma once

#include "UAmountOverflow.h"

#include <cstdint>

// The x87 80-bit extended format in software: a 64-bit significand with an
// explicit integer bit, a 15-bit exponent and a sign, each operation rounded to
// nearest with ties to even exactly as the x87 does at extended precision,
// including subnormals, infinities and the NaNs it produces. Every result is
// bit for bit the one the x87 gives.
class TSoftExtended
{
public:
    static constexpr bool IsNative = false;

    // Both exact.
    TSoftExtended(double value);
    TSoftExtended(std::int32_t value);

    friend TSoftExtended operator+(TSoftExtended a, TSoftExtended b);
    friend TSoftExtended operator-(TSoftExtended a, TSoftExtended b);
    friend TSoftExtended operator*(TSoftExtended a, TSoftExtended b);
    friend TSoftExtended operator/(TSoftExtended a, TSoftExtended b);

    // False whenever a NaN takes part; the two zeros are equal.
    friend bool operator<(TSoftExtended a, TSoftExtended b);
    friend bool operator<=(TSoftExtended a, TSoftExtended b);
    friend bool operator>(TSoftExtended a, TSoftExtended b) { return b < a; }
    friend bool operator>=(TSoftExtended a, TSoftExtended b) { return b <= a; }

    // Rounds to nearest, ties to even, as when a formula's result is stored in a field.
    double ToDouble() const;

    // The x87's memory image: the sign in bit 15 of SignExponent() above the
    // biased exponent, and the significand. FromBits takes only encodings that
    // the x87 itself produces.
    static TSoftExtended FromBits(std::uint16_t signExponent, std::uint64_t significand);
    std::uint16_t SignExponent() const { return SignExp; }
    std::uint64_t Significand() const { return Sig; }

private:
    TSoftExtended(std::uint16_t signExponent, std::uint64_t significand)
        : Sig(significand), SignExp(signExponent)
    {
    }

    static TSoftExtended Add(TSoftExtended a, TSoftExtended b, bool negateB);

    std::uint64_t Sig;
    std::uint16_t SignExp;
};
