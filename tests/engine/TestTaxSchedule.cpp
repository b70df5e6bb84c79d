#include "UTaxSchedule.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace TaxSchedule;

namespace {

long long Percent(int level)
{
    return std::llround(TaxRates[level] * 100);
}

} // namespace

TEST(TaxSchedule, RatesAreTheNearestDoublesOfWholePercents)
{
    for (int k = 0; k < 7; ++k)
        EXPECT_EQ(TaxRates[k], Percent(k) / 100.0) << "level index " << k;
}

// The relations among the tables, in whole cents so that they hold exactly.
TEST(TaxSchedule, TablesAgreeEntryByEntry)
{
    EXPECT_EQ(Deducts[0], 0);
    EXPECT_EQ(AfterTaxLevelBounds[0], 0);
    for (int k = 1; k < 7; ++k) {
        EXPECT_EQ(Deducts[k] * 100LL,
                  Deducts[k - 1] * 100LL + LevelBounds[k] * (Percent(k) - Percent(k - 1)))
            << "quick deduction of level index " << k;
        EXPECT_EQ(AfterTaxLevelBounds[k], LevelBounds[k] - TaxLevelBounds[k - 1])
            << "after-tax bound of level index " << k;
    }
    for (int k = 0; k < 6; ++k)
        EXPECT_EQ(TaxLevelBounds[k] * 100LL, LevelBounds[k + 1] * Percent(k) - Deducts[k] * 100LL)
            << "tax bound of level index " << k;
}

struct LookupCase
{
    double amount;
    int level;
};

TEST(TaxSchedule, FindLevelOverLevelBounds)
{
    const LookupCase cases[] = {
        {0.01, 0},     {1500, 0},       {1500.01, 1},     {4500, 1},         {4500.01, 2},
        {9000, 2},     {9000.01, 3},    {35000, 3},       {35000.01, 4},     {55000, 4},
        {55000.01, 5}, {80000, 5},      {80000.01, 6},    {10000000, 6},     {1e300, 6},
        {0, NoLevel},  {-0.0, NoLevel}, {-0.01, NoLevel}, {-1e300, NoLevel},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FindLevel(LevelBounds, c.amount), c.level) << c.amount;
}

TEST(TaxSchedule, FindLevelOverAfterTaxLevelBounds)
{
    const LookupCase cases[] = {
        {0.01, 0}, {1455, 0}, {1455.01, 1}, {57505, 5}, {57505.01, 6}, {0, NoLevel}, {-5, NoLevel},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FindLevel(AfterTaxLevelBounds, c.amount), c.level) << c.amount;
}

TEST(TaxSchedule, FindLevelByTax)
{
    const LookupCase cases[] = {
        {-10, 0},  {0, 0},       {45, 0},    {45.01, 1}, {345, 1},      {345.01, 2}, {1245, 2},
        {7745, 3}, {7745.01, 4}, {13745, 4}, {22495, 5}, {22495.01, 6}, {1e9, 6},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FindLevelByTax(c.amount), c.level) << c.amount;
}

// Both lookups put a bound into the lower level, so the level of a taxable
// amount and the level of its tax agree.
TEST(TaxSchedule, LevelOfTaxMatchesLevelOfTaxableAmount)
{
    for (double t = 0.01; t < 120000; t = t * 1.013 + 0.37) {
        const int k = FindLevel(LevelBounds, t);
        EXPECT_EQ(FindLevelByTax(TaxOn(t, k)), k) << t;
    }
    for (int k = 1; k < 7; ++k)
        EXPECT_EQ(FindLevelByTax(TaxOn(LevelBounds[k], k - 1)), k - 1);
}
