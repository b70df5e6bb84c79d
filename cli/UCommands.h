#pragma once

#include <string>

// The single calculations of levora-tax-cli. Each prints its result to stdout
// (the page's breakdown, or one JSON object) and returns the exit status:
// 0 computed, 1 an entry refused or a result out of range.
namespace Commands {

struct TOptions
{
    bool Foreign = false;
    bool Json = false;
    std::string A, B, C; // the amounts in the order the command names them
};

int Wage(const TOptions& o);
int Bonus(const TOptions& o);
int AntiBonus(const TOptions& o);
// The hidden reverse buttons of the wage page: from a tax amount or an after-tax income.
int Reverse(const TOptions& o, bool fromTax);

// A failure that no page reports, such as a result beyond a Double.
int Refuse(const TOptions& o, const std::string& message);

} // namespace Commands
