#include "UBatch.h"

#include "UCliJson.h"
#include "UCsvReader.h"
#include "UCsvWriter.h"

#include <array>
#include <limits>
#include <optional>
#include <set>
#include <string_view>
#include <system_error>
#include <vector>

namespace {

using CliJson::Json;
using TKind = TBatch::TKind;
using TProblem = TCsvRecord::TProblem;

constexpr std::string_view Bom = "\xEF\xBB\xBF";
constexpr std::string_view Yuan = "元";

const std::vector<std::string_view> WageResults = {"taxable_income", "rate", "deduct", "tax",
                                                   "income_after_tax"};
const std::vector<std::string_view> BonusResults = {
    "taxable_income", "average",      "rate",
    "deduct",         "tax",          "income_after_tax",
    "dead_zone_from", "dead_zone_to", "dead_zone_after_tax",
    "dead_zone_gain"};

std::string_view TrimBlanks(std::string_view s)
{
    while (!s.empty() && static_cast<unsigned char>(s.front()) <= 32)
        s.remove_prefix(1);
    while (!s.empty() && static_cast<unsigned char>(s.back()) <= 32)
        s.remove_suffix(1);
    return s;
}

char Lower(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// Header names and the "foreign" values match without regard to blanks around
// them or to the case of ASCII letters.
bool SameKey(std::string_view text, std::string_view key)
{
    text = TrimBlanks(text);
    if (text.size() != key.size())
        return false;
    for (std::size_t i = 0; i < key.size(); ++i)
        if (Lower(text[i]) != key[i])
            return false;
    return true;
}

// The "foreign" column: blank is a resident.
std::optional<bool> ReadForeign(std::string_view text)
{
    for (std::string_view yes : {"1", "true", "是", "外籍", "外籍人士"})
        if (SameKey(text, yes))
            return true;
    for (std::string_view no : {"", "0", "false", "否", "国内", "国内人士"})
        if (SameKey(text, no))
            return false;
    return std::nullopt;
}

struct TColumns
{
    int Income = -1, Golds = -1, Foreign = -1, Bonus = -1;
    std::vector<std::string> JsonKeys; // the header's names, a repeated one made unique
};

TColumns FindColumns(const std::vector<std::string>& header, TKind kind)
{
    TColumns c;
    std::set<std::string> seen;
    for (int i = 0; i < static_cast<int>(header.size()); ++i) {
        for (auto [name, slot] : {std::pair{"income", &c.Income}, std::pair{"golds", &c.Golds},
                                  std::pair{"foreign", &c.Foreign}, std::pair{"bonus", &c.Bonus}}) {
            if (!SameKey(header[i], name) || (kind == TKind::Wage && slot == &c.Bonus))
                continue;
            if (*slot >= 0)
                throw TBatch::EBatchError(
                    std::string("表头中“").append(name).append("”一栏出现了两次。"));
            *slot = i;
        }
        std::string key = header[i];
        if (!seen.insert(key).second)
            key.append("#").append(std::to_string(i + 1));
        c.JsonKeys.push_back(std::move(key));
    }
    if (kind == TKind::Bonus && c.Bonus < 0)
        throw TBatch::EBatchError("表头中缺少“bonus”一栏。");
    if (c.Income < 0)
        throw TBatch::EBatchError("表头中缺少“income”一栏。");
    return c;
}

std::string ProblemText(const TCsvRecord& rec, std::size_t columns)
{
    const std::string line = "第" + std::to_string(rec.Line) + "行";
    switch (rec.Problem) {
    case TProblem::BrokenQuoting:
        return line + "的引号不配对，无法读取。";
    case TProblem::TooLong:
        return line + "超过" + std::to_string(TCsvReader::MaxRecordBytes) + "字节，无法读取。";
    case TProblem::None:
        break;
    }
    return line + "有" + std::to_string(rec.Fields.size()) + "个字段，与表头的" +
           std::to_string(columns) + "栏不符。";
}

// One row's outcome, written as CSV or as one JSON line.
class TRowWriter
{
public:
    TRowWriter(TCsvWriter& out, bool json, const TColumns& columns, std::size_t results)
        : out(out), json(json), columns(columns), results(results)
    {
    }

    void Header(const std::vector<std::string>& header, const std::vector<std::string_view>& names)
    {
        if (json)
            return;
        for (const auto& h : header)
            out.Field(h);
        for (auto n : names)
            out.Field(n);
        out.Field("error");
        out.EndRow();
    }

    void Texts(const TCsvRecord& rec, const std::array<std::string_view, 10>& texts)
    {
        for (const auto& f : rec.Fields)
            out.Field(f);
        for (std::size_t i = 0; i < results; ++i)
            out.Field(texts[i]);
        out.Field({});
        out.EndRow();
    }

    void Result(const TCsvRecord& rec, Json result)
    {
        out.Line(
            CliJson::Dump(Json{{"line", rec.Line}, {"input", Input(rec)}, {"result", result}}));
    }

    // A malformed row has no input columns to show.
    void Refused(const TCsvRecord& rec, bool wellFormed, Json error, const std::string& message)
    {
        if (json) {
            out.Line(CliJson::Dump(Json{{"line", rec.Line},
                                        {"input", wellFormed ? Input(rec) : Json(nullptr)},
                                        {"error", std::move(error)}}));
            return;
        }
        for (std::size_t i = 0; i < columns.JsonKeys.size(); ++i)
            out.Field(wellFormed ? std::string_view(rec.Fields[i]) : std::string_view());
        for (std::size_t i = 0; i < results; ++i)
            out.Field("");
        out.Field(message);
        out.EndRow();
    }

    bool IsJson() const { return json; }

private:
    Json Input(const TCsvRecord& rec) const
    {
        Json input = Json::object();
        for (std::size_t i = 0; i < rec.Fields.size(); ++i)
            input[columns.JsonKeys[i]] = rec.Fields[i];
        return input;
    }

    TCsvWriter& out;
    bool json;
    const TColumns& columns;
    std::size_t results;
};

// The wage page's texts of the five result columns as SalaryCalculateForm writes
// them. Rate and deduction take one of eight values each, so they are written once.
class TWageTexts
{
public:
    TWageTexts()
    {
        for (int k = TaxSchedule::NoLevel; k < static_cast<int>(TaxSchedule::TaxRates.size());
             ++k) {
            rates[k + 1] = Amount::FormatRate(TaxSchedule::RateOf(k));
            deducts[k + 1] = Amount::Format(TaxSchedule::DeductOf(k)).append(Yuan);
        }
    }

    void Write(const TCsvRecord& rec, const TTaxInfo& r, TRowWriter& w) const
    {
        const int k = TaxSchedule::LevelOfRate(r.Rate) + 1;
        const std::string taxable = Amount::Format(r.TaxableIncome).append(Yuan);
        const std::string tax = Amount::Format(r.Tax);
        const std::string afterTax = Amount::Format(r.IncomeAfterTax);
        w.Texts(rec, {taxable, rates[k], deducts[k], tax, afterTax});
    }

private:
    std::array<std::string, 8> rates, deducts;
};

std::string_view Field(const TCsvRecord& rec, int column)
{
    return column < 0 ? std::string_view() : std::string_view(rec.Fields[column]);
}

// Computes one well-formed row; false when it is refused.
bool Wage(const TCsvRecord& rec, const TColumns& c, bool foreign, TRowWriter& w, Extended& total)
{
    static const TWageTexts texts;
    const auto entry = CheckSalaryEntry(Field(rec, c.Income), Field(rec, c.Golds), foreign, ".");
    if (const auto* f = std::get_if<TEntryFailure>(&entry)) {
        w.Refused(rec, true, CliJson::Error(*f), f->Message);
        return false;
    }
    const auto& in = std::get<TSalaryEntry>(entry);
    const TTaxInfo r = TSalaryTaxManager().Calculate(foreign, in.Income, in.Golds);
    total = total + r.Tax;
    if (w.IsJson())
        w.Result(rec, CliJson::TaxInfo(r, SalaryCalculateForm(r)));
    else
        texts.Write(rec, r, w);
    return true;
}

bool Bonus(const TCsvRecord& rec, const TColumns& c, bool foreign, TRowWriter& w, Extended& total)
{
    const auto entry =
        ReadYearAwardEntry(Field(rec, c.Bonus), Field(rec, c.Income), Field(rec, c.Golds), ".");
    if (const auto* f = std::get_if<TEntryFailure>(&entry)) {
        w.Refused(rec, true, CliJson::Error(*f), f->Message);
        return false;
    }
    const auto& in = std::get<TYearAwardEntry>(entry);
    const TYearAwardInfo r =
        TYearAwardManager().Calculate(foreign, in.YearAward, in.Income, in.Golds);
    const auto zone = TDeadZoneManager().Find(foreign, in.YearAward, in.Income, in.Golds);
    total = total + r.Tax;
    if (w.IsJson()) {
        Json j = CliJson::YearAwardInfo(r);
        j["DeadZone"] = CliJson::DeadZone(zone, r.IncomeAfterTax);
        w.Result(rec, std::move(j));
        return true;
    }
    const TYearAwardDisplay shown = YearAwardForm(r);
    std::array<std::string, 4> dead;
    if (zone)
        dead = {Amount::Format(zone->From), Amount::Format(zone->To),
                Amount::Format(zone->AfterTaxAtFrom),
                Amount::Format((Extended(zone->AfterTaxAtFrom) - r.IncomeAfterTax).ToDouble())};
    w.Texts(rec, {shown.TxtTaxableIncome, shown.TxtAverage, shown.TxtRate, shown.TxtDeduct,
                  shown.TxtTax, shown.TxtIncomeAfterTax, dead[0], dead[1], dead[2], dead[3]});
    return true;
}

} // namespace

TBatch::TBatch(TKind kind, bool json) : kind(kind), json(json) {}

TBatch::TSummary TBatch::Run(std::FILE* in, std::FILE* out) const
{
    try {
        TCsvReader reader(in);
        TCsvRecord rec;
        if (!reader.Next(rec))
            throw EBatchError("输入中没有表头行。");
        if (rec.Problem != TProblem::None)
            throw EBatchError("表头无法读取：" + ProblemText(rec, 0));
        const std::vector<std::string> header = rec.Fields;
        const TColumns columns = FindColumns(header, kind);
        const auto& names = kind == TKind::Wage ? WageResults : BonusResults;

        TCsvWriter csv(out, reader.UsesCrLf());
        if (reader.HadByteOrderMark() && !json)
            csv.Raw(Bom);
        TRowWriter w(csv, json, columns, names.size());
        w.Header(header, names);

        TSummary summary;
        Extended total(0);
        while (reader.Next(rec)) {
            ++summary.Rows;
            bool computed = false;
            if (rec.Problem != TProblem::None || rec.Fields.size() != header.size()) {
                const std::string message = ProblemText(rec, header.size());
                w.Refused(rec, false, CliJson::Error(nullptr, nullptr, nullptr, message), message);
            } else if (const auto foreign = ReadForeign(Field(rec, columns.Foreign)); !foreign) {
                const std::string message = "外籍一栏的“" +
                                            std::string(Field(rec, columns.Foreign)) +
                                            "”无效，应为1/0、true/false、是/否或外籍/国内。";
                w.Refused(rec, true, CliJson::Error(nullptr, "RBtnForeign", nullptr, message),
                          message);
            } else {
                try {
                    computed = kind == TKind::Wage ? Wage(rec, columns, *foreign, w, total)
                                                   : Bonus(rec, columns, *foreign, w, total);
                } catch (const EAmountOverflow& e) {
                    w.Refused(rec, true, CliJson::Error(nullptr, nullptr, nullptr, e.what()),
                              e.what());
                }
            }
            if (!computed)
                ++summary.Refused;
        }
        csv.Flush();
        try {
            summary.TotalTax = total.ToDouble();
        } catch (const EAmountOverflow&) {
            summary.TotalTax = std::numeric_limits<double>::infinity();
        }
        return summary;
    } catch (const std::system_error& e) {
        throw EBatchError(e.what());
    }
}

std::string TBatch::SummaryText(const TSummary& summary)
{
    return "共" + std::to_string(summary.Rows) + "行，其中" + std::to_string(summary.Refused) +
           "行被拒绝；税额合计" + Amount::Format(summary.TotalTax) + "。";
}
