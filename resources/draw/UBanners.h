#pragma once

// The three advertisement banners of the main window: stand-ins in each store's
// colours, drawn here rather than taken from the stores.

#include <QImage>

namespace Banners {

QImage Taobao();   // 167 x 63
QImage DangDang(); // 120 x 60
QImage Amazon();   // 468 x 60

} // namespace Banners
