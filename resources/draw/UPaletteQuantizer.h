#pragma once

// Reduces a drawing to an 8-bit palette for the 256-colour pictures. Qt's own
// reduction dithers over a fixed colour cube, which speckles flat areas and small
// text; a palette fitted to the picture keeps both clean.

#include <QImage>
#include <QList>
#include <QRgb>

class TPaletteQuantizer
{
public:
    // An indexed image of at most maxColors colours. The reserved colours come
    // first in the palette and keep their exact value; the others are fitted by
    // median cut, without dithering. Pixels are compared with their alpha.
    static QImage ToIndexed8(const QImage& image, int maxColors = 256,
                             const QList<QRgb>& reserved = {});
};
