#pragma once

// The 80-bit extended format in which the calculators evaluate every formula.
// All engine arithmetic goes through this type so that it can be swapped for an
// exact software emulation on targets whose long double is something else.

#include <cmath>
#include <cstdint>
#include <limits>
#include <stdexcept>

// A result that does not fit into a Double. Raised instead of storing an
// infinity or a NaN in a result record.
class EAmountOverflow : public std::overflow_error
{
public:
    EAmountOverflow() : std::overflow_error("计算结果超出了数值范围（浮点溢出）。") {}
};

class Extended
{
public:
    static_assert(std::numeric_limits<long double>::is_iec559 &&
                      std::numeric_limits<long double>::digits == 64 &&
                      std::numeric_limits<long double>::max_exponent == 16384,
                  "long double is not the x87 80-bit extended format on this target");

    constexpr Extended(double value) : v(value) {}
    constexpr Extended(std::int32_t value) : v(value) {}

    friend Extended operator+(Extended a, Extended b) { return Extended(a.v + b.v); }
    friend Extended operator-(Extended a, Extended b) { return Extended(a.v - b.v); }
    friend Extended operator*(Extended a, Extended b) { return Extended(a.v * b.v); }
    friend Extended operator/(Extended a, Extended b) { return Extended(a.v / b.v); }

    friend bool operator<(Extended a, Extended b) { return a.v < b.v; }
    friend bool operator<=(Extended a, Extended b) { return a.v <= b.v; }
    friend bool operator>(Extended a, Extended b) { return a.v > b.v; }
    friend bool operator>=(Extended a, Extended b) { return a.v >= b.v; }

    // Rounds to nearest, ties to even, as when a formula's result is stored in a field.
    double ToDouble() const
    {
        const double d = static_cast<double>(v);
        if (!std::isfinite(d))
            throw EAmountOverflow();
        return d;
    }

private:
    explicit constexpr Extended(long double value) : v(value) {}
    long double v;
};
