#include "UAmount.h"
#include "UAntiYearAwardManager.h"
#include "UExtended.h"
#include "UTaxSchedule.h"
#include "UYearAwardManager.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

struct AntiCase
{
    bool foreign;
    double afterTax, income, golds;
    std::vector<const char*> bonuses; // as the display rule shows them, smallest first
};

const AntiCase AntiCases[] = {
    // In the first dead zone two bonuses leave 17460.
    {false, 17460, 8000, 0, {"18000", "19283.3333333333"}},
    {false, 16305.108, 8000, 0, {"16809.3896907217", "18000.12"}},
    {false, 11661, 3000, 200, {"12000"}},
    {false, 21705, 8000, 1000, {"24000"}},
    // 60000 lies in a foreign national's second zone (54800 to 60987.5).
    {true, 48715, 4000, 0, {"53922.2222222222", "60000"}},
    {false, 629505, 8000, 0, {"960000", "1120000"}},
    {false, 673505, 8000, 0, {"1200000"}},
    // Taken up by the shortfall: no tax, the bonus is the after-tax bonus.
    {false, 400, 3000, 0, {"400"}},
    {false, 0, 8000, 0, {"0"}},
    {false, -100, 8000, 0, {"-100"}},
};

} // namespace

TEST(AntiYearAward, EveryBonusThatLeavesTheAmount)
{
    const TAntiYearAwardManager anti;
    for (const auto& c : AntiCases) {
        SCOPED_TRACE(::testing::Message() << c.afterTax << " / " << c.income << " / " << c.golds);
        const auto found = anti.Calculate(c.foreign, c.afterTax, c.income, c.golds);
        ASSERT_EQ(found.size(), c.bonuses.size());
        for (std::size_t i = 0; i < found.size(); ++i) {
            EXPECT_EQ(Amount::Format(found[i].YearAward), c.bonuses[i]);
            // The forward calculation of each, shown beside it, gives the amount back.
            EXPECT_EQ(Amount::Format(found[i].IncomeAfterTax), Amount::Format(c.afterTax));
            EXPECT_EQ(found[i].Income, c.income);
            EXPECT_EQ(found[i].IsForeign, c.foreign);
        }
    }
}

TEST(AntiYearAward, SolvesInExtendedWithoutRoundingToTheFen)
{
    const auto found = TAntiYearAwardManager().Calculate(false, 17460, 8000, 0);
    ASSERT_EQ(found.size(), 2u);
    EXPECT_EQ(found[0].YearAward, 18000);
    EXPECT_EQ(found[1].YearAward, 19283.333333333332);
    EXPECT_EQ(found[1].IncomeAfterTax, 17460);
}

// Whatever bonus is given, working back from its after-tax bonus finds it again.
TEST(AntiYearAward, FindsEveryForwardBonusAgain)
{
    const TYearAwardManager forward;
    const TAntiYearAwardManager anti;
    struct Month
    {
        bool foreign;
        double income, golds;
    };
    for (const Month m :
         {Month{false, 8000, 1000}, Month{false, 3000, 200}, Month{true, 4000, 0}}) {
        for (double bonus = 0.12; bonus < 1.5e6; bonus = bonus * 1.37 + 0.01) {
            const double cents = Amount::Read(Amount::FormatFixed2(bonus)).value();
            const TYearAwardInfo r = forward.Calculate(m.foreign, cents, m.income, m.golds);
            const auto found = anti.Calculate(m.foreign, r.IncomeAfterTax, m.income, m.golds);
            bool again = false;
            for (const auto& f : found)
                again |= Amount::Format(f.YearAward) == Amount::Format(cents);
            EXPECT_TRUE(again) << cents;
        }
    }
}

TEST(AntiYearAward, EachSolutionLiesInItsOwnLevel)
{
    const TAntiYearAwardManager anti;
    // The level 2 formula gives 18000 for 16305: its average stays in level 1,
    // where 18000 leaves 17460, so only the level 1 bonus is kept.
    EXPECT_EQ(anti.SolveInLevel(false, 16305, 8000, 0, 1), 18000);
    const auto found = anti.Calculate(false, 16305, 8000, 0);
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(TaxSchedule::LevelOfRate(found[0].Rate), 0);
}

TEST(AntiYearAward, NoBonusBeyondADoubleRaisesOverflow)
{
    EXPECT_THROW(TAntiYearAwardManager().Calculate(false, 1.7e308, 8000, 0), EAmountOverflow);
}
