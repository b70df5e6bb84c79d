// End-to-end runs of levora-tax-cli: exit codes, output and JSON.

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/wait.h>

namespace {

struct Result
{
    int status;
    std::string out, err;
};

std::string Quote(const std::string& arg)
{
    std::string q = "'";
    for (char c : arg)
        q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return q + "'";
}

// One file per test, as ctest runs the tests in parallel.
std::string TestFile(const std::string& what)
{
    return ::testing::TempDir() + "levora-cli-" + what + "-" +
           ::testing::UnitTest::GetInstance()->current_test_info()->name();
}

// stdin: written to a file and redirected, when given.
Result Cli(std::initializer_list<std::string> args, const std::string* stdinText = nullptr)
{
    const std::string errFile = TestFile("stderr");
    std::string cmd = LEVORA_CLI;
    for (const auto& a : args) {
        cmd += ' ';
        cmd += Quote(a);
    }
    cmd += " 2>" + errFile;
    if (stdinText) {
        const std::string inFile = TestFile("stdin");
        std::ofstream(inFile, std::ios::binary) << *stdinText;
        cmd += " <" + inFile;
    }
    Result r;
    FILE* p = popen(cmd.c_str(), "r");
    char buf[4096];
    for (std::size_t n; (n = fread(buf, 1, sizeof buf, p)) > 0;)
        r.out.append(buf, n);
    const int status = pclose(p);
    r.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    std::ifstream err(errFile);
    std::stringstream ss;
    ss << err.rdbuf();
    r.err = ss.str();
    return r;
}

using nlohmann::json;

} // namespace

TEST(Cli, WagePrintsTheBreakdownWithThePageCaptions)
{
    const Result r = Cli({"wage", "8000", "1000"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "收入金额：8000元\n社保及公积金：1000元\n起征额：3500元\n"
                     "应纳税所得额：3500元\n适用税率：10%\n速算扣除数：105元\n"
                     "应纳税额：245\n税后收入：6755\n");
}

TEST(Cli, WageJsonHoldsTheExactDoublesAndTheShownTexts)
{
    const Result r = Cli({"wage", "--json", "8000", "1000"});
    ASSERT_EQ(r.status, 0);
    const json j = json::parse(r.out);
    EXPECT_EQ(j["Tax"].get<double>(), 245.00000000000003);
    EXPECT_EQ(j["Rate"].get<double>(), 0.1);
    EXPECT_TRUE(j["Deduct"].is_number_integer());
    EXPECT_EQ(j["IsForeign"], false);
    EXPECT_EQ(j["Level"], 2);
    EXPECT_EQ(j["StartPoint"], 3500);
    const json expected = {{"TxtInfome2", "8000元"}, {"TxtGolds2", "1000元"},
                           {"TxtSP", "3500元"},      {"TxtTaxableIncome", "3500元"},
                           {"TxtRate", "10%"},       {"TxtDeduct", "105元"},
                           {"TxtTax", "245"},        {"TxtIncomeAfterTax", "6755"}};
    EXPECT_EQ(j["display"], expected);

    const json k = json::parse(Cli({"wage", "--json", "4734.25", "1224.09"}).out);
    EXPECT_EQ(k["TaxableIncome"].get<double>(), 10.160000000000082);
}

TEST(Cli, BonusAndReverseCommands)
{
    const json b = json::parse(Cli({"bonus", "--json", "24000", "3000", "500"}).out);
    EXPECT_EQ(b["Average"].get<double>(), 1916.6666666666667);
    EXPECT_EQ(b["display"]["TxtAverage"], "1916.67元");
    EXPECT_EQ(b["display"]["TxtTax"], "2195");

    const json none = json::parse(Cli({"bonus", "--json", "500", "3000"}).out);
    EXPECT_TRUE(none["Level"].is_null());
    EXPECT_EQ(none["display"]["TxtRate"], "0%");

    const json f = json::parse(Cli({"anti-after-tax", "--json", "--foreign", "8685", "1000"}).out);
    EXPECT_EQ(f["display"]["TxtInfome2"], "10000");
    EXPECT_EQ(f["display"]["TxtSP"], "4800");

    const Result neg = Cli({"anti-tax", "-3", "0"});
    EXPECT_EQ(neg.status, 0);
    EXPECT_NE(neg.out.find("应纳税所得额：-100\n"), std::string::npos);
}

TEST(Cli, RefusedEntriesExitWithOne)
{
    const Result plain = Cli({"wage", "3500"});
    EXPECT_EQ(plain.status, 1);
    EXPECT_EQ(plain.err, "税前收入金额小于或等于3500元，不必纳税。\n");
    EXPECT_EQ(plain.out, "");

    const Result r = Cli({"wage", "--json", "5000", "-100"});
    EXPECT_EQ(r.status, 1);
    const json e = json::parse(r.out)["error"];
    EXPECT_EQ(e["failure"], 5);
    EXPECT_EQ(e["box"], "TxtGolds");
    EXPECT_EQ(e["label"], "TxtMsgGolds");
    EXPECT_EQ(e["message"], "社保及公积金不能小于0元，请重新输入。");

    const Result bonus = Cli({"bonus", "--json", "24000", "x"});
    EXPECT_EQ(bonus.status, 1);
    EXPECT_EQ(json::parse(bonus.out)["error"]["failure"], 2);

    // The reverse commands read a blank box as invalid, like the hidden buttons.
    const Result reverse = Cli({"anti-tax", "--json", "245", ""});
    EXPECT_EQ(reverse.status, 1);
    const json re = json::parse(reverse.out)["error"];
    EXPECT_TRUE(re["failure"].is_null());
    EXPECT_EQ(re["box"], "TxtGolds");

    // Whatever bytes were typed, the output stays valid JSON.
    const Result bytes = Cli({"anti-tax", "--json", "\xff\xfe", "0"});
    EXPECT_EQ(bytes.status, 1);
    EXPECT_EQ(json::parse(bytes.out)["error"]["box"], "TxtTax");
}

TEST(Cli, OverflowAndWrongUsage)
{
    const Result o = Cli({"anti-tax", "1.7e308", "0"});
    EXPECT_EQ(o.status, 1);
    EXPECT_NE(o.err.find("溢出"), std::string::npos);

    for (const auto& args : {std::initializer_list<std::string>{},
                             {"wage"},
                             {"wage", "1", "2", "3"},
                             {"pay", "8000"},
                             {"wage", "--bogus", "8000"}}) {
        const Result u = Cli(args);
        EXPECT_EQ(u.status, 2);
        EXPECT_NE(u.err.find("Usage"), std::string::npos) << u.err;
    }
    EXPECT_EQ(Cli({"--help"}).status, 0);
    EXPECT_EQ(Cli({"wage", "--", "-5000"}).status, 1);
}

TEST(Cli, BonusInADeadZoneSaysWhatTheLowerEndLeaves)
{
    const Result r = Cli({"bonus", "18000.12", "8000"});
    EXPECT_EQ(r.status, 0);
    EXPECT_NE(
        r.out.find("税后收入：16305.108\n提示：年终奖高于18000元、低于19283.34元时多发反而少得。"
                   "年终奖为18000元时税后收入为17460元，比现在多1154.892元。\n"),
        std::string::npos)
        << r.out;
    EXPECT_EQ(Cli({"bonus", "18000", "8000"}).out.find("提示"), std::string::npos);

    const json in = json::parse(Cli({"bonus", "--json", "--foreign", "60000", "4000"}).out);
    EXPECT_EQ(in["DeadZone"]["From"], 54800.0);
    EXPECT_EQ(in["DeadZone"]["To"], 60987.5);
    EXPECT_EQ(in["DeadZone"]["Gain"], 790.0);
    EXPECT_TRUE(
        json::parse(Cli({"bonus", "--json", "19283.34", "8000"}).out)["DeadZone"].is_null());
}

TEST(Cli, AntiBonusListsEveryBonusSmallestFirst)
{
    const Result two = Cli({"anti-bonus", "17460", "8000"});
    EXPECT_EQ(two.status, 0);
    EXPECT_EQ(two.out.find("注意：有2个年终奖金额得到税后收入17460元，结果不唯一"), 0u) << two.out;
    const auto first = two.out.find("年终奖金额：18000元\n");
    const auto second = two.out.find("年终奖金额：19283.3333333333元\n");
    EXPECT_NE(first, std::string::npos);
    EXPECT_NE(second, std::string::npos);
    EXPECT_LT(first, second);

    const Result one = Cli({"anti-bonus", "11661", "3000", "200"});
    EXPECT_EQ(one.out.substr(0, one.out.find('\n')), "年终奖金额：12000元");
    EXPECT_NE(one.out.find("税后收入：11661\n"), std::string::npos);

    const json j = json::parse(Cli({"anti-bonus", "--json", "17460", "8000"}).out);
    EXPECT_EQ(j["Unique"], false);
    ASSERT_EQ(j["YearAwards"].size(), 2u);
    EXPECT_EQ(j["YearAwards"][1]["YearAward"].get<double>(), 19283.333333333332);
    EXPECT_EQ(j["YearAwards"][1]["display"]["TxtIncomeAfterTax"], "17460");

    const Result refused = Cli({"anti-bonus", "--json", "abc", "8000"});
    EXPECT_EQ(refused.status, 1);
    EXPECT_EQ(json::parse(refused.out)["error"]["box"], "TxtIncomeAfterTax");
    const Result overflow = Cli({"anti-bonus", "1.7e308", "8000"});
    EXPECT_EQ(overflow.status, 1);
    EXPECT_NE(overflow.err.find("溢出"), std::string::npos);
}

TEST(Cli, BatchExitStatusAndSummary)
{
    const std::string good = "id,income\n1,8000\n2,5000\n";
    const Result ok = Cli({"batch", "wage"}, &good);
    EXPECT_EQ(ok.status, 0);
    EXPECT_EQ(ok.out, "id,income,taxable_income,rate,deduct,tax,income_after_tax,error\n"
                      "1,8000,4500元,10%,105元,345,7655,\n"
                      "2,5000,1500元,3%,0元,45,4955,\n");
    EXPECT_EQ(ok.err, "共2行，其中0行被拒绝；税额合计390。\n");

    const std::string mixed = "bonus,income\n24000,8000\n,8000\n";
    const Result refused = Cli({"batch", "bonus", "-"}, &mixed);
    EXPECT_EQ(refused.status, 1);
    EXPECT_EQ(refused.err, "共2行，其中1行被拒绝；税额合计2295。\n");

    const std::string file = TestFile("input.csv");
    std::ofstream(file) << good;
    const Result fromFile = Cli({"batch", "--json", "wage", file});
    EXPECT_EQ(fromFile.status, 0);
    EXPECT_EQ(json::parse(fromFile.out.substr(0, fromFile.out.find('\n')))["result"]["Tax"], 345.0);

    const std::string noIncome = "id,golds\n1,0\n";
    const Result unusable = Cli({"batch", "wage"}, &noIncome);
    EXPECT_EQ(unusable.status, 2);
    EXPECT_EQ(unusable.err, "表头中缺少“income”一栏。\n");
    EXPECT_EQ(Cli({"batch", "wage", TestFile("missing.csv")}).status, 2);
    EXPECT_EQ(Cli({"batch", "salary"}).status, 2);
}
