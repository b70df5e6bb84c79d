#pragma once

// The texts that the calculator pages show for a result record, one member per
// control, named after it.

#include "UTaxInfo.h"
#include "UYearAwardInfo.h"

#include <string>
#include <string_view>
#include <utility>
#include <vector>

using TControlTexts = std::vector<std::pair<std::string_view, std::string>>;

struct TSalaryDisplay
{
    std::string TxtInfome2, TxtGolds2, TxtSP, TxtTaxableIncome, TxtRate, TxtDeduct, TxtTax,
        TxtIncomeAfterTax;

    TControlTexts Controls() const;
};

struct TYearAwardDisplay
{
    std::string TxtSP, TxtRate, TxtDeduct, TxtYA, TxtTaxableIncome, TxtAverage, TxtTax,
        TxtIncomeAfterTax;

    TControlTexts Controls() const;
};

// After a forward calculation: amounts with "元" except the two result boxes.
TSalaryDisplay SalaryCalculateForm(const TTaxInfo& info, std::string_view separator = ".");

// After a reverse calculation: no units except the rate's "%".
TSalaryDisplay SalaryReverseForm(const TTaxInfo& info, std::string_view separator = ".");

TYearAwardDisplay YearAwardForm(const TYearAwardInfo& info, std::string_view separator = ".");
