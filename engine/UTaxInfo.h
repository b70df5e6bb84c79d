#pragma once

#include <cstdint>

// Result of one wage tax calculation; amounts in yuan.
class TTaxInfo
{
public:
    double Tax = 0;
    double Income = 0;
    double TaxableIncome = 0;
    double IncomeAfterTax = 0;
    double Rate = 0;
    std::int32_t Deduct = 0;
    double Golds = 0;
    bool IsForeign = false;
};
