#include "UAmount.h"
#include "UDeadZoneManager.h"
#include "UExtended.h"
#include "UYearAwardManager.h"

#include <gtest/gtest.h>

namespace {

struct TMonth
{
    const char* name;
    bool foreign;
    double income, golds; // shortfall: what income − golds lacks of the start point
};

constexpr TMonth NoShortfall{"resident, no shortfall", false, 8000, 0};
constexpr TMonth Shortfall700{"resident, shortfall 700", false, 3000, 200};
constexpr TMonth Foreign800{"foreign, shortfall 800", true, 4000, 0};
constexpr TMonth ShortfallInCents{"resident, shortfall 500.04", false, 2999.99, 0.03};

// From the exact rational arithmetic of the schedule: From = 12 × bound +
// shortfall; To is the first fen whose after-tax bonus reaches the one at From.
struct ZoneCase
{
    const TMonth& month;
    int level; // index of the level above the bound
    double from, to, afterTaxAtFrom;
};

const ZoneCase ZoneCases[] = {
    {NoShortfall, 1, 18000, 19283.34, 17460},
    {NoShortfall, 2, 54000, 60187.5, 48705},
    {NoShortfall, 3, 108000, 114600, 86955},
    {NoShortfall, 4, 420000, 447500, 316005},
    {NoShortfall, 5, 660000, 706538.47, 464755},
    {NoShortfall, 6, 960000, 1120000, 629505},
    {Shortfall700, 1, 18700, 19983.34, 18160},
    {Shortfall700, 2, 54700, 60887.5, 49405},
    {Shortfall700, 3, 108700, 115300, 87655},
    {Shortfall700, 4, 420700, 448200, 316705},
    {Shortfall700, 5, 660700, 707238.47, 465455},
    {Shortfall700, 6, 960700, 1120700, 630205},
    {Foreign800, 1, 18800, 20083.34, 18260},
    {Foreign800, 2, 54800, 60987.5, 49505},
    {Foreign800, 3, 108800, 115400, 87755},
    {Foreign800, 4, 420800, 448300, 316805},
    {Foreign800, 5, 660800, 707338.47, 465555},
    {Foreign800, 6, 960800, 1120800, 630305},
    {ShortfallInCents, 1, 18500.04, 19783.38, 17960.04},
    {ShortfallInCents, 4, 420500.04, 448000.04, 316505.04},
    {ShortfallInCents, 5, 660500.04, 707038.51, 465255.04},
};

double AfterTax(const TMonth& m, double bonus)
{
    return TYearAwardManager().Calculate(m.foreign, bonus, m.income, m.golds).IncomeAfterTax;
}

} // namespace

TEST(DeadZone, EndsAtEverySixBounds)
{
    const TDeadZoneManager zones;
    for (const auto& c : ZoneCases) {
        SCOPED_TRACE(::testing::Message() << c.month.name << ", level " << c.level + 1);
        const auto z = zones.Zone(c.month.foreign, c.level, c.month.income, c.month.golds);
        ASSERT_TRUE(z);
        EXPECT_EQ(z->Level, c.level);
        EXPECT_EQ(z->From, c.from);
        EXPECT_EQ(z->To, c.to);
        EXPECT_DOUBLE_EQ(z->AfterTaxAtFrom, c.afterTaxAtFrom);
        // The exact solution lies in the last fen before To, or is To itself.
        EXPECT_LE(z->ToExact, z->To);
        EXPECT_GT(z->ToExact, z->To - 0.01);
    }
}

// Both ends leave at least the lower end's after-tax bonus and so lie outside;
// the fen next to each end, on the inner side, leaves less and lies inside.
TEST(DeadZone, EndsBelongWhereTheAfterTaxComparisonPutsThem)
{
    const TDeadZoneManager zones;
    for (const auto& c : ZoneCases) {
        SCOPED_TRACE(::testing::Message() << c.month.name << ", level " << c.level + 1);
        const TMonth& m = c.month;
        const double afterTax = AfterTax(m, c.from);
        EXPECT_GE(AfterTax(m, c.to), afterTax);
        EXPECT_LT(AfterTax(m, c.to - 0.01), afterTax);
        EXPECT_LT(AfterTax(m, c.from + 0.01), afterTax);

        EXPECT_FALSE(zones.Find(m.foreign, c.from, m.income, m.golds));
        EXPECT_FALSE(zones.Find(m.foreign, c.to, m.income, m.golds));
        for (double inside : {c.from + 0.01, c.to - 0.01, (c.from + c.to) / 2}) {
            const auto z = zones.Find(m.foreign, inside, m.income, m.golds);
            ASSERT_TRUE(z) << inside;
            EXPECT_EQ(z->From, c.from);
            EXPECT_EQ(z->To, c.to);
        }
    }
}

TEST(DeadZone, ABonusJustAboveTheFirstBound)
{
    const auto z = TDeadZoneManager().Find(false, 18000.12, 8000, 0);
    ASSERT_TRUE(z);
    EXPECT_EQ(z->Level, 1);
    EXPECT_EQ(z->From, 18000);
    EXPECT_EQ(z->AfterTaxAtFrom, 17460);
    EXPECT_EQ(z->To, 19283.34);
    EXPECT_EQ(z->ToExact, 19283.333333333332);
    EXPECT_EQ(Amount::Format(AfterTax(NoShortfall, 18000.12)), "16305.108");
}

TEST(DeadZone, NoneOutsideTheZones)
{
    const TDeadZoneManager zones;
    const double bonuses[] = {-1000, 0, 0.12, 500, 17999.99, 30000, 54000, 1200000, 1e9};
    for (double bonus : bonuses)
        EXPECT_FALSE(zones.Find(false, bonus, 8000, 0)) << bonus;
    // A bonus that the shortfall takes up entirely has no level and no zone.
    EXPECT_FALSE(zones.Find(false, 500, 3000, 0));
    // No level 0 zone, nor one above the last level.
    EXPECT_FALSE(zones.Zone(false, 0, 8000, 0));
    EXPECT_FALSE(zones.Zone(false, 7, 8000, 0));
}

// Beyond 10^11 yuan a Double no longer keeps the fen apart with room to spare.
TEST(DeadZone, NoneReportedForAmountsBeyondTheFenRange)
{
    const TDeadZoneManager zones;
    EXPECT_FALSE(zones.Zone(false, 1, 8000, 2e11));
    EXPECT_FALSE(zones.Find(false, 2e11 + 18000.01, 8000, 2e11));
    EXPECT_FALSE(zones.Find(false, 1.7e308, 8000, 0));
}
