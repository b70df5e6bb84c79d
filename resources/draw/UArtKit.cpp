#include "UArtKit.h"

#include <QStringList>

namespace ArtKit {

namespace {

QFont Face(const QStringList& families, qreal pixelSize, bool bold)
{
    QFont font;
    font.setFamilies(families);
    font.setPixelSize(qRound(pixelSize));
    font.setBold(bold);
    // Full hinting keeps the strokes of small Chinese text on whole pixels.
    font.setHintingPreference(QFont::PreferFullHinting);
    font.setStyleStrategy(QFont::PreferAntialias);
    return font;
}

} // namespace

QFont Sans(qreal pixelSize, bool bold)
{
    return Face({"Noto Sans CJK SC", "Source Han Sans SC", "WenQuanYi Micro Hei", "sans-serif"},
                pixelSize, bold);
}

QImage Canvas(int width, int height, const QColor& background)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(background);
    return image;
}

QImage ClearCanvas(int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

void ShadowedText(QPainter& painter, const QRectF& box, int flags, const QString& text,
                  const QColor& color, const QColor& shadow)
{
    painter.setPen(shadow);
    painter.drawText(box.translated(1, 1), flags, text);
    painter.setPen(color);
    painter.drawText(box, flags, text);
}

} // namespace ArtKit
