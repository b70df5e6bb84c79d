#include "UDeadZoneManager.h"

#include "UAntiYearAwardManager.h"
#include "UExtended.h"
#include "UTaxSchedule.h"
#include "UYearAwardManager.h"

#include <cmath>
#include <cstdint>

using namespace TaxSchedule;

namespace {

// Up to here a Double holds every fen with room to spare, and one fen more
// changes the after-tax bonus by far more than the rounding of the arithmetic.
constexpr double FenSafeAmount = 1e11;

bool FenSafe(double amount)
{
    return std::fabs(amount) <= FenSafeAmount;
}

// The Double nearest to a whole number of fen: the division is correctly rounded.
double Yuan(std::int64_t fen)
{
    return static_cast<double>(fen) / 100;
}

struct TBonusAt
{
    bool IsForeign;
    double Income, Golds;

    TYearAwardInfo operator()(std::int64_t fen) const
    {
        return TYearAwardManager().Calculate(IsForeign, Yuan(fen), Income, Golds);
    }
    int LevelOf(std::int64_t fen) const { return LevelOfRate((*this)(fen).Rate); }
    double AfterTax(std::int64_t fen) const { return (*this)(fen).IncomeAfterTax; }
};

} // namespace

std::optional<TDeadZoneInfo> TDeadZoneManager::Zone(bool IsForeign, int Level, double Income,
                                                    double Golds) const
{
    if (Level < 1 || Level >= static_cast<int>(LevelBounds.size()) || !FenSafe(Income) ||
        !FenSafe(Golds))
        return std::nullopt;
    const TBonusAt bonus{IsForeign, Income, Golds};

    // The bonus at the bound is 12 × bound + shortfall; the calculator decides the
    // last fen, as its rounding of the taxable bonus and the average may.
    const Extended shortfall =
        TYearAwardManager::Shortfall(IsForeign, Income, Golds).value_or(Extended(0));
    const double estimate = (Extended(12 * LevelBounds[Level]) + shortfall).ToDouble();
    if (!FenSafe(estimate))
        return std::nullopt;
    std::int64_t from = std::llround(estimate * 100);
    while (bonus.LevelOf(from) >= Level)
        --from;
    while (bonus.LevelOf(from + 1) < Level)
        ++from;

    TDeadZoneInfo z;
    z.Level = Level;
    z.From = Yuan(from);
    z.AfterTaxAtFrom = bonus.AfterTax(from);
    z.ToExact =
        TAntiYearAwardManager().SolveInLevel(IsForeign, z.AfterTaxAtFrom, Income, Golds, Level);

    // Above the bound the after-tax bonus grows by at least half a fen per fen.
    std::int64_t to = std::llround(std::ceil(z.ToExact * 100));
    while (to - 1 > from && bonus.AfterTax(to - 1) >= z.AfterTaxAtFrom)
        --to;
    while (bonus.AfterTax(to) < z.AfterTaxAtFrom)
        ++to;
    z.To = Yuan(to);
    return z;
}

std::optional<TDeadZoneInfo> TDeadZoneManager::Find(bool IsForeign, double YearAward, double Income,
                                                    double Golds) const
{
    const TYearAwardInfo r = TYearAwardManager().Calculate(IsForeign, YearAward, Income, Golds);
    const int level = LevelOfRate(r.Rate);
    if (level < 1 || !FenSafe(YearAward))
        return std::nullopt;
    auto zone = Zone(IsForeign, level, Income, Golds);
    if (zone && YearAward > zone->From && r.IncomeAfterTax < zone->AfterTaxAtFrom)
        return zone;
    return std::nullopt;
}
