#include "UAmount.h"
#include "UExtended.h"
#include "UTaxSchedule.h"
#include "UYearAwardManager.h"

#include <gtest/gtest.h>

#include <cmath>

using TaxSchedule::LevelOfRate;

namespace {

// Figures as the display rule shows them; level is the user's 1 to 7.
struct BonusCase
{
    bool foreign;
    double bonus, income, golds;
    const char *taxable, *average;
    int level;
    const char *rate, *deduct, *tax, *afterTax;
};

const BonusCase BonusCases[] = {
    {false, 24000, 8000, 1000, "24000", "2000", 2, "10%", "105", "2295", "21705"},
    {false, 24000, 3000, 500, "23000", "1916.66666666667", 2, "10%", "105", "2195", "21805"},
    {false, 24000, 3500, 0, "24000", "2000", 2, "10%", "105", "2295", "21705"},
    {false, 24000, 3499.99, 0, "23999.99", "1999.99916666667", 2, "10%", "105", "2294.999",
     "21705.001"},
    {false, 24000, 1000, 2000, "19500", "1625", 2, "10%", "105", "1845", "22155"},
    {false, 6000, 2000, 0, "4500", "375", 1, "3%", "0", "135", "5865"},
    {true, 60000, 4000, 0, "59200", "4933.33333333333", 3, "20%", "555", "11285", "48715"},
    {true, 24000, 4800, 0, "24000", "2000", 2, "10%", "105", "2295", "21705"},
    {true, 24000, 4799.99, 0, "23999.99", "1999.99916666667", 2, "10%", "105", "2294.999",
     "21705.001"},
    {false, 24000, 4000, 0, "24000", "2000", 2, "10%", "105", "2295", "21705"},
    {true, 120000, 10000, 1000, "120000", "10000", 4, "25%", "1005", "28995", "91005"},
    {false, 18000, 8000, 0, "18000", "1500", 1, "3%", "0", "540", "17460"},
    {false, 18000.12, 8000, 0, "18000.12", "1500.01", 2, "10%", "105", "1695.012", "16305.108"},
    {false, 54000, 8000, 0, "54000", "4500", 2, "10%", "105", "5295", "48705"},
    {false, 54000.12, 8000, 0, "54000.12", "4500.01", 3, "20%", "555", "10245.024", "43755.096"},
    {false, 108000, 8000, 0, "108000", "9000", 3, "20%", "555", "21045", "86955"},
    {false, 108000.12, 8000, 0, "108000.12", "9000.01", 4, "25%", "1005", "25995.03", "82005.09"},
    {false, 420000, 8000, 0, "420000", "35000", 4, "25%", "1005", "103995", "316005"},
    {false, 420000.12, 8000, 0, "420000.12", "35000.01", 5, "30%", "2755", "123245.036",
     "296755.084"},
    {false, 660000, 8000, 0, "660000", "55000", 5, "30%", "2755", "195245", "464755"},
    {false, 660000.12, 8000, 0, "660000.12", "55000.01", 6, "35%", "5505", "225495.042",
     "434505.078"},
    {false, 960000, 8000, 0, "960000", "80000", 6, "35%", "5505", "330495", "629505"},
    {false, 960000.12, 8000, 0, "960000.12", "80000.01", 7, "45%", "13505", "418495.054",
     "541505.066"},
    {false, 1200000, 8000, 0, "1200000", "100000", 7, "45%", "13505", "526495", "673505"},
    {false, 0.12, 8000, 0, "0.12", "0.01", 1, "3%", "0", "0.0036", "0.1164"},
    {false, 12000, 3000, 200, "11300", "941.666666666667", 1, "3%", "0", "339", "11661"},
    {false, 12000, 4000, 500, "12000", "1000", 1, "3%", "0", "360", "11640"},
    {false, 18000.01, 5000, 0, "18000.01", "1500.00083333333", 2, "10%", "105", "1695.001",
     "16305.009"},
};

} // namespace

TEST(YearAwardManager, WorkedExamples)
{
    const TYearAwardManager calc;
    for (const auto& c : BonusCases) {
        SCOPED_TRACE(::testing::Message() << (c.foreign ? "foreign " : "resident ") << c.bonus
                                          << " / " << c.income << " / " << c.golds);
        const TYearAwardInfo r = calc.Calculate(c.foreign, c.bonus, c.income, c.golds);
        EXPECT_EQ(Amount::Format(r.TaxableIncome), c.taxable);
        EXPECT_EQ(Amount::Format(r.Average), c.average);
        EXPECT_EQ(LevelOfRate(r.Rate) + 1, c.level);
        EXPECT_EQ(Amount::FormatRate(r.Rate), c.rate);
        EXPECT_EQ(Amount::Format(r.Deduct), c.deduct);
        EXPECT_EQ(Amount::Format(r.Tax), c.tax);
        EXPECT_EQ(Amount::Format(r.IncomeAfterTax), c.afterTax);
        EXPECT_EQ(r.YearAward, c.bonus);
        EXPECT_EQ(r.Income, c.income);
        EXPECT_EQ(r.Golds, c.golds);
        EXPECT_EQ(r.IsForeign, c.foreign);
    }
}

TEST(YearAwardManager, AverageIsStoredUnrounded)
{
    EXPECT_EQ(TYearAwardManager().Calculate(false, 24000, 3000, 500).Average, 1916.6666666666667);
}

// A bonus taken up by the month's shortfall, or none at all, bears no tax.
TEST(YearAwardManager, BonusesWithoutALevelBearNoTax)
{
    struct Case
    {
        double bonus, income, golds, taxable, afterTax;
    };
    const Case cases[] = {
        {500, 3000, 0, 0, 500},         {1500, 2000, 0, 0, 1500},     {0, 8000, 0, 0, 0},
        {-1000, 8000, 0, -1000, -1000}, {1000, 1000, 0, -1500, 1000},
    };
    const TYearAwardManager calc;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.bonus);
        const TYearAwardInfo r = calc.Calculate(false, c.bonus, c.income, c.golds);
        EXPECT_EQ(r.TaxableIncome, c.taxable);
        EXPECT_EQ(r.Average, c.taxable / 12);
        EXPECT_EQ(r.Rate, 0);
        EXPECT_EQ(r.Deduct, 0);
        EXPECT_EQ(r.Tax, 0);
        EXPECT_FALSE(std::signbit(r.Tax));
        EXPECT_EQ(r.IncomeAfterTax, c.afterTax);
    }
}

TEST(YearAwardManager, ResultsBeyondADoubleRaiseOverflow)
{
    const TYearAwardManager calc;
    EXPECT_THROW(calc.Calculate(false, -1.7e308, -1.7e308, 1.7e308), EAmountOverflow);
    EXPECT_THROW(calc.Calculate(false, -1.7e308, 8000, 1.7e308), EAmountOverflow);
    EXPECT_NO_THROW(calc.Calculate(false, 1.7e308, 8000, 0));
}
