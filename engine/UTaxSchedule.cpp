#include "UTaxSchedule.h"

#include "UExtended.h"

namespace TaxSchedule {

int FindLevel(const std::array<std::int32_t, 7>& bounds, double amount)
{
    // int -> double is exact, so this compares the bound and the amount unrounded.
    for (int i = 0; i < static_cast<int>(bounds.size()); ++i)
        if (bounds[i] >= amount)
            return i == 0 ? NoLevel : i - 1;
    return 6;
}

int FindLevelByTax(double tax)
{
    for (int i = 0; i < static_cast<int>(TaxLevelBounds.size()); ++i)
        if (tax <= TaxLevelBounds[i])
            return i;
    return 6;
}

double RateOf(int level)
{
    return level == NoLevel ? 0.0 : TaxRates[level];
}

std::int32_t DeductOf(int level)
{
    return level == NoLevel ? 0 : Deducts[level];
}

double TaxOn(double taxable, int level)
{
    if (level == NoLevel)
        return 0.0;
    return (Extended(taxable) * TaxRates[level] - Deducts[level]).ToDouble();
}

int LevelOfRate(double rate)
{
    for (int i = 0; i < static_cast<int>(TaxRates.size()); ++i)
        if (TaxRates[i] == rate)
            return i;
    return NoLevel;
}

} // namespace TaxSchedule
