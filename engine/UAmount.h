#pragma once

// How amounts enter and leave the program as text. The decimal separator is the
// user's locale's; the command line passes ".".

#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

// Text that the entry rule refuses where the caller does not check first.
class EConvertError : public std::invalid_argument
{
public:
    explicit EConvertError(std::string_view text);
};

namespace Amount {

// Entry rule: blanks around one decimal number (sign, digits with at most one
// separator, optional exponent), then rounded to cents through the "0.00" form.
// Empty text, any other character and numbers beyond a Double are invalid.
std::optional<double> Read(std::string_view text, std::string_view separator = ".");

// The entry rule for callers that check nothing: invalid text raises EConvertError.
double ReadOrThrow(std::string_view text, std::string_view separator = ".");

// True when the text holds nothing but characters with codes up to 32.
bool IsBlank(std::string_view text);

// Display rule: general format with at most 15 significant digits, exponent
// form ("1E20", "1.5E-5") outside 0.0001 to 15 integer digits.
std::string Format(double amount, std::string_view separator = ".");

// A rate fraction as a percentage by the display rule: 0.1 -> "10%".
std::string FormatRate(double rate, std::string_view separator = ".");

// The "0.00" pattern: the first 18 significant digits, rounded to two decimals
// with halves away from zero.
std::string FormatFixed2(double amount, std::string_view separator = ".");

} // namespace Amount
