#pragma once

#include <cstdint>

// Result of one year-end bonus calculation; amounts in yuan.
class TYearAwardInfo
{
public:
    double Average = 0;
    double YearAward = 0;
    double Tax = 0;
    double Income = 0;
    double TaxableIncome = 0;
    double IncomeAfterTax = 0;
    double Rate = 0;
    std::int32_t Deduct = 0;
    double Golds = 0;
    bool IsForeign = false;
};
