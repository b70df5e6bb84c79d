#include "UDisplayForms.h"

#include "UAmount.h"
#include "UTaxSchedule.h"

namespace {

const std::string Yuan = "元";

} // namespace

TControlTexts TSalaryDisplay::Controls() const
{
    return {{"TxtInfome2", TxtInfome2}, {"TxtGolds2", TxtGolds2},
            {"TxtSP", TxtSP},           {"TxtTaxableIncome", TxtTaxableIncome},
            {"TxtRate", TxtRate},       {"TxtDeduct", TxtDeduct},
            {"TxtTax", TxtTax},         {"TxtIncomeAfterTax", TxtIncomeAfterTax}};
}

TControlTexts TYearAwardDisplay::Controls() const
{
    // Top to bottom as the page lays them out.
    return {{"TxtYA", TxtYA},     {"TxtTaxableIncome", TxtTaxableIncome},
            {"TxtSP", TxtSP},     {"TxtAverage", TxtAverage},
            {"TxtRate", TxtRate}, {"TxtDeduct", TxtDeduct},
            {"TxtTax", TxtTax},   {"TxtIncomeAfterTax", TxtIncomeAfterTax}};
}

namespace {

TSalaryDisplay SalaryForm(const TTaxInfo& info, std::string_view separator, const std::string& unit)
{
    using Amount::Format;
    return {Format(info.Income, separator) + unit,
            Format(info.Golds, separator) + unit,
            std::to_string(TaxSchedule::StartPoint(info.IsForeign)) + unit,
            Format(info.TaxableIncome, separator) + unit,
            Amount::FormatRate(info.Rate, separator),
            Format(info.Deduct, separator) + unit,
            Format(info.Tax, separator),
            Format(info.IncomeAfterTax, separator)};
}

} // namespace

TSalaryDisplay SalaryCalculateForm(const TTaxInfo& info, std::string_view separator)
{
    return SalaryForm(info, separator, Yuan);
}

TSalaryDisplay SalaryReverseForm(const TTaxInfo& info, std::string_view separator)
{
    return SalaryForm(info, separator, "");
}

TYearAwardDisplay YearAwardForm(const TYearAwardInfo& info, std::string_view separator)
{
    using Amount::Format;
    return {std::to_string(TaxSchedule::StartPoint(info.IsForeign)) + Yuan,
            Amount::FormatRate(info.Rate, separator),
            Format(info.Deduct, separator) + Yuan,
            Format(info.YearAward, separator) + Yuan,
            Format(info.TaxableIncome, separator) + Yuan,
            Amount::FormatFixed2(info.Average, separator) + Yuan,
            Format(info.Tax, separator),
            Format(info.IncomeAfterTax, separator)};
}
