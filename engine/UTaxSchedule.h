#pragma once

// The 2011 monthly schedule shared by both calculators, and the level lookups.
// Level indexes run 0 to 6 here; the user sees them as levels 1 to 7.

#include <array>
#include <cstdint>

namespace TaxSchedule {

// Indexed by IsForeign: resident, foreign national.
inline constexpr std::array<std::int32_t, 2> StartPoints{3500, 4800};
inline constexpr std::array<double, 7> TaxRates{0.03, 0.10, 0.20, 0.25, 0.30, 0.35, 0.45};
inline constexpr std::array<std::int32_t, 7> Deducts{0, 105, 555, 1005, 2755, 5505, 13505};
// Exclusive lower bound of each level's taxable amount.
inline constexpr std::array<std::int32_t, 7> LevelBounds{0, 1500, 4500, 9000, 35000, 55000, 80000};
// The same bounds measured as taxable amount minus its tax.
inline constexpr std::array<std::int32_t, 7> AfterTaxLevelBounds{0,     1455,  4155, 7755,
                                                                 27255, 41255, 57505};
// Inclusive upper bound of the tax of each of the first six levels.
inline constexpr std::array<std::int32_t, 6> TaxLevelBounds{45, 345, 1245, 7745, 13745, 22495};

// What FindLevel yields for an amount of 0 or below, which the schedule does not cover.
inline constexpr int NoLevel = -1;

inline constexpr std::int32_t StartPoint(bool isForeign)
{
    return StartPoints[isForeign ? 1 : 0];
}

// Level index of an amount over ascending exclusive lower bounds; a bound belongs
// to the lower level. NoLevel for an amount of 0 or below.
int FindLevel(const std::array<std::int32_t, 7>& bounds, double amount);

// Level index of a tax amount over TaxLevelBounds; every tax has one.
int FindLevelByTax(double tax);

// Rate and quick deduction of a level, 0 and 0 for NoLevel.
double RateOf(int level);
std::int32_t DeductOf(int level);

// (taxable × rate) − deduction of a level in Extended, rounded once to Double.
// Amounts with no level bear no tax; the formula with rate 0 would give -0 for a
// negative amount.
double TaxOn(double taxable, int level);

// The level whose rate a record holds, NoLevel for a rate of 0.
int LevelOfRate(double rate);

} // namespace TaxSchedule
