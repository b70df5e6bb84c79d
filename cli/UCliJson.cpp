#include "UCliJson.h"

namespace CliJson {

namespace {

Json Display(const TControlTexts& texts)
{
    Json display = Json::object();
    for (const auto& [name, text] : texts)
        display[std::string(name)] = text;
    return display;
}

} // namespace

Json Level(double rate)
{
    const int level = TaxSchedule::LevelOfRate(rate);
    return level == TaxSchedule::NoLevel ? Json(nullptr) : Json(level + 1);
}

Json TaxInfo(const TTaxInfo& r, const TSalaryDisplay& shown)
{
    return Json{{"Tax", r.Tax},
                {"Income", r.Income},
                {"TaxableIncome", r.TaxableIncome},
                {"IncomeAfterTax", r.IncomeAfterTax},
                {"Rate", r.Rate},
                {"Deduct", r.Deduct},
                {"Golds", r.Golds},
                {"IsForeign", r.IsForeign},
                {"Level", Level(r.Rate)},
                {"StartPoint", TaxSchedule::StartPoint(r.IsForeign)},
                {"display", Display(shown.Controls())}};
}

Json YearAwardInfo(const TYearAwardInfo& r)
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
                {"Level", Level(r.Rate)},
                {"StartPoint", TaxSchedule::StartPoint(r.IsForeign)},
                {"display", Display(YearAwardForm(r).Controls())}};
}

Json DeadZone(const std::optional<TDeadZoneInfo>& zone, double afterTax)
{
    if (!zone)
        return nullptr;
    return Json{{"Level", zone->Level + 1},
                {"From", zone->From},
                {"To", zone->To},
                {"ToExact", zone->ToExact},
                {"AfterTaxAtFrom", zone->AfterTaxAtFrom},
                {"Gain", (Extended(zone->AfterTaxAtFrom) - afterTax).ToDouble()}};
}

Json Error(Json failure, Json box, Json label, const std::string& message)
{
    return Json{{"failure", std::move(failure)},
                {"box", std::move(box)},
                {"label", std::move(label)},
                {"message", message}};
}

Json Error(const TEntryFailure& f)
{
    return Error(f.No, f.Box, f.Label, f.Message);
}

std::string Dump(const Json& j)
{
    return j.dump(-1, ' ', false, Json::error_handler_t::replace);
}

} // namespace CliJson
