#include "UYearAwardManager.h"

#include "UExtended.h"
#include "UTaxSchedule.h"

using namespace TaxSchedule;

// Each formula runs in Extended, one operation at a time in the written order, and
// is rounded to Double only when stored. A later formula reads the stored field.

TYearAwardInfo TYearAwardManager::Calculate(bool IsForeign, double YearAward, double Income,
                                            double Golds) const
{
    TYearAwardInfo r;
    r.YearAward = YearAward;
    r.Income = Income;
    r.Golds = Golds;
    r.IsForeign = IsForeign;

    // A month's wage short of the start point first absorbs part of the bonus.
    if (const auto shortfall = Shortfall(IsForeign, Income, Golds))
        r.TaxableIncome = (Extended(YearAward) - *shortfall).ToDouble();
    else
        r.TaxableIncome = YearAward;

    r.Average = (Extended(r.TaxableIncome) / 12).ToDouble();
    const int k = FindLevel(LevelBounds, r.Average);
    r.Rate = RateOf(k);
    r.Deduct = DeductOf(k);
    r.Tax = TaxOn(r.TaxableIncome, k);
    r.IncomeAfterTax = (Extended(YearAward) - r.Tax).ToDouble();
    return r;
}

std::optional<Extended> TYearAwardManager::Shortfall(bool IsForeign, double Income, double Golds)
{
    const std::int32_t sp = StartPoint(IsForeign);
    if (Extended(sp) > Extended(Income) - Golds)
        return (Extended(sp) - Income) + Golds;
    return std::nullopt;
}
