#pragma once

#include "UExtended.h"
#include "UYearAwardInfo.h"

#include <optional>

// Tax on a one-time year-end bonus: a twelfth of the bonus selects the level and
// one quick deduction is subtracted. Checks no argument; raises EAmountOverflow
// only when a result does not fit into a Double.
class TYearAwardManager
{
public:
    TYearAwardInfo Calculate(bool IsForeign, double YearAward, double Income, double Golds) const;

    // What the month's wage after contributions lacks of the start point, unrounded
    // as Calculate takes it from the bonus; nullopt when the wage reaches it.
    static std::optional<Extended> Shortfall(bool IsForeign, double Income, double Golds);
};
