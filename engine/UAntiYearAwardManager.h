#pragma once

#include "UYearAwardInfo.h"

#include <vector>

// The year-end bonus that leaves a given after-tax bonus. The after-tax bonus drops
// where the average crosses a level bound, so near a bound two or three bonuses
// leave the same amount; each level's formula is solved and kept only where the
// bonus found really lies in that level.
class TAntiYearAwardManager
{
public:
    // Every bonus that leaves IncomeAfterTax, smallest first, each as the forward
    // calculation of that bonus. Raises EAmountOverflow only when no bonus fits
    // into a Double.
    std::vector<TYearAwardInfo> Calculate(bool IsForeign, double IncomeAfterTax, double Income,
                                          double Golds) const;

    // The bonus that leaves IncomeAfterTax if its average falls into the level
    // (TaxSchedule::NoLevel: a bonus that the month's shortfall takes up, so no tax).
    // Not rounded to the fen; whether the bonus lies in the level is the caller's.
    double SolveInLevel(bool IsForeign, double IncomeAfterTax, double Income, double Golds,
                        int Level) const;
};
