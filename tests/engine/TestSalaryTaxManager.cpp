#include "UAmount.h"
#include "UExtended.h"
#include "USalaryTaxManager.h"
#include "UTaxSchedule.h"

#include <gtest/gtest.h>

#include <cmath>

using TaxSchedule::LevelOfRate;

namespace {

enum class Op
{
    Calculate,
    AntiTax,
    AntiIncomeAfterTax
};

TTaxInfo RunOp(Op op, bool foreign, double a, double golds)
{
    const TSalaryTaxManager calc;
    switch (op) {
    case Op::Calculate:
        return calc.Calculate(foreign, a, golds);
    case Op::AntiTax:
        return calc.AntiTax(foreign, a, golds);
    case Op::AntiIncomeAfterTax:
        return calc.AntiIncomeAfterTax(foreign, a, golds);
    }
    return {};
}

// Expected stored Doubles, compared exactly. Level is the user's 1 to 7.
struct WorkedCase
{
    Op op;
    bool foreign;
    double a, golds;
    double taxable;
    int level;
    double rate;
    int deduct;
    double tax, afterTax, income;
};

constexpr Op C = Op::Calculate, AT = Op::AntiTax, AA = Op::AntiIncomeAfterTax;

const WorkedCase WorkedCases[] = {
    {C, false, 8000, 1000, 3500, 2, 0.10, 105, 245.00000000000003, 6755, 8000},
    {C, true, 10000, 1000, 4200, 2, 0.10, 105, 315, 8685, 10000},
    {C, false, 5000, 0, 1500, 1, 0.03, 0, 45, 4955, 5000},
    {C, false, 5000.01, 0, 1500.0100000000002, 2, 0.10, 105, 45.00100000000003, 4955.009, 5000.01},
    {C, true, 6300, 0, 1500, 1, 0.03, 0, 45, 6255, 6300},
    {C, false, 8000, 0, 4500, 2, 0.10, 105, 345, 7655, 8000},
    {C, false, 12500, 0, 9000, 3, 0.20, 555, 1245, 11255, 12500},
    {C, false, 38500, 0, 35000, 4, 0.25, 1005, 7745, 30755, 38500},
    {C, false, 58500, 0, 55000, 5, 0.30, 2755, 13745, 44755, 58500},
    {C, false, 83500, 0, 80000, 6, 0.35, 5505, 22495, 61005, 83500},
    {C, false, 100000, 0, 96500, 7, 0.45, 13505, 29920, 70080, 100000},
    {C, false, 5428.39, 0, 1928.3900000000003, 2, 0.10, 105, 87.83900000000004, 5340.551, 5428.39},
    {C, false, 4734.25, 1224.09, 10.160000000000082, 1, 0.03, 0, 0.30480000000000246, 3509.8552,
     4734.25},
    {AT, false, 245, 1000, 3500, 2, 0.10, 105, 245, 6755, 8000},
    {AT, false, 45, 0, 1500, 1, 0.03, 0, 45, 4955, 5000},
    {AT, true, 315, 1000, 4200, 2, 0.10, 105, 315, 8685, 10000},
    {AT, false, 29920, 0, 96500, 7, 0.45, 13505, 29920, 70080, 100000},
    {AT, false, 0, 1000, 0, 1, 0.03, 0, 0, 3500, 4500},
    {AT, false, -3, 0, -100, 1, 0.03, 0, -3, 3403, 3400},
    {AT, false, 22495, 0, 80000, 6, 0.35, 5505, 22495, 61005, 83500},
    {AA, false, 6755, 1000, 3500, 2, 0.10, 105, 245.00000000000003, 6755, 8000},
    {AA, false, 4955, 0, 1500, 1, 0.03, 0, 45, 4955, 5000},
    {AA, true, 8685, 1000, 4200, 2, 0.10, 105, 315, 8685, 10000},
    {AA, false, 70080, 0, 96500, 7, 0.45, 13505, 29920, 70080, 100000},
};

} // namespace

TEST(SalaryTaxManager, WorkedExamplesStoreTheExactDoubles)
{
    for (const auto& c : WorkedCases) {
        SCOPED_TRACE(::testing::Message() << "op " << static_cast<int>(c.op) << " foreign "
                                          << c.foreign << " " << c.a << " / " << c.golds);
        const TTaxInfo r = RunOp(c.op, c.foreign, c.a, c.golds);
        EXPECT_EQ(r.TaxableIncome, c.taxable);
        EXPECT_EQ(LevelOfRate(r.Rate) + 1, c.level);
        EXPECT_EQ(r.Rate, c.rate);
        EXPECT_EQ(r.Deduct, c.deduct);
        EXPECT_EQ(r.Tax, c.tax);
        EXPECT_EQ(r.IncomeAfterTax, c.afterTax);
        EXPECT_EQ(r.Income, c.income);
        EXPECT_EQ(r.Golds, c.golds);
        EXPECT_EQ(r.IsForeign, c.foreign);
    }
}

// Double evaluation would show 87.8390000000001 and 10.1599999999999.
TEST(SalaryTaxManager, ExtendedPrecisionShowsInTheDisplay)
{
    const TSalaryTaxManager calc;
    EXPECT_EQ(Amount::Format(calc.Calculate(false, 5428.39, 0).Tax), "87.839");
    const TTaxInfo r = calc.Calculate(false, 4734.25, 1224.09);
    EXPECT_EQ(Amount::Format(r.TaxableIncome), "10.1600000000001");
    EXPECT_EQ(Amount::Format(r.Tax), "0.304800000000002");
}

TEST(SalaryTaxManager, AntiTaxAtEachLevelBoundGivesTheBoundExactly)
{
    const TSalaryTaxManager calc;
    for (int k = 0; k < 6; ++k) {
        const TTaxInfo r = calc.AntiTax(false, TaxSchedule::TaxLevelBounds[k], 0);
        EXPECT_EQ(r.TaxableIncome, TaxSchedule::LevelBounds[k + 1]);
        EXPECT_EQ(r.Rate, TaxSchedule::TaxRates[k]);
    }
    EXPECT_EQ(LevelOfRate(calc.AntiTax(false, 22495.01, 0).Rate), 6);
}

TEST(SalaryTaxManager, AntiIncomeAfterTaxAtEachLevelBoundGivesTheBoundExactly)
{
    const TSalaryTaxManager calc;
    for (bool foreign : {false, true})
        for (int k = 1; k < 7; ++k) {
            const double afterTax =
                TaxSchedule::StartPoint(foreign) + TaxSchedule::AfterTaxLevelBounds[k];
            const TTaxInfo r = calc.AntiIncomeAfterTax(foreign, afterTax, 0);
            EXPECT_EQ(r.TaxableIncome, TaxSchedule::LevelBounds[k]) << afterTax;
            EXPECT_EQ(r.Rate, TaxSchedule::TaxRates[k - 1]) << afterTax;
        }
}

// The reverse operations give back the wage that the forward one started from,
// to the unit in the last place, so that the page shows the same wage.
TEST(SalaryTaxManager, ReverseOperationsInvertTheForwardOne)
{
    const TSalaryTaxManager calc;
    for (bool foreign : {false, true})
        for (double golds : {0.0, 312.5, 1224.09})
            for (double wage = 5000.01; wage < 250000; wage = std::round(wage * 103.7) / 100) {
                const TTaxInfo f = calc.Calculate(foreign, wage, golds);
                if (f.TaxableIncome <= 0)
                    continue;
                SCOPED_TRACE(::testing::Message() << wage << " / " << golds << " " << foreign);
                for (const TTaxInfo& r :
                     {calc.AntiTax(foreign, f.Tax, golds),
                      calc.AntiIncomeAfterTax(foreign, f.IncomeAfterTax, golds)}) {
                    EXPECT_EQ(r.Rate, f.Rate);
                    EXPECT_EQ(r.Deduct, f.Deduct);
                    EXPECT_LE(std::fabs(r.Income - wage), 2 * (std::nextafter(wage, 1e300) - wage));
                    EXPECT_EQ(Amount::Format(r.Income), Amount::Format(wage));
                    EXPECT_EQ(Amount::Format(r.IncomeAfterTax), Amount::Format(f.IncomeAfterTax));
                }
            }
}

// Amounts below every level: rate and deduction 0, no tax (and never -0).
TEST(SalaryTaxManager, AmountsWithoutALevelBearNoTax)
{
    const TSalaryTaxManager calc;
    const TTaxInfo r = calc.AntiIncomeAfterTax(false, 3000, 0);
    EXPECT_EQ(r.TaxableIncome, -500);
    EXPECT_EQ(r.Rate, 0);
    EXPECT_EQ(r.Deduct, 0);
    EXPECT_EQ(r.Tax, 0);
    EXPECT_FALSE(std::signbit(r.Tax));
    EXPECT_EQ(r.Income, 3000);
    EXPECT_EQ(r.IncomeAfterTax, 3000);

    for (double wage : {3500.0, 3000.0, 0.0, -200.0}) {
        const TTaxInfo f = calc.Calculate(false, wage, 0);
        EXPECT_EQ(f.Rate, 0) << wage;
        EXPECT_EQ(f.Tax, 0) << wage;
        EXPECT_FALSE(std::signbit(f.Tax)) << wage;
        EXPECT_EQ(f.IncomeAfterTax, wage) << wage;
    }
    EXPECT_EQ(calc.AntiIncomeAfterTax(true, 4800, 0).TaxableIncome, 0);
}

TEST(SalaryTaxManager, ResultsBeyondADoubleRaiseOverflow)
{
    const TSalaryTaxManager calc;
    EXPECT_THROW(calc.Calculate(false, -1.7e308, 1.7e308), EAmountOverflow);
    EXPECT_THROW(calc.AntiTax(false, 1.7e308, 0), EAmountOverflow);
    EXPECT_THROW(calc.AntiIncomeAfterTax(false, 1.7e308, 1.7e308), EAmountOverflow);
    EXPECT_NO_THROW(calc.Calculate(false, 1.7e308, 0));
}
