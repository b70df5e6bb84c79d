#include "UAntiYearAwardManager.h"

#include "UExtended.h"
#include "UTaxSchedule.h"
#include "UYearAwardManager.h"

#include <algorithm>

using namespace TaxSchedule;

double TAntiYearAwardManager::SolveInLevel(bool IsForeign, double IncomeAfterTax, double Income,
                                           double Golds, int Level) const
{
    if (Level == NoLevel)
        return IncomeAfterTax;
    // After-tax = bonus − (taxable × rate − deduction) and bonus = taxable + shortfall,
    // so after-tax − shortfall = taxable × (1 − rate) + deduction; solved for the
    // taxable bonus as the reverse wage calculation solves for the taxable wage.
    const Extended shortfall =
        TYearAwardManager::Shortfall(IsForeign, Income, Golds).value_or(Extended(0));
    const double net = (Extended(IncomeAfterTax) - shortfall).ToDouble();
    const double taxable =
        ((Extended(net) - Deducts[Level]) / (Extended(1) - TaxRates[Level])).ToDouble();
    return (Extended(taxable) + shortfall).ToDouble();
}

std::vector<TYearAwardInfo> TAntiYearAwardManager::Calculate(bool IsForeign, double IncomeAfterTax,
                                                             double Income, double Golds) const
{
    const TYearAwardManager forward;
    std::vector<TYearAwardInfo> found;
    bool overflow = false;
    for (int level = NoLevel; level < static_cast<int>(TaxRates.size()); ++level) {
        try {
            const double bonus = SolveInLevel(IsForeign, IncomeAfterTax, Income, Golds, level);
            TYearAwardInfo r = forward.Calculate(IsForeign, bonus, Income, Golds);
            if (LevelOfRate(r.Rate) == level)
                found.push_back(r);
        } catch (const EAmountOverflow&) {
            overflow = true; // that level would need a bonus beyond a Double
        }
    }
    if (found.empty() && overflow)
        throw EAmountOverflow();
    std::sort(found.begin(), found.end(), [](const TYearAwardInfo& a, const TYearAwardInfo& b) {
        return a.YearAward < b.YearAward;
    });
    return found;
}
