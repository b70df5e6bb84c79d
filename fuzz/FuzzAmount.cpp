// libFuzzer target for the amount entry and display rules. Every input is read
// as an amount text, with each decimal separator a locale may have, and its
// first eight bytes as a Double to display:
// - nothing crashes, hangs or reads beyond the input;
// - a valid amount has at most two decimals and reads back the same from its
//   own "0.00" text;
// - the display of any finite Double reads back within 15 significant digits,
//   in the display rule's shape.

#include "UAmount.h"
#include "UExtended.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <limits>
#include <string>
#include <string_view>

namespace {

[[noreturn]] void Fail(const char* what, std::string_view text, const std::string& detail)
{
    std::cerr << "property broken: " << what << "\n  input: \"" << text << "\"\n  " << detail
              << '\n';
    std::abort();
}

bool AllDigits(std::string_view s)
{
    return !s.empty() && s.find_first_not_of("0123456789") == std::string_view::npos;
}

void CheckEntry(std::string_view text, std::string_view separator)
{
    const auto amount = Amount::Read(text, separator);
    bool thrown = false;
    try {
        Amount::ReadOrThrow(text, separator);
    } catch (const EConvertError&) {
        thrown = true;
    }
    if (thrown == amount.has_value())
        Fail("ReadOrThrow raises exactly when Read refuses", text, std::string(separator));
    Amount::IsBlank(text);
    if (!amount)
        return;

    const double a = *amount;
    if (!std::isfinite(a))
        Fail("a valid amount is finite", text, std::to_string(a));

    // Its own "0.00" text: digits, the separator, two decimals; and it reads back.
    const std::string fixed = Amount::FormatFixed2(a, separator);
    std::string_view digits = fixed;
    if (!digits.empty() && digits.front() == '-')
        digits.remove_prefix(1);
    const auto at = digits.find(separator);
    if (at == std::string_view::npos || !AllDigits(digits.substr(0, at)) ||
        digits.size() - at - separator.size() != 2 ||
        !AllDigits(digits.substr(at + separator.size())))
        Fail("the \"0.00\" text has the pattern's shape", text, fixed);
    const auto again = Amount::Read(fixed, separator);
    if (!again || *again != a)
        Fail("an amount reads back the same from its \"0.00\" text", text, fixed);

    // Shown by the display rule in fixed notation, no more than two decimals.
    const std::string shown = Amount::Format(a, separator);
    const auto point = shown.find(separator);
    if (shown.find('E') == std::string::npos && point != std::string::npos &&
        shown.size() - point - separator.size() > 2)
        Fail("an amount shows at most two decimals", text, shown);
}

void CheckDisplay(double d, std::string_view input)
{
    const std::string shown = Amount::Format(d, ".");
    Amount::FormatFixed2(d, ".");
    // A rate is shown as the percentage; only one beyond a Double may raise.
    try {
        Amount::FormatRate(d, ".");
    } catch (const EAmountOverflow&) {
        const long double percentage = static_cast<long double>(d) * 100;
        if (std::fabs(percentage) <= std::numeric_limits<double>::max())
            Fail("a rate shows unless its percentage is beyond a Double", input, shown);
    }
    if (!std::isfinite(d))
        return;

    std::string_view body = shown;
    if (!body.empty() && body.front() == '-')
        body.remove_prefix(1);
    const auto e = body.find('E');
    const std::string_view mantissa = body.substr(0, e);
    const auto point = mantissa.find('.');
    const std::string_view whole = mantissa.substr(0, point);
    const std::string_view decimals =
        point == std::string_view::npos ? std::string_view() : mantissa.substr(point + 1);
    if (!AllDigits(whole) || (point != std::string_view::npos && !AllDigits(decimals)) ||
        (!decimals.empty() && decimals.back() == '0'))
        Fail("the display has no thousands separator and no trailing zero", input, shown);
    if (e != std::string_view::npos) {
        std::string_view exponent = body.substr(e + 1);
        if (!exponent.empty() && exponent.front() == '-')
            exponent.remove_prefix(1);
        if (whole.size() != 1 || whole == "0" || !AllDigits(exponent) || exponent.front() == '0')
            Fail("the exponent form is one digit, the decimals, E and the exponent", input, shown);
    } else if (whole.size() > 15) {
        Fail("fixed notation holds at most 15 integer digits", input, shown);
    }

    // Within 15 significant digits: half a unit in the 15th digit, a tie
    // included. The text is read back wider than a Double, as the largest ones
    // round up beyond it; that reading adds a unit of its own last place.
    const long double back = std::strtold(shown.c_str(), nullptr);
    const long double error = std::fabs(back - static_cast<long double>(d));
    const long double bound = std::fabs(static_cast<long double>(d)) * (5e-15L + 1e-18L);
    if (!(error <= bound))
        Fail("the display reads back within 15 significant digits", input,
             shown + " is off by " + std::to_string(static_cast<double>(error)));

    // Another separator changes nothing else.
    std::string comma = shown;
    if (const auto p = comma.find('.'); p != std::string::npos)
        comma[p] = ',';
    if (Amount::Format(d, ",") != comma)
        Fail("the separator is the only difference between locales", input, Amount::Format(d, ","));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    for (std::string_view separator : {".", ",", "\u066B"})
        CheckEntry(text, separator);

    if (size >= sizeof(double)) {
        double d = 0;
        std::memcpy(&d, data, sizeof d);
        CheckDisplay(d, text);
    }
    if (const auto amount = Amount::Read(text, "."))
        CheckDisplay(*amount, text);
    return 0;
}
