#pragma once

#include "UYearAwardInfo.h"

// Tax on a one-time year-end bonus: a twelfth of the bonus selects the level and
// one quick deduction is subtracted. Checks no argument; raises EAmountOverflow
// only when a result does not fit into a Double.
class TYearAwardManager
{
public:
    TYearAwardInfo Calculate(bool IsForeign, double YearAward, double Income, double Golds) const;
};
