#pragma once

// Helpers shared by the drawings: the font, canvases and shadowed type.

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QRectF>
#include <QString>

namespace ArtKit {

// Noto Sans CJK SC, or the nearest Chinese sans-serif face that is installed.
QFont Sans(qreal pixelSize, bool bold = false);

// An opaque canvas filled with one colour.
QImage Canvas(int width, int height, const QColor& background);
// A transparent canvas for the icon.
QImage ClearCanvas(int size);

// Text with a one-pixel shadow below and right of it, for type on colour.
void ShadowedText(QPainter& painter, const QRectF& box, int flags, const QString& text,
                  const QColor& color, const QColor& shadow);

} // namespace ArtKit
