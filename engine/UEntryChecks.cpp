#include "UEntryChecks.h"

#include "UAmount.h"
#include "UExtended.h"
#include "UTaxSchedule.h"

#include <optional>

namespace {

// A contributions box left blank means no contributions.
std::optional<double> ReadGolds(std::string_view text, std::string_view separator)
{
    if (Amount::IsBlank(text))
        return 0.0;
    return Amount::Read(text, separator);
}

constexpr TEntryFailure SalaryFailures[] = {
    {1, "TxtIncome", "TxtMsgSalary", "税前收入金额数据无效，请重新输入。"},
    {2, "TxtIncome", "TxtMsgSalary", "税前收入金额小于或等于3500元，不必纳税。"},
    {3, "TxtGolds", "TxtMsgGolds", "社保及公积金数据无效，请重新输入。"},
    {4, "TxtGolds", "TxtMsgGolds", "社保及公积金不能比收入金额大，请重新输入。"},
    {5, "TxtGolds", "TxtMsgGolds", "社保及公积金不能小于0元，请重新输入。"},
    {6, "TxtIncome", "TxtMsgSalary", "应纳税所得额小于或等于起征点，不必纳税。"},
};

constexpr TEntryFailure YearAwardFailures[] = {
    {1, "TxtYearAward", "TxtMsgYA", "年终奖金收入金额数据无效，请重新输入。"},
    {2, "TxtIncome", "TxtMsgSalary", "当月工资收入金额数据无效，请重新输入。"},
    {3, "TxtGolds", "TxtMsgGolds", "社保及公积金数据无效，请重新输入。"},
};

constexpr TEntryFailure AfterTaxFailure = {1, "TxtIncomeAfterTax", "TxtMsgYA",
                                           "税后年终奖金额数据无效，请重新输入。"};

// The wage itself must exceed the resident's start point, whatever the person kind.
constexpr int TaxFreeWage = 3500;

} // namespace

std::variant<TSalaryEntry, TEntryFailure> CheckSalaryEntry(std::string_view incomeText,
                                                           std::string_view goldsText,
                                                           bool isForeign,
                                                           std::string_view separator)
{
    const auto income = Amount::Read(incomeText, separator);
    if (!income)
        return SalaryFailures[0];
    if (*income <= TaxFreeWage)
        return SalaryFailures[1];
    const auto golds = ReadGolds(goldsText, separator);
    if (!golds)
        return SalaryFailures[2];
    if (*golds > *income)
        return SalaryFailures[3];
    if (*golds < 0)
        return SalaryFailures[4];
    // Unrounded, as the calculator subtracts.
    if (Extended(*income) - *golds <= Extended(TaxSchedule::StartPoint(isForeign)))
        return SalaryFailures[5];
    return TSalaryEntry{*income, *golds};
}

std::variant<TYearAwardEntry, TEntryFailure> ReadYearAwardEntry(std::string_view yearAwardText,
                                                                std::string_view incomeText,
                                                                std::string_view goldsText,
                                                                std::string_view separator)
{
    const auto yearAward = Amount::Read(yearAwardText, separator);
    if (!yearAward)
        return YearAwardFailures[0];
    const auto income = Amount::Read(incomeText, separator);
    if (!income)
        return YearAwardFailures[1];
    const auto golds = ReadGolds(goldsText, separator);
    if (!golds)
        return YearAwardFailures[2];
    return TYearAwardEntry{*yearAward, *income, *golds};
}

std::variant<TAntiYearAwardEntry, TEntryFailure>
ReadAntiYearAwardEntry(std::string_view afterTaxText, std::string_view incomeText,
                       std::string_view goldsText, std::string_view separator)
{
    const auto entry = ReadYearAwardEntry(afterTaxText, incomeText, goldsText, separator);
    if (const auto* f = std::get_if<TEntryFailure>(&entry))
        return f->No == 1 ? AfterTaxFailure : *f;
    const auto& e = std::get<TYearAwardEntry>(entry);
    return TAntiYearAwardEntry{e.YearAward, e.Income, e.Golds};
}
