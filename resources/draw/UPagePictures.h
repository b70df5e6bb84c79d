#pragma once

// The pictures of the two calculator pages: the rate table, the bonus method
// and the two chat buttons.

#include <QImage>

namespace PagePictures {

QImage RateTable();   // 367 x 268
QImage BonusMethod(); // 333 x 158
QImage QqOnline();    // 74 x 22
QImage WangWang();    // 77 x 19

} // namespace PagePictures
