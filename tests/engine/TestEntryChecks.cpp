#include "UEntryChecks.h"

#include <gtest/gtest.h>

namespace {

struct SalaryCase
{
    const char *income, *golds;
    bool foreign;
    int failure; // 0: accepted
    double wage = 0, contributions = 0;
};

const SalaryCase SalaryCases[] = {
    {"8000", "1000", false, 0, 8000, 1000},
    {"5000", "", false, 0, 5000, 0},
    {"5000", "   ", false, 0, 5000, 0},
    {"5000.125", "", false, 0, 5000.13, 0},
    {"10000", "1000", true, 0, 10000, 1000},
    {"", "", false, 1},
    {"abc", "1000", false, 1},
    {"1e400", "", false, 1},
    {"3500", "", false, 2},
    {"3500.004", "", false, 2},
    {"-8000", "", false, 2},
    {"3000", "letters", false, 2}, // the contributions are not read
    {"3000", "letters", true, 2},  // 3500 for both kinds
    {"5000", "abc", false, 3},
    {"5000", "1e400", false, 3},
    {"5000", "6000", false, 4},
    {"5000", "5000.001", false, 6}, // equal once rounded: passes 4, fails 6
    {"5000", "-100", false, 5},
    {"5000", "5000", false, 6},
    {"4000", "500", false, 6},
    {"4500", "", true, 6},
    {"4800.01", "", true, 0, 4800.01, 0},
    {"3500.01", "", false, 0, 3500.01, 0},
};

} // namespace

TEST(SalaryEntry, ChecksInOrderAndStopsAtTheFirstFailure)
{
    const char* labels[] = {"",
                            "TxtMsgSalary",
                            "TxtMsgSalary",
                            "TxtMsgGolds",
                            "TxtMsgGolds",
                            "TxtMsgGolds",
                            "TxtMsgSalary"};
    const char* boxes[] = {"",         "TxtIncome", "TxtIncome", "TxtGolds",
                           "TxtGolds", "TxtGolds",  "TxtIncome"};
    for (const auto& c : SalaryCases) {
        SCOPED_TRACE(::testing::Message() << '"' << c.income << "\" / \"" << c.golds << '"');
        const auto result = CheckSalaryEntry(c.income, c.golds, c.foreign, ".");
        if (c.failure == 0) {
            ASSERT_TRUE(std::holds_alternative<TSalaryEntry>(result));
            EXPECT_EQ(std::get<TSalaryEntry>(result).Income, c.wage);
            EXPECT_EQ(std::get<TSalaryEntry>(result).Golds, c.contributions);
        } else {
            ASSERT_TRUE(std::holds_alternative<TEntryFailure>(result));
            const auto& f = std::get<TEntryFailure>(result);
            EXPECT_EQ(f.No, c.failure);
            EXPECT_STREQ(f.Label, labels[c.failure]);
            EXPECT_STREQ(f.Box, boxes[c.failure]);
        }
    }
}

TEST(SalaryEntry, Messages)
{
    const std::pair<SalaryCase, const char*> cases[] = {
        {{"x", "", false, 1}, "税前收入金额数据无效，请重新输入。"},
        {{"3500", "", false, 2}, "税前收入金额小于或等于3500元，不必纳税。"},
        {{"5000", "x", false, 3}, "社保及公积金数据无效，请重新输入。"},
        {{"5000", "6000", false, 4}, "社保及公积金不能比收入金额大，请重新输入。"},
        {{"5000", "-1", false, 5}, "社保及公积金不能小于0元，请重新输入。"},
        {{"5000", "5000", false, 6}, "应纳税所得额小于或等于起征点，不必纳税。"},
    };
    for (const auto& [c, message] : cases) {
        const auto result = CheckSalaryEntry(c.income, c.golds, c.foreign, ".");
        ASSERT_TRUE(std::holds_alternative<TEntryFailure>(result)) << c.income;
        EXPECT_STREQ(std::get<TEntryFailure>(result).Message, message);
    }
}

TEST(YearAwardEntry, ReadsInOrderWithoutRangeChecks)
{
    struct Case
    {
        const char *bonus, *income, *golds;
        int failure;
        const char *box, *label, *message;
    };
    const Case cases[] = {
        {"24000", "8000", "1000", 0, "", "", ""},
        {"-5", "-3000", "-1", 0, "", "", ""},
        {"24000", "3000", "4000", 0, "", "", ""},
        {"24000", "8000", " ", 0, "", "", ""},
        {"", "abc", "", 1, "TxtYearAward", "TxtMsgYA", "年终奖金收入金额数据无效，请重新输入。"},
        {"1e400", "8000", "", 1, "TxtYearAward", "TxtMsgYA",
         "年终奖金收入金额数据无效，请重新输入。"},
        {"24000", "", "", 2, "TxtIncome", "TxtMsgSalary", "当月工资收入金额数据无效，请重新输入。"},
        {"24000", "1e400", "x", 2, "TxtIncome", "TxtMsgSalary",
         "当月工资收入金额数据无效，请重新输入。"},
        {"24000", "8000", "abc", 3, "TxtGolds", "TxtMsgGolds",
         "社保及公积金数据无效，请重新输入。"},
        {"24000", "8000", "1e400", 3, "TxtGolds", "TxtMsgGolds",
         "社保及公积金数据无效，请重新输入。"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.bonus << " / " << c.income << " / " << c.golds);
        const auto result = ReadYearAwardEntry(c.bonus, c.income, c.golds, ".");
        if (c.failure == 0) {
            EXPECT_TRUE(std::holds_alternative<TYearAwardEntry>(result));
            continue;
        }
        ASSERT_TRUE(std::holds_alternative<TEntryFailure>(result));
        const auto& f = std::get<TEntryFailure>(result);
        EXPECT_EQ(f.No, c.failure);
        EXPECT_STREQ(f.Box, c.box);
        EXPECT_STREQ(f.Label, c.label);
        EXPECT_STREQ(f.Message, c.message);
    }
    const auto blank = std::get<TYearAwardEntry>(ReadYearAwardEntry("12000", "3000", "", "."));
    EXPECT_EQ(blank.Golds, 0);
}

// The after-tax bonus takes the bonus box's place; the other two read as for a bonus.
TEST(AntiYearAwardEntry, RefusesAsTheBonusPageDoes)
{
    const auto after = std::get<TEntryFailure>(ReadAntiYearAwardEntry("x", "8000", "", "."));
    EXPECT_EQ(after.No, 1);
    EXPECT_STREQ(after.Box, "TxtIncomeAfterTax");
    EXPECT_STREQ(after.Message, "税后年终奖金额数据无效，请重新输入。");
    const auto golds = std::get<TEntryFailure>(ReadAntiYearAwardEntry("17460", "8000", "x", "."));
    EXPECT_EQ(golds.No, 3);
    EXPECT_STREQ(golds.Box, "TxtGolds");
    const auto e =
        std::get<TAntiYearAwardEntry>(ReadAntiYearAwardEntry("17460.005", "8000", " ", "."));
    EXPECT_EQ(e.IncomeAfterTax, 17460.01);
    EXPECT_EQ(e.Golds, 0);
}
