#include "UCoinIcon.h"

#include "UArtKit.h"

#include <QLinearGradient>
#include <QPainterPath>
#include <QRadialGradient>

#include <array>
#include <cmath>

namespace CoinIcon {

namespace {

const QColor Outline("#7a4b00");
const QColor SideDark("#a66a00");
const QColor SideLight("#ffd65a");
const QColor FaceLight("#fff0a8");
const QColor FaceDark("#f2ae12");
const QColor Engraving("#c07f00");

struct TCoin
{
    qreal X; // centre of the top face
    qreal Y;
    qreal Rx; // radii of the faces
    qreal Ry;
    qreal Height; // thickness of the rim
};

struct TStyle
{
    qreal Line;   // outline width in pixels
    bool Reeding; // fine grooves on the rim
    bool Symbol;  // a yuan sign on the top face
};

void DrawCoin(QPainter& p, const TCoin& c, const TStyle& style, bool top)
{
    const QRectF face(c.X - c.Rx, c.Y - c.Ry, 2 * c.Rx, 2 * c.Ry);
    const QRectF base = face.translated(0, c.Height);

    QPainterPath rim;
    rim.moveTo(c.X - c.Rx, c.Y);
    rim.lineTo(c.X - c.Rx, c.Y + c.Height);
    rim.arcTo(base, 180, 180);
    rim.lineTo(c.X + c.Rx, c.Y);
    rim.arcTo(face, 0, -180);
    rim.closeSubpath();

    // The rim is a cylinder: dark at both ends, brightest a little left of centre.
    QLinearGradient side(c.X - c.Rx, 0, c.X + c.Rx, 0);
    side.setColorAt(0, SideDark);
    side.setColorAt(0.35, SideLight);
    side.setColorAt(0.6, QColor("#f0b428"));
    side.setColorAt(1, SideDark);
    p.setPen(QPen(Outline, style.Line));
    p.setBrush(side);
    p.drawPath(rim);

    if (style.Reeding) {
        p.save();
        p.setClipPath(rim);
        p.setPen(QPen(QColor(122, 75, 0, 90), style.Line * 0.6));
        const int grooves = 36;
        for (int i = 1; i < grooves; ++i) {
            const qreal angle = M_PI * i / grooves;
            const qreal x = c.X - c.Rx * std::cos(angle);
            const qreal y = c.Y + c.Ry * std::sin(angle);
            p.drawLine(QPointF(x, y + style.Line), QPointF(x, y + c.Height - style.Line));
        }
        p.restore();
    }

    QRadialGradient shine(c.X - c.Rx * 0.3, c.Y - c.Ry * 0.4, c.Rx * 1.3);
    shine.setColorAt(0, FaceLight);
    shine.setColorAt(1, FaceDark);
    p.setPen(QPen(Outline, style.Line));
    p.setBrush(shine);
    p.drawEllipse(face);

    if (!top || !style.Symbol)
        return;
    p.setPen(QPen(Engraving, style.Line * 0.8));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(face.adjusted(c.Rx * 0.16, c.Ry * 0.16, -c.Rx * 0.16, -c.Ry * 0.16));

    // The sign is drawn upright and squashed to lie flat on the face.
    p.save();
    p.translate(c.X, c.Y);
    p.scale(1, c.Ry / c.Rx * 1.25);
    QFont font = ArtKit::Sans(c.Rx * 1.0, true);
    p.setFont(font);
    const QRectF box(-c.Rx, -c.Rx * 0.62, 2 * c.Rx, 1.2 * c.Rx);
    p.setPen(QColor("#fff6cf"));
    p.drawText(box.translated(c.Rx * 0.03, c.Rx * 0.04), Qt::AlignCenter, QStringLiteral("¥"));
    p.setPen(Engraving);
    p.drawText(box, Qt::AlignCenter, QStringLiteral("¥"));
    p.restore();
}

void DrawStack(QPainter& p, TCoin bottom, int count, const TStyle& style,
               const std::array<qreal, 8>& shift)
{
    for (int i = 0; i < count; ++i) {
        TCoin coin = bottom;
        coin.X += shift[static_cast<std::size_t>(i)];
        coin.Y -= i * bottom.Height;
        DrawCoin(p, coin, style, i == count - 1);
    }
}

} // namespace

QImage Draw(int size)
{
    QImage image = ArtKit::ClearCanvas(size);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);

    if (size < 32) {
        // One short stack; at this size two would be a blur of gold.
        const qreal s = size / 16.0;
        const TStyle style{1.0, false, false};
        const TCoin coin{8 * s, 10.5 * s, 6.5 * s, 2.6 * s, 2.5 * s};
        DrawStack(p, coin, size < 24 ? 3 : 4, style, {});
        return image;
    }

    // Two stacks in a 256-unit square, the taller one behind.
    p.scale(size / 256.0, size / 256.0);
    const qreal line = 256.0 / size * (size >= 128 ? 1.5 : 1.0);
    const TStyle style{line, size >= 64, size >= 64};
    const TCoin back{158, 164, 76, 28, 20};
    const TCoin front{96, 196, 76, 28, 20};
    if (size >= 48) {
        DrawStack(p, back, 6, style, {0, 3, -2, 2, -3, 1, 0, 0});
        DrawStack(p, front, 4, style, {0, -3, 2, -1, 0, 0, 0, 0});
    } else {
        DrawStack(p, back, 5, style, {});
        DrawStack(p, front, 3, style, {});
    }
    return image;
}

} // namespace CoinIcon
