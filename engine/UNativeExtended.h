#pragma once

#include "UAmountOverflow.h"

#include <cmath>
#include <cstdint>
#include <limits>

// The extended format as the x87 computes it, through long double. Only for
// targets whose long double is that format and whose x87 runs at its full
// 64-bit precision.
class TNativeExtended
{
public:
    static_assert(std::numeric_limits<long double>::is_iec559 &&
                      std::numeric_limits<long double>::digits == 64 &&
                      std::numeric_limits<long double>::max_exponent == 16384,
                  "long double is not the x87 80-bit extended format on this target");

    static constexpr bool IsNative = true;

    constexpr TNativeExtended(double value) : v(value) {}
    constexpr TNativeExtended(std::int32_t value) : v(value) {}

    friend TNativeExtended operator+(TNativeExtended a, TNativeExtended b)
    {
        return TNativeExtended(a.v + b.v);
    }
    friend TNativeExtended operator-(TNativeExtended a, TNativeExtended b)
    {
        return TNativeExtended(a.v - b.v);
    }
    friend TNativeExtended operator*(TNativeExtended a, TNativeExtended b)
    {
        return TNativeExtended(a.v * b.v);
    }
    friend TNativeExtended operator/(TNativeExtended a, TNativeExtended b)
    {
        return TNativeExtended(a.v / b.v);
    }

    friend bool operator<(TNativeExtended a, TNativeExtended b) { return a.v < b.v; }
    friend bool operator<=(TNativeExtended a, TNativeExtended b) { return a.v <= b.v; }
    friend bool operator>(TNativeExtended a, TNativeExtended b) { return a.v > b.v; }
    friend bool operator>=(TNativeExtended a, TNativeExtended b) { return a.v >= b.v; }

    // Rounds to nearest, ties to even, as when a formula's result is stored in a field.
    double ToDouble() const
    {
        const double d = static_cast<double>(v);
        if (!std::isfinite(d))
            throw EAmountOverflow();
        return d;
    }

private:
    explicit constexpr TNativeExtended(long double value) : v(value) {}
    long double v;
};
