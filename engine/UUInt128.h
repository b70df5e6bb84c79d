#pragma once

#include <bit>
#include <cstdint>

// An unsigned 128-bit integer for the extended-format emulation. The widening
// multiply and the 128-by-64 division use the compiler's 128-bit integers where
// it has them; the portable versions stand in elsewhere (MSVC) and stay public
// so that they can be checked against the others.
class TUInt128
{
public:
    constexpr TUInt128() = default;
    constexpr TUInt128(std::uint64_t low) : Lo(low) {}
    constexpr TUInt128(std::uint64_t high, std::uint64_t low) : Hi(high), Lo(low) {}

    constexpr std::uint64_t High() const { return Hi; }
    constexpr std::uint64_t Low() const { return Lo; }
    constexpr bool IsZero() const { return (Hi | Lo) == 0; }

    friend constexpr bool operator==(TUInt128 a, TUInt128 b) = default;

    friend constexpr TUInt128 operator+(TUInt128 a, TUInt128 b)
    {
        const std::uint64_t low = a.Lo + b.Lo;
        return {a.Hi + b.Hi + (low < a.Lo), low};
    }
    friend constexpr TUInt128 operator-(TUInt128 a, TUInt128 b)
    {
        return {a.Hi - b.Hi - (a.Lo < b.Lo), a.Lo - b.Lo};
    }
    friend constexpr TUInt128 operator|(TUInt128 a, TUInt128 b)
    {
        return {a.Hi | b.Hi, a.Lo | b.Lo};
    }

    // Shifts by 0 to 127 places.
    friend constexpr TUInt128 operator<<(TUInt128 a, int n)
    {
        if (n == 0)
            return a;
        if (n >= 64)
            return {a.Lo << (n - 64), 0};
        return {(a.Hi << n) | (a.Lo >> (64 - n)), a.Lo << n};
    }
    friend constexpr TUInt128 operator>>(TUInt128 a, int n)
    {
        if (n == 0)
            return a;
        if (n >= 64)
            return {0, a.Hi >> (n - 64)};
        return {a.Hi >> n, (a.Lo >> n) | (a.Hi << (64 - n))};
    }

    // Shifts right by any number of places and ORs whatever fell out into the
    // lowest bit, so that rounding still sees that the value was not exact.
    constexpr TUInt128 ShiftRightSticky(int n) const
    {
        if (n <= 0)
            return *this;
        if (n >= 128)
            return TUInt128(IsZero() ? 0 : 1);
        const TUInt128 kept = *this >> n;
        const bool lost = !((kept << n) == *this);
        return kept | TUInt128(lost ? 1 : 0);
    }

    constexpr int CountLeadingZeros() const
    {
        return Hi != 0 ? std::countl_zero(Hi) : 64 + std::countl_zero(Lo);
    }

    static TUInt128 Multiply(std::uint64_t a, std::uint64_t b);
    static constexpr TUInt128 MultiplyPortable(std::uint64_t a, std::uint64_t b);

    // Divides by a divisor greater than High(), so that the quotient fits into
    // 64 bits, and stores the remainder.
    std::uint64_t Divide(std::uint64_t divisor, std::uint64_t& remainder) const;
    constexpr std::uint64_t DividePortable(std::uint64_t divisor, std::uint64_t& remainder) const;

private:
    std::uint64_t Hi = 0;
    std::uint64_t Lo = 0;
};

#if defined(__SIZEOF_INT128__)
#define LEVORA_HAS_INT128 1
__extension__ using TCompilerUInt128 = unsigned __int128;
#endif

inline TUInt128 TUInt128::Multiply(std::uint64_t a, std::uint64_t b)
{
#ifdef LEVORA_HAS_INT128
    const TCompilerUInt128 p = TCompilerUInt128(a) * b;
    return {std::uint64_t(p >> 64), std::uint64_t(p)};
#else
    return MultiplyPortable(a, b);
#endif
}

inline std::uint64_t TUInt128::Divide(std::uint64_t divisor, std::uint64_t& remainder) const
{
#ifdef LEVORA_HAS_INT128
    const TCompilerUInt128 n = (TCompilerUInt128(Hi) << 64) | Lo;
    const std::uint64_t q = std::uint64_t(n / divisor);
    remainder = Lo - q * divisor;
    return q;
#else
    return DividePortable(divisor, remainder);
#endif
}

constexpr TUInt128 TUInt128::MultiplyPortable(std::uint64_t a, std::uint64_t b)
{
    // Schoolbook on 32-bit halves; no partial sum can overflow 64 bits.
    const std::uint64_t a0 = a & 0xFFFFFFFF, a1 = a >> 32;
    const std::uint64_t b0 = b & 0xFFFFFFFF, b1 = b >> 32;
    const std::uint64_t p00 = a0 * b0, p01 = a0 * b1, p10 = a1 * b0, p11 = a1 * b1;
    const std::uint64_t middle = (p00 >> 32) + (p01 & 0xFFFFFFFF) + (p10 & 0xFFFFFFFF);
    return {p11 + (p01 >> 32) + (p10 >> 32) + (middle >> 32), (middle << 32) | (p00 & 0xFFFFFFFF)};
}

constexpr std::uint64_t TUInt128::DividePortable(std::uint64_t divisor,
                                                 std::uint64_t& remainder) const
{
    // Long division in base 2^32 with a normalised divisor, where each
    // estimated digit is at most two too large (Knuth, algorithm D).
    constexpr std::uint64_t Base = std::uint64_t(1) << 32;
    const int shift = std::countl_zero(divisor);
    const std::uint64_t v = divisor << shift;
    const std::uint64_t v1 = v >> 32, v0 = v & 0xFFFFFFFF;
    const std::uint64_t u32 = shift == 0 ? Hi : (Hi << shift) | (Lo >> (64 - shift));
    const std::uint64_t u10 = Lo << shift;
    const std::uint64_t u1 = u10 >> 32, u0 = u10 & 0xFFFFFFFF;

    const auto digit = [&](std::uint64_t top, std::uint64_t next) {
        std::uint64_t q = top / v1;
        std::uint64_t r = top - q * v1;
        while (q >= Base || q * v0 > ((r << 32) | next)) {
            --q;
            r += v1;
            if (r >= Base)
                break;
        }
        return q;
    };
    const std::uint64_t q1 = digit(u32, u1);
    const std::uint64_t u21 = (u32 << 32) + u1 - q1 * v;
    const std::uint64_t q0 = digit(u21, u0);
    remainder = ((u21 << 32) + u0 - q0 * v) >> shift;
    return (q1 << 32) | q0;
}
