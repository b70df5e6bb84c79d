#pragma once

// The application icon: a stack of gold coins, drawn afresh for each size so
// the small ones stay crisp instead of being scaled down.

#include <QImage>

namespace CoinIcon {

// A square image with alpha, size pixels wide.
QImage Draw(int size);

} // namespace CoinIcon
