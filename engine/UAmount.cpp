#include "UAmount.h"

#include "UExtended.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>

EConvertError::EConvertError(std::string_view text)
    : std::invalid_argument(std::string("'").append(text).append("' 不是有效的金额。"))
{
}

namespace Amount {

namespace {

bool IsBlankChar(char c)
{
    return static_cast<unsigned char>(c) <= 32;
}

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

std::string_view Trim(std::string_view s)
{
    while (!s.empty() && IsBlankChar(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && IsBlankChar(s.back()))
        s.remove_suffix(1);
    return s;
}

// Exact parse of an ASCII number in the C form; nullopt beyond a Double.
std::optional<double> ParseC(const std::string& s)
{
    double v = 0;
    const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
    if (ec != std::errc() || end != s.data() + s.size())
        return std::nullopt;
    return v;
}

// Decimal digits and exponent of |x| rounded to `count` significant digits:
// |x| = d0.d1d2... × 10^exponent.
struct Decimal
{
    char digits[24];
    int count = 0;
    int exponent = 0;
};

// Reads to_chars' scientific form "d.ddde+05" of a non-negative number.
Decimal FromScientific(const char* p, const char* end)
{
    Decimal d;
    int count = 0; // kept apart: stores through char* could alias d.count
    for (; p < end && *p != 'e'; ++p)
        if (IsDigit(*p))
            d.digits[count++] = *p;
    d.count = count;
    const bool negative = p + 1 < end && p[1] == '-';
    int exponent = 0;
    for (p += 2; p < end; ++p)
        exponent = exponent * 10 + (*p - '0');
    d.exponent = negative ? -exponent : exponent;
    return d;
}

Decimal ToDecimal(double x, int count)
{
    char buf[64];
    const auto res = std::to_chars(buf, buf + sizeof buf, std::fabs(x),
                                   std::chars_format::scientific, count - 1);
    return FromScientific(buf, res.ptr);
}

// x rounded to 15 significant digits, mostly from the shortest digits that read
// back as x, which is much faster than asking for the rounding. Those digits S
// lie within half an ulp of x, at most 0.111 units of the 15th digit: with up to
// 15 of them they are the rounding of x; with 16 or 17 their own rounding is
// that of x unless the digits after the 15th lie between 39 and 61 hundredths.
// Subnormal numbers carry fewer bits, and so do not qualify.
Decimal ToDecimal15(double x)
{
    if (std::fabs(x) < std::numeric_limits<double>::min())
        return ToDecimal(x, 15);
    char buf[64];
    const auto res =
        std::to_chars(buf, buf + sizeof buf, std::fabs(x), std::chars_format::scientific);
    Decimal d = FromScientific(buf, res.ptr);
    if (d.count <= 15)
        return d;
    const int tail = (d.digits[15] - '0') * 10 + (d.count > 16 ? d.digits[16] - '0' : 0);
    if (tail >= 39 && tail <= 61)
        return ToDecimal(x, 15);
    d.count = 15;
    if (tail > 50) {
        int i = 14;
        while (i >= 0 && d.digits[i] == '9')
            d.digits[i--] = '0';
        if (i >= 0) {
            ++d.digits[i];
        } else { // 99…9 became 100…0
            d.digits[0] = '1';
            ++d.exponent;
        }
    }
    return d;
}

// Text that is one plain decimal number with at most two decimals and fifteen
// digits reads as the Double nearest to it: the rounding to cents through the
// "0.00" form gives the same number back. nullopt: the full rule must decide.
std::optional<double> ReadPlainCents(std::string_view text, std::string_view separator)
{
    static constexpr double Scale[] = {1, 10, 100};
    const std::string_view s = Trim(text);
    std::size_t i = 0;
    const bool negative = i < s.size() && s[i] == '-';
    if (i < s.size() && (s[i] == '+' || s[i] == '-'))
        ++i;
    // Counted before n grows, so that n never leaves the range it is exact in.
    constexpr int MaxDigits = 15;
    std::int64_t n = 0;
    int digits = 0, decimals = 0;
    for (; i < s.size() && IsDigit(s[i]); ++i) {
        if (++digits > MaxDigits)
            return std::nullopt;
        n = n * 10 + (s[i] - '0');
    }
    if (!separator.empty() && s.substr(i, separator.size()) == separator) {
        i += separator.size();
        for (; i < s.size() && IsDigit(s[i]); ++i) {
            if (++decimals > 2 || digits + decimals > MaxDigits)
                return std::nullopt;
            n = n * 10 + (s[i] - '0');
        }
    }
    if (i != s.size() || digits + decimals == 0)
        return std::nullopt;
    // n is exact below 10^15, and the division rounds correctly.
    const double amount = static_cast<double>(n) / Scale[decimals];
    return negative && amount != 0 ? -amount : amount;
}

// The first step of the entry rule; the C form of the number or nullopt.
std::optional<double> ParseNumber(std::string_view text, std::string_view separator)
{
    std::string_view s = Trim(text);
    std::string c;
    std::size_t i = 0;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
        if (s[i] == '-')
            c += '-';
        ++i;
    }
    std::string mantissa;
    std::size_t intDigits = 0;
    while (i < s.size() && IsDigit(s[i])) {
        mantissa += s[i++];
        ++intDigits;
    }
    if (!separator.empty() && s.substr(i, separator.size()) == separator) {
        i += separator.size();
        while (i < s.size() && IsDigit(s[i]))
            mantissa += s[i++];
    }
    if (mantissa.empty())
        return std::nullopt;

    // The exponent saturates: far beyond a Double's range either way is as good.
    long exponent = 0;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        ++i;
        bool negative = false;
        if (i < s.size() && (s[i] == '+' || s[i] == '-'))
            negative = s[i++] == '-';
        if (i == s.size() || !IsDigit(s[i]))
            return std::nullopt;
        while (i < s.size() && IsDigit(s[i])) {
            exponent = std::min(exponent * 10 + (s[i++] - '0'), 100000L);
        }
        if (negative)
            exponent = -exponent;
    }
    if (i != s.size())
        return std::nullopt;

    const auto first = mantissa.find_first_not_of('0');
    if (first == std::string::npos)
        return 0.0;
    // Scientific exponent of the number, to tell an underflow from an overflow.
    const long sciExponent = exponent + static_cast<long>(intDigits) - 1 - static_cast<long>(first);
    if (sciExponent < -400)
        return 0.0;
    if (sciExponent > 400)
        return std::nullopt;

    c += intDigits > 0 ? mantissa.substr(0, intDigits) : "0";
    if (intDigits < mantissa.size()) {
        c += '.';
        c += mantissa.substr(intDigits);
    }
    c += 'e';
    c += std::to_string(exponent);
    const auto v = ParseC(c);
    if (!v && sciExponent < 0)
        return 0.0; // below the smallest subnormal
    return v;
}

std::string FixedC(double amount)
{
    if (amount == 0 || !std::isfinite(amount))
        return "0.00";
    const Decimal d = ToDecimal(amount, 18);
    const std::string digits(d.digits, d.count);
    // Digit i stands for 10^(exponent - i); keep those down to the cents.
    const long keep = static_cast<long>(d.exponent) + 3;
    std::string cents; // the amount in hundredths, without sign
    if (keep >= static_cast<long>(digits.size())) {
        cents = digits + std::string(keep - digits.size(), '0');
    } else if (keep >= 0) {
        cents = digits.substr(0, keep);
        if (digits[keep] >= '5') { // halves away from zero
            int j = static_cast<int>(cents.size()) - 1;
            while (j >= 0 && cents[j] == '9')
                cents[j--] = '0';
            if (j < 0)
                cents.insert(cents.begin(), '1');
            else
                ++cents[j];
        }
    }
    const auto nonzero = cents.find_first_not_of('0');
    if (nonzero == std::string::npos)
        return "0.00";
    cents.erase(0, nonzero);
    if (cents.size() < 3)
        cents.insert(0, 3 - cents.size(), '0');
    std::string out = amount < 0 ? "-" : "";
    out += cents.substr(0, cents.size() - 2);
    out += '.';
    out += cents.substr(cents.size() - 2);
    return out;
}

std::string WithSeparator(std::string s, std::string_view separator)
{
    const auto dot = s.find('.');
    if (dot != std::string::npos)
        s.replace(dot, 1, separator);
    return s;
}

} // namespace

bool IsBlank(std::string_view text)
{
    return Trim(text).empty();
}

std::optional<double> Read(std::string_view text, std::string_view separator)
{
    if (const auto amount = ReadPlainCents(text, separator))
        return amount;
    const auto number = ParseNumber(text, separator);
    if (!number)
        return std::nullopt;
    const auto amount = ParseC(FixedC(*number));
    if (!amount)
        return std::nullopt;
    return *amount == 0 ? 0.0 : *amount;
}

double ReadOrThrow(std::string_view text, std::string_view separator)
{
    const auto amount = Read(text, separator);
    if (!amount)
        throw EConvertError(text);
    return *amount;
}

std::string Format(double amount, std::string_view separator)
{
    if (std::isnan(amount))
        return "NAN";
    if (std::isinf(amount))
        return amount < 0 ? "-INF" : "INF";
    if (amount == 0)
        return "0";
    const Decimal d = ToDecimal15(amount);
    int n = d.count;
    while (n > 1 && d.digits[n - 1] == '0')
        --n;
    const std::string_view digits(d.digits, n);
    // Built in place, so that most amounts fit into the string without an allocation.
    constexpr std::size_t MaxSeparator = 8;
    if (separator.size() > MaxSeparator)
        return WithSeparator(Format(amount, "."), separator);
    char buf[32 + MaxSeparator];
    char* out = buf;
    const auto put = [&out](std::string_view s) {
        for (char c : s)
            *out++ = c;
    };
    if (amount < 0)
        *out++ = '-';
    if (d.exponent >= 15 || d.exponent < -4) {
        *out++ = digits[0];
        if (n > 1) {
            put(separator);
            put(digits.substr(1));
        }
        *out++ = 'E';
        out = std::to_chars(out, buf + sizeof buf, d.exponent).ptr;
    } else if (d.exponent >= 0) {
        const int intDigits = d.exponent + 1;
        if (n <= intDigits) {
            put(digits);
            for (int i = n; i < intDigits; ++i)
                *out++ = '0';
        } else {
            put(digits.substr(0, intDigits));
            put(separator);
            put(digits.substr(intDigits));
        }
    } else {
        *out++ = '0';
        put(separator);
        for (int i = 0; i < -d.exponent - 1; ++i)
            *out++ = '0';
        put(digits);
    }
    return std::string(buf, out);
}

std::string FormatRate(double rate, std::string_view separator)
{
    return Format((Extended(rate) * 100).ToDouble(), separator) + "%";
}

std::string FormatFixed2(double amount, std::string_view separator)
{
    return WithSeparator(FixedC(amount), separator);
}

} // namespace Amount
