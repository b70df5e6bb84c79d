// Whole files through TBatch in memory: what each row becomes, and what makes
// the file as a whole unusable.

#include "UBatch.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

namespace {

using TKind = TBatch::TKind;

struct Output
{
    std::string text;
    TBatch::TSummary summary;
};

Output RunBatch(TKind kind, const std::string& input, bool json = false)
{
    std::string copy = input;
    std::FILE* in = fmemopen(copy.data(), copy.size(), "rb");
    char* data = nullptr;
    std::size_t size = 0;
    std::FILE* out = open_memstream(&data, &size);
    Output o;
    try {
        o.summary = TBatch(kind, json).Run(in, out);
    } catch (...) {
        std::fclose(in);
        std::fclose(out);
        std::free(data);
        throw;
    }
    std::fclose(in);
    std::fclose(out);
    o.text.assign(data, size);
    std::free(data);
    return o;
}

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

using nlohmann::json;

} // namespace

TEST(Batch, WageRowsKeepTheirPlaceAndColumns)
{
    const Output o = RunBatch(TKind::Wage, "id,name,income,golds,foreign\n"
                                           "1,\"Zhang, San\",8000,1000,\n"
                                           "2,Li,3500,,0\n"
                                           "3,\"Wang \"\"W\"\"\",10000,1000,外籍\n"
                                           "4,bad\"quote,5000,,\n"
                                           "5,short,5000\n"
                                           "6,Zhao,5428.39,,\n"
                                           "7,Qian,5000.125,,\n");
    const char* header =
        "id,name,income,golds,foreign,taxable_income,rate,deduct,tax,income_after_tax,error";
    EXPECT_EQ(Lines(o.text), (std::vector<std::string>{
                                 header,
                                 "1,\"Zhang, San\",8000,1000,,3500元,10%,105元,245,6755,",
                                 "2,Li,3500,,0,,,,,,税前收入金额小于或等于3500元，不必纳税。",
                                 "3,\"Wang \"\"W\"\"\",10000,1000,外籍,4200元,10%,105元,315,8685,",
                                 ",,,,,,,,,,第5行的引号不配对，无法读取。",
                                 ",,,,,,,,,,第6行有3个字段，与表头的5栏不符。",
                                 "6,Zhao,5428.39,,,1928.39元,10%,105元,87.839,5340.551,",
                                 "7,Qian,5000.125,,,1500.13元,10%,105元,45.013,4955.117,",
                             }));
    EXPECT_EQ(o.summary.Rows, 7);
    EXPECT_EQ(o.summary.Refused, 3);
    EXPECT_EQ(TBatch::SummaryText(o.summary), "共7行，其中3行被拒绝；税额合计692.852。");
}

TEST(Batch, EveryWageFailureOfThePage)
{
    const Output o = RunBatch(TKind::Wage, "income,golds,foreign\n"
                                           "abc,,\n"
                                           "3500.004,,\n"
                                           "5000,x,\n"
                                           "5000,6000,\n"
                                           "5000,-100,\n"
                                           "4500,,1\n"
                                           "1e400,,\n");
    const std::vector<std::string> errors = {
        "税前收入金额数据无效，请重新输入。",    "税前收入金额小于或等于3500元，不必纳税。",
        "社保及公积金数据无效，请重新输入。",    "社保及公积金不能比收入金额大，请重新输入。",
        "社保及公积金不能小于0元，请重新输入。", "应纳税所得额小于或等于起征点，不必纳税。",
        "税前收入金额数据无效，请重新输入。"};
    const auto lines = Lines(o.text);
    ASSERT_EQ(lines.size(), errors.size() + 1);
    for (std::size_t i = 0; i < errors.size(); ++i)
        EXPECT_EQ(lines[i + 1].substr(lines[i + 1].rfind(',') + 1), errors[i]) << lines[i + 1];
    EXPECT_EQ(o.summary.Refused, 7);
    EXPECT_EQ(o.summary.TotalTax, 0);
}

TEST(Batch, ForeignColumnValues)
{
    const std::string resident = "5500元,20%,555元,545,8455,";
    const std::string foreign = "4200元,10%,105元,315,8685,";
    const std::pair<const char*, const std::string&> cases[] = {
        {"", resident},        {"0", resident},       {"false", resident},    {"否", resident},
        {"国内", resident},    {" FALSE ", resident}, {"国内人士", resident}, {"1", foreign},
        {"true", foreign},     {"True", foreign},     {"是", foreign},        {"外籍", foreign},
        {"外籍人士", foreign},
    };
    for (const auto& [value, results] : cases) {
        const Output o = RunBatch(TKind::Wage, std::string("income,golds,foreign\n10000,1000,\"") +
                                                   value + "\"\n");
        const std::string row = Lines(o.text).at(1);
        EXPECT_EQ(row.substr(row.size() - results.size()), results) << value;
    }
    const Output bad = RunBatch(TKind::Wage, "income,foreign\n10000,yes\n10000,2\n");
    EXPECT_EQ(bad.summary.Refused, 2);
    EXPECT_NE(Lines(bad.text).at(1).find("外籍一栏的“yes”无效"), std::string::npos);
}

TEST(Batch, HeaderNamesAndMissingColumns)
{
    // Names match without regard to case and blanks; golds and foreign may be missing.
    const Output o = RunBatch(TKind::Wage, " Income ,Name\n8000,x\n");
    EXPECT_EQ(Lines(o.text).at(1), "8000,x,4500元,10%,105元,345,7655,");

    const std::pair<TKind, const char*> unusable[] = {
        {TKind::Wage, ""},
        {TKind::Wage, "\n\n"},
        {TKind::Wage, "name,golds\nx,1\n"},
        {TKind::Wage, "income,INCOME\n1,2\n"},
        {TKind::Bonus, "income,golds\n8000,0\n"},
        {TKind::Wage, "\"income\n"},
    };
    for (const auto& [kind, input] : unusable)
        EXPECT_THROW(RunBatch(kind, input), TBatch::EBatchError) << input;
}

TEST(Batch, OutputKeepsTheByteOrderMarkAndCrLf)
{
    const Output o = RunBatch(TKind::Wage, "\xEF\xBB\xBFincome\r\n8000\r\n");
    EXPECT_EQ(o.text, "\xEF\xBB\xBFincome,taxable_income,rate,deduct,tax,income_after_tax,error\r\n"
                      "8000,4500元,10%,105元,345,7655,\r\n");
}

TEST(Batch, BonusRowsWithTheirDeadZone)
{
    const Output o = RunBatch(TKind::Bonus, "bonus,income,golds,foreign\n"
                                            "18000,8000,,\n"
                                            "18000.01,8000,,\n"
                                            "19283.33,8000,,\n"
                                            "19283.34,8000,,\n"
                                            "60000,4000,,外籍\n"
                                            "12000,3000,200,\n"
                                            "x,8000,,\n");
    const char* header = "bonus,income,golds,foreign,taxable_income,average,rate,deduct,tax,"
                         "income_after_tax,dead_zone_from,dead_zone_to,dead_zone_after_tax,"
                         "dead_zone_gain,error";
    // Rows too long for a line are split into adjacent literals on purpose.
    // NOLINTBEGIN(bugprone-suspicious-missing-comma)
    EXPECT_EQ(Lines(o.text),
              (std::vector<std::string>{
                  header,
                  "18000,8000,,,18000元,1500.00元,3%,0元,540,17460,,,,,",
                  "18000.01,8000,,,18000.01元,1500.00元,10%,105元,1695.001,16305.009,18000,"
                  "19283.34,17460,1154.991,",
                  // The gain is the exact difference of the two after-tax Doubles.
                  "19283.33,8000,,,19283.33元,1606.94元,10%,105元,1823.333,17459.997,18000,"
                  "19283.34,17460,0.0029999999969732,",
                  "19283.34,8000,,,19283.34元,1606.94元,10%,105元,1823.334,17460.006,,,,,",
                  "60000,4000,,外籍,59200元,4933.33元,20%,555元,11285,48715,54800,60987.5,49505,"
                  "790,",
                  "12000,3000,200,,11300元,941.67元,3%,0元,339,11661,,,,,",
                  "x,8000,,,,,,,,,,,,,年终奖金收入金额数据无效，请重新输入。",
              }));
    // NOLINTEND(bugprone-suspicious-missing-comma)
    EXPECT_EQ(o.summary.Rows, 7);
    EXPECT_EQ(o.summary.Refused, 1);
}

TEST(Batch, JsonLinesHoldTheExactFigures)
{
    const Output o = RunBatch(TKind::Bonus,
                              "id,bonus,income,id\n"
                              "7,18000.12,8000,x\n"
                              "8,,8000,y\n"
                              "9,1,2\n",
                              true);
    const auto lines = Lines(o.text);
    ASSERT_EQ(lines.size(), 3u);
    const json ok = json::parse(lines[0]);
    EXPECT_EQ(ok["line"], 2);
    EXPECT_EQ(ok["input"],
              (json{{"id", "7"}, {"bonus", "18000.12"}, {"income", "8000"}, {"id#4", "x"}}));
    EXPECT_EQ(ok["result"]["Tax"].get<double>(), 1695.012);
    EXPECT_EQ(ok["result"]["display"]["TxtAverage"], "1500.01元");
    EXPECT_EQ(ok["result"]["DeadZone"]["From"], 18000.0);
    EXPECT_EQ(ok["result"]["DeadZone"]["To"], 19283.34);
    EXPECT_EQ(ok["result"]["DeadZone"]["ToExact"].get<double>(), 19283.333333333332);
    EXPECT_EQ(ok["result"]["DeadZone"]["AfterTaxAtFrom"], 17460.0);
    EXPECT_EQ(ok["result"]["DeadZone"]["Level"], 2);

    const json refused = json::parse(lines[1]);
    EXPECT_EQ(refused["error"]["failure"], 1);
    EXPECT_EQ(refused["error"]["box"], "TxtYearAward");
    EXPECT_EQ(refused["input"]["id"], "8");

    const json malformed = json::parse(lines[2]);
    EXPECT_EQ(malformed["line"], 4);
    EXPECT_TRUE(malformed["input"].is_null());
    EXPECT_EQ(malformed["error"]["message"], "第4行有3个字段，与表头的4栏不符。");
}
