#include "UCommands.h"

#include "UCliJson.h"

#include <iostream>
#include <map>
#include <string_view>

namespace Commands {

namespace {

using CliJson::Json;
using Captions = std::map<std::string_view, std::string_view>;

// The pages' captions beside each shown value.
const Captions SalaryCaptions = {
    {"TxtInfome2", "收入金额："}, {"TxtGolds2", "社保及公积金："},
    {"TxtSP", "起征额："},        {"TxtTaxableIncome", "应纳税所得额："},
    {"TxtRate", "适用税率："},    {"TxtDeduct", "速算扣除数："},
    {"TxtTax", "应纳税额："},     {"TxtIncomeAfterTax", "税后收入："},
};
const Captions YearAwardCaptions = {
    {"TxtYA", "年终奖金额："}, {"TxtTaxableIncome", "应纳税所得额："},
    {"TxtSP", "起征额："},     {"TxtAverage", "年终奖平均数："},
    {"TxtRate", "适用税率："}, {"TxtDeduct", "速算扣除数："},
    {"TxtTax", "应纳税额："},  {"TxtIncomeAfterTax", "税后收入："},
};

void PrintJson(const Json& j)
{
    std::cout << CliJson::Dump(j) << '\n';
}

void PrintLines(const TControlTexts& texts, const Captions& captions)
{
    for (const auto& [name, text] : texts)
        std::cout << captions.at(name) << text << '\n';
}

int Refuse(const TOptions& o, Json error, const std::string& message)
{
    if (o.Json)
        PrintJson(Json{{"error", std::move(error)}});
    else
        std::cerr << message << '\n';
    return 1;
}

int Refuse(const TOptions& o, const TEntryFailure& f)
{
    return Refuse(o, CliJson::Error(f), f.Message);
}

void PrintDeadZone(const TDeadZoneInfo& z, double afterTax)
{
    using Amount::Format;
    const double gain = (Extended(z.AfterTaxAtFrom) - afterTax).ToDouble();
    std::cout << "提示：年终奖高于" << Format(z.From) << "元、低于" << Format(z.To)
              << "元时多发反而少得。年终奖为" << Format(z.From) << "元时税后收入为"
              << Format(z.AfterTaxAtFrom) << "元，比现在多" << Format(gain) << "元。\n";
}

} // namespace

int Refuse(const TOptions& o, const std::string& message)
{
    return Refuse(o, CliJson::Error(nullptr, nullptr, nullptr, message), message);
}

int Wage(const TOptions& o)
{
    const auto entry = CheckSalaryEntry(o.A, o.B, o.Foreign, ".");
    if (const auto* f = std::get_if<TEntryFailure>(&entry))
        return Refuse(o, *f);
    const auto& in = std::get<TSalaryEntry>(entry);
    const TTaxInfo r = TSalaryTaxManager().Calculate(o.Foreign, in.Income, in.Golds);
    const TSalaryDisplay shown = SalaryCalculateForm(r);
    if (o.Json)
        PrintJson(CliJson::TaxInfo(r, shown));
    else
        PrintLines(shown.Controls(), SalaryCaptions);
    return 0;
}

int Bonus(const TOptions& o)
{
    const auto entry = ReadYearAwardEntry(o.A, o.B, o.C, ".");
    if (const auto* f = std::get_if<TEntryFailure>(&entry))
        return Refuse(o, *f);
    const auto& in = std::get<TYearAwardEntry>(entry);
    const TYearAwardInfo r =
        TYearAwardManager().Calculate(o.Foreign, in.YearAward, in.Income, in.Golds);
    const auto zone = TDeadZoneManager().Find(o.Foreign, in.YearAward, in.Income, in.Golds);
    if (o.Json) {
        Json j = CliJson::YearAwardInfo(r);
        j["DeadZone"] = CliJson::DeadZone(zone, r.IncomeAfterTax);
        PrintJson(j);
    } else {
        PrintLines(YearAwardForm(r).Controls(), YearAwardCaptions);
        if (zone)
            PrintDeadZone(*zone, r.IncomeAfterTax);
    }
    return 0;
}

int AntiBonus(const TOptions& o)
{
    const auto entry = ReadAntiYearAwardEntry(o.A, o.B, o.C, ".");
    if (const auto* f = std::get_if<TEntryFailure>(&entry))
        return Refuse(o, *f);
    const auto& in = std::get<TAntiYearAwardEntry>(entry);
    const auto found =
        TAntiYearAwardManager().Calculate(o.Foreign, in.IncomeAfterTax, in.Income, in.Golds);
    if (found.empty())
        return Refuse(o, "找不到得到这一税后收入的年终奖金额。");
    if (o.Json) {
        Json bonuses = Json::array();
        for (const auto& r : found)
            bonuses.push_back(CliJson::YearAwardInfo(r));
        PrintJson(Json{{"IncomeAfterTax", in.IncomeAfterTax},
                       {"Unique", found.size() == 1},
                       {"YearAwards", std::move(bonuses)}});
        return 0;
    }
    if (found.size() > 1)
        std::cout << "注意：有" << found.size() << "个年终奖金额得到税后收入"
                  << Amount::Format(in.IncomeAfterTax) << "元，结果不唯一（多发少得的区间），"
                  << "以下从小到大列出。\n\n";
    for (std::size_t i = 0; i < found.size(); ++i) {
        if (i > 0)
            std::cout << '\n';
        PrintLines(YearAwardForm(found[i]).Controls(), YearAwardCaptions);
    }
    return 0;
}

// The hidden reverse buttons read both boxes strictly (a blank box is invalid
// too) and check no range.
int Reverse(const TOptions& o, bool fromTax)
{
    const char* amountBox = fromTax ? "TxtTax" : "TxtIncomeAfterTax";
    double amount = 0, golds = 0;
    try {
        amount = Amount::ReadOrThrow(o.A);
    } catch (const EConvertError& e) {
        return Refuse(o, CliJson::Error(nullptr, amountBox, nullptr, e.what()), e.what());
    }
    try {
        golds = Amount::ReadOrThrow(o.B);
    } catch (const EConvertError& e) {
        return Refuse(o, CliJson::Error(nullptr, "TxtGolds", nullptr, e.what()), e.what());
    }
    const TSalaryTaxManager calc;
    const TTaxInfo r = fromTax ? calc.AntiTax(o.Foreign, amount, golds)
                               : calc.AntiIncomeAfterTax(o.Foreign, amount, golds);
    const TSalaryDisplay shown = SalaryReverseForm(r);
    if (o.Json)
        PrintJson(CliJson::TaxInfo(r, shown));
    else
        PrintLines(shown.Controls(), SalaryCaptions);
    return 0;
}

} // namespace Commands
