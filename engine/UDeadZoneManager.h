#pragma once

#include "UDeadZoneInfo.h"

#include <optional>

// Finds the dead zones of the year-end bonus with the bonus calculator itself, so
// that the ends are exactly where its figures put them. Works in whole fen; no
// zone is reported where an amount is too large for a Double to hold every fen.
class TDeadZoneManager
{
public:
    // The zone at the lower bound of the level index Level (1 to 6) for the month's
    // wage and contributions.
    std::optional<TDeadZoneInfo> Zone(bool IsForeign, int Level, double Income, double Golds) const;

    // The zone that holds the bonus, if any.
    std::optional<TDeadZoneInfo> Find(bool IsForeign, double YearAward, double Income,
                                      double Golds) const;
};
