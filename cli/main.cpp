// levora-tax-cli: the tax engine on the command line, with the pages' rules.
//
// Exit status: 0 computed, 1 an entry refused or a result out of range,
// 2 wrong usage.

#include "LevoraEngine.h"

#include <CLI/CLI.hpp>
#include <nlohmann/json.hpp>

#include <cstdio>
#include <iostream>
#include <map>
#include <optional>
#include <string>

namespace {

using Json = nlohmann::ordered_json;

// The pages' captions beside each shown value.
const std::map<std::string_view, std::string_view> SalaryCaptions = {
    {"TxtInfome2", "收入金额："}, {"TxtGolds2", "社保及公积金："},
    {"TxtSP", "起征额："},        {"TxtTaxableIncome", "应纳税所得额："},
    {"TxtRate", "适用税率："},    {"TxtDeduct", "速算扣除数："},
    {"TxtTax", "应纳税额："},     {"TxtIncomeAfterTax", "税后收入："},
};
const std::map<std::string_view, std::string_view> YearAwardCaptions = {
    {"TxtYA", "年终奖金额："}, {"TxtTaxableIncome", "应纳税所得额："},
    {"TxtSP", "起征额："},     {"TxtAverage", "年终奖平均数："},
    {"TxtRate", "适用税率："}, {"TxtDeduct", "速算扣除数："},
    {"TxtTax", "应纳税额："},  {"TxtIncomeAfterTax", "税后收入："},
};
struct Options
{
    bool foreign = false;
    bool json = false;
    std::string a, b, c; // the amounts in the order the command names them
};

Json LevelJson(double rate)
{
    const int level = TaxSchedule::LevelOfRate(rate);
    return level == TaxSchedule::NoLevel ? Json(nullptr) : Json(level + 1);
}

Json DisplayJson(const TControlTexts& texts)
{
    Json display = Json::object();
    for (const auto& [name, text] : texts)
        display[std::string(name)] = text;
    return display;
}

Json TaxInfoJson(const TTaxInfo& r, const TSalaryDisplay& shown)
{
    return Json{{"Tax", r.Tax},
                {"Income", r.Income},
                {"TaxableIncome", r.TaxableIncome},
                {"IncomeAfterTax", r.IncomeAfterTax},
                {"Rate", r.Rate},
                {"Deduct", r.Deduct},
                {"Golds", r.Golds},
                {"IsForeign", r.IsForeign},
                {"Level", LevelJson(r.Rate)},
                {"StartPoint", TaxSchedule::StartPoint(r.IsForeign)},
                {"display", DisplayJson(shown.Controls())}};
}

Json YearAwardInfoJson(const TYearAwardInfo& r, const TYearAwardDisplay& shown)
{
    return Json{{"Average", r.Average},
                {"YearAward", r.YearAward},
                {"Tax", r.Tax},
                {"Income", r.Income},
                {"TaxableIncome", r.TaxableIncome},
                {"IncomeAfterTax", r.IncomeAfterTax},
                {"Rate", r.Rate},
                {"Deduct", r.Deduct},
                {"Golds", r.Golds},
                {"IsForeign", r.IsForeign},
                {"Level", LevelJson(r.Rate)},
                {"StartPoint", TaxSchedule::StartPoint(r.IsForeign)},
                {"display", DisplayJson(shown.Controls())}};
}

// Typed text may be any bytes; JSON output must stay valid UTF-8.
void PrintJson(const Json& j)
{
    std::cout << j.dump(-1, ' ', false, Json::error_handler_t::replace) << '\n';
}

void PrintLines(const TControlTexts& texts,
                const std::map<std::string_view, std::string_view>& captions)
{
    for (const auto& [name, text] : texts)
        std::cout << captions.at(name) << text << '\n';
}

int Refuse(const Options& o, Json failure, Json box, Json label, const std::string& message)
{
    if (o.json) {
        PrintJson(Json{{"error", Json{{"failure", std::move(failure)},
                                      {"box", std::move(box)},
                                      {"label", std::move(label)},
                                      {"message", message}}}});
    } else {
        std::cerr << message << '\n';
    }
    return 1;
}

int Refuse(const Options& o, const TEntryFailure& f)
{
    return Refuse(o, f.No, f.Box, f.Label, f.Message);
}

int RunWage(const Options& o)
{
    const auto entry = CheckSalaryEntry(o.a, o.b, o.foreign, ".");
    if (const auto* f = std::get_if<TEntryFailure>(&entry))
        return Refuse(o, *f);
    const auto& in = std::get<TSalaryEntry>(entry);
    const TTaxInfo r = TSalaryTaxManager().Calculate(o.foreign, in.Income, in.Golds);
    const TSalaryDisplay shown = SalaryCalculateForm(r);
    if (o.json)
        PrintJson(TaxInfoJson(r, shown));
    else
        PrintLines(shown.Controls(), SalaryCaptions);
    return 0;
}

int RunBonus(const Options& o)
{
    const auto entry = ReadYearAwardEntry(o.a, o.b, o.c, ".");
    if (const auto* f = std::get_if<TEntryFailure>(&entry))
        return Refuse(o, *f);
    const auto& in = std::get<TYearAwardEntry>(entry);
    const TYearAwardInfo r =
        TYearAwardManager().Calculate(o.foreign, in.YearAward, in.Income, in.Golds);
    const TYearAwardDisplay shown = YearAwardForm(r);
    if (o.json) {
        PrintJson(YearAwardInfoJson(r, shown));
    } else {
        PrintLines(shown.Controls(), YearAwardCaptions);
    }
    return 0;
}

// The hidden reverse buttons read both boxes strictly (a blank box is invalid
// too) and check no range.
int RunReverse(const Options& o, bool fromTax)
{
    const char* amountBox = fromTax ? "TxtTax" : "TxtIncomeAfterTax";
    double amount = 0, golds = 0;
    try {
        amount = Amount::ReadOrThrow(o.a);
    } catch (const EConvertError& e) {
        return Refuse(o, nullptr, amountBox, nullptr, e.what());
    }
    try {
        golds = Amount::ReadOrThrow(o.b);
    } catch (const EConvertError& e) {
        return Refuse(o, nullptr, "TxtGolds", nullptr, e.what());
    }
    const TSalaryTaxManager calc;
    const TTaxInfo r = fromTax ? calc.AntiTax(o.foreign, amount, golds)
                               : calc.AntiIncomeAfterTax(o.foreign, amount, golds);
    const TSalaryDisplay shown = SalaryReverseForm(r);
    if (o.json)
        PrintJson(TaxInfoJson(r, shown));
    else
        PrintLines(shown.Controls(), SalaryCaptions);
    return 0;
}

CLI::App* AddCommand(CLI::App& app, const char* name, const char* help, Options& o,
                     std::initializer_list<std::pair<const char*, std::string*>> required,
                     std::optional<std::pair<const char*, std::string*>> optional = {})
{
    CLI::App* cmd = app.add_subcommand(name, help);
    cmd->add_flag("--foreign", o.foreign, "foreign national (start point 4800), else resident");
    cmd->add_flag("--json", o.json, "one JSON object with the exact figures");
    for (const auto& [argName, target] : required)
        cmd->add_option(argName, *target)->required();
    if (optional)
        cmd->add_option(optional->first, *optional->second, "contributions; missing or blank is 0");
    return cmd;
}

} // namespace

int main(int argc, char** argv)
{
    CLI::App app{"Levora个人所得税计算器 V3.01 — 2011年个人所得税计算（命令行）\n"
                 "Amounts use \".\" as decimal separator and are rounded to cents on entry.",
                 "levora-tax-cli"};
    app.require_subcommand(1);
    Options o;
    auto* wage = AddCommand(app, "wage", "one month's wage tax", o, {{"INCOME", &o.a}},
                            std::pair{"GOLDS", &o.b});
    auto* bonus = AddCommand(app, "bonus", "tax on a one-time year-end bonus", o,
                             {{"BONUS", &o.a}, {"INCOME", &o.b}}, std::pair{"GOLDS", &o.c});
    auto* antiTax = AddCommand(app, "anti-tax", "pre-tax wage from a tax amount", o,
                               {{"TAX", &o.a}, {"GOLDS", &o.b}});
    auto* antiAfterTax = AddCommand(app, "anti-after-tax", "pre-tax wage from an after-tax income",
                                    o, {{"AFTER_TAX", &o.a}, {"GOLDS", &o.b}});

    try {
        app.parse(argc, argv);
    } catch (const CLI::CallForHelp& e) {
        return app.exit(e);
    } catch (const CLI::CallForAllHelp& e) {
        return app.exit(e);
    } catch (const CLI::ParseError& e) {
        std::cerr << e.what() << "\n\n" << app.help();
        return 2;
    }

    try {
        if (*wage)
            return RunWage(o);
        if (*bonus)
            return RunBonus(o);
        if (*antiTax)
            return RunReverse(o, true);
        if (*antiAfterTax)
            return RunReverse(o, false);
    } catch (const EAmountOverflow& e) {
        return Refuse(o, nullptr, nullptr, nullptr, e.what());
    } catch (const std::exception& e) {
        std::cerr << e.what() << '\n';
        return 1;
    }
    return 2;
}
