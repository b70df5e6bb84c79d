#pragma once

// A dead zone of the year-end bonus: just above 12 × a level bound (plus the
// month's shortfall) the higher rate takes the whole bonus and the one quick
// deduction does not make up for it, so a larger bonus leaves less after tax
// until the higher level catches up. Bonuses B with From < B < To lie inside;
// both ends leave at least AfterTaxAtFrom. Amounts in yuan.
class TDeadZoneInfo
{
public:
    int Level = 0;      // level index (1 to 6) of the bonuses inside
    double From = 0;    // the largest bonus in fen whose average stays at the bound
    double To = 0;      // the smallest bonus in fen above it that leaves AfterTaxAtFrom or more
    double ToExact = 0; // the bonus in that level that leaves exactly AfterTaxAtFrom
    double AfterTaxAtFrom = 0; // the after-tax bonus at From
};
