#pragma once

#include "UTaxInfo.h"

// One month's wage tax, forwards from the wage and backwards from a tax amount
// or an after-tax income. Checks no argument; raises EAmountOverflow only when a
// result does not fit into a Double.
class TSalaryTaxManager
{
public:
    TTaxInfo Calculate(bool IsForeign, double Income, double Golds) const;
    TTaxInfo AntiTax(bool IsForeign, double Tax, double Golds) const;
    TTaxInfo AntiIncomeAfterTax(bool IsForeign, double IncomeAfterTax, double Golds) const;
};
