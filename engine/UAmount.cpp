#include "UAmount.h"

#include "UExtended.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>

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

// Decimal digits and exponent of |x| rounded to `digits` significant digits:
// |x| = d0.d1d2... × 10^exponent.
struct Decimal
{
    std::string digits;
    int exponent = 0;
};

Decimal ToDecimal(double x, int digits)
{
    char buf[64];
    const auto res = std::to_chars(buf, buf + sizeof buf, std::fabs(x),
                                   std::chars_format::scientific, digits - 1);
    const std::string_view text(buf, res.ptr - buf);
    const auto e = text.find('e');
    Decimal d;
    for (char c : text.substr(0, e))
        if (IsDigit(c))
            d.digits += c;
    d.exponent = std::atoi(std::string(text.substr(e + 1)).c_str());
    return d;
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
    Decimal d = ToDecimal(amount, 18);
    // Digit i stands for 10^(exponent - i); keep those down to the cents.
    const long keep = static_cast<long>(d.exponent) + 3;
    std::string cents; // the amount in hundredths, without sign
    if (keep >= static_cast<long>(d.digits.size())) {
        cents = d.digits + std::string(keep - d.digits.size(), '0');
    } else if (keep >= 0) {
        cents = d.digits.substr(0, keep);
        if (d.digits[keep] >= '5') { // halves away from zero
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
    Decimal d = ToDecimal(amount, 15);
    d.digits.erase(d.digits.find_last_not_of('0') + 1);
    const int n = static_cast<int>(d.digits.size());
    std::string out = amount < 0 ? "-" : "";
    if (d.exponent >= 15 || d.exponent < -4) {
        out += d.digits[0];
        if (n > 1) {
            out += separator;
            out += d.digits.substr(1);
        }
        out += 'E';
        out += std::to_string(d.exponent);
    } else if (d.exponent >= 0) {
        const int intDigits = d.exponent + 1;
        if (n <= intDigits) {
            out += d.digits + std::string(intDigits - n, '0');
        } else {
            out += d.digits.substr(0, intDigits);
            out += separator;
            out += d.digits.substr(intDigits);
        }
    } else {
        out += '0';
        out += separator;
        out += std::string(-d.exponent - 1, '0');
        out += d.digits;
    }
    return out;
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
