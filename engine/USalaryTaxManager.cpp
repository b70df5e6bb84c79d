#include "USalaryTaxManager.h"

#include "UExtended.h"
#include "UTaxSchedule.h"

using namespace TaxSchedule;

// Each formula runs in Extended, one operation at a time in the written order, and
// is rounded to Double only when stored. A later formula reads the stored field.

TTaxInfo TSalaryTaxManager::Calculate(bool IsForeign, double Income, double Golds) const
{
    TTaxInfo r;
    r.Income = Income;
    r.Golds = Golds;
    r.IsForeign = IsForeign;
    r.TaxableIncome = ((Extended(Income) - Golds) - StartPoint(IsForeign)).ToDouble();
    const int k = FindLevel(LevelBounds, r.TaxableIncome);
    r.Rate = RateOf(k);
    r.Deduct = DeductOf(k);
    r.Tax = TaxOn(r.TaxableIncome, k);
    r.IncomeAfterTax = ((Extended(Income) - Golds) - r.Tax).ToDouble();
    return r;
}

TTaxInfo TSalaryTaxManager::AntiTax(bool IsForeign, double Tax, double Golds) const
{
    TTaxInfo r;
    const int k = FindLevelByTax(Tax);
    r.Tax = Tax;
    r.Golds = Golds;
    r.Rate = TaxRates[k];
    r.Deduct = Deducts[k];
    r.TaxableIncome = ((Extended(r.Deduct) + Tax) / r.Rate).ToDouble();
    r.Income = ((Extended(r.TaxableIncome) + Golds) + StartPoint(IsForeign)).ToDouble();
    r.IncomeAfterTax = ((Extended(r.Income) - Golds) - Tax).ToDouble();
    r.IsForeign = IsForeign;
    return r;
}

TTaxInfo TSalaryTaxManager::AntiIncomeAfterTax(bool IsForeign, double IncomeAfterTax,
                                               double Golds) const
{
    TTaxInfo r;
    const double net = (Extended(IncomeAfterTax) - StartPoint(IsForeign)).ToDouble();
    const int j = FindLevel(AfterTaxLevelBounds, net);
    r.TaxableIncome = ((Extended(net) - DeductOf(j)) / (Extended(1) - RateOf(j))).ToDouble();
    r.Golds = Golds;
    r.IsForeign = IsForeign;
    const int k = FindLevel(LevelBounds, r.TaxableIncome);
    r.Rate = RateOf(k);
    r.Deduct = DeductOf(k);
    r.Tax = TaxOn(r.TaxableIncome, k);
    r.Income = ((Extended(r.TaxableIncome) + Golds) + StartPoint(IsForeign)).ToDouble();
    r.IncomeAfterTax = ((Extended(r.Income) - Golds) - r.Tax).ToDouble();
    return r;
}
