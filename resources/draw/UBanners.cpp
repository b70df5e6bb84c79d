#include "UBanners.h"

#include "UArtKit.h"

#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainterPath>
#include <QStringList>

#include <cmath>

namespace Banners {

namespace {

using namespace ArtKit;

QLinearGradient Vertical(qreal top, qreal bottom, const QColor& from, const QColor& to)
{
    QLinearGradient gradient(0, top, 0, bottom);
    gradient.setColorAt(0, from);
    gradient.setColorAt(1, to);
    return gradient;
}

// Two pages curving up from the spine, which stands at spine.x().
void OpenBook(QPainter& p, const QPointF& spine, qreal height, const QColor& color)
{
    const qreal w = height * 0.5;
    QPainterPath pages;
    for (int side : {-1, 1}) {
        const qreal edge = spine.x() + side * w;
        pages.moveTo(spine.x(), spine.y() + 3);
        pages.quadTo(spine.x() + side * w * 0.5, spine.y() - 1, edge, spine.y() + 1);
        pages.lineTo(edge, spine.y() + height - 3);
        pages.quadTo(spine.x() + side * w * 0.5, spine.y() + height - 5, spine.x(),
                     spine.y() + height - 1);
        pages.closeSubpath();
    }
    p.setPen(QPen(color.darker(130), 1));
    p.setBrush(color);
    p.drawPath(pages);
    p.setPen(QPen(QColor(255, 255, 255, 200), 1));
    for (int side : {-1, 1}) {
        for (int line = 0; line < 3; ++line) {
            const qreal y = spine.y() + 5 + line * 3;
            p.drawLine(QPointF(spine.x() + side * 2, y),
                       QPointF(spine.x() + side * (w - 2), y - 1));
        }
    }
}

} // namespace

QImage Taobao()
{
    const QColor orange("#ff5a00");
    QImage image = Canvas(167, 63, Qt::white);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);

    p.fillRect(QRectF(0, 0, 167, 42), Vertical(0, 42, QColor("#fffaf3"), QColor("#ffe9d6")));
    p.setPen(QColor("#ffc89e"));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(0.5, 0.5, 166, 62));

    // Word-mark: the name in heavy orange type with the address beside it.
    p.setFont(Sans(27, true));
    ShadowedText(p, QRectF(10, 1, 90, 40), Qt::AlignLeft | Qt::AlignVCenter,
                 QStringLiteral("淘宝网"), orange, QColor("#ffd2b0"));
    p.setFont(Sans(11, true));
    p.setPen(orange);
    p.drawText(QRectF(98, 7, 66, 16), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Taobao"));
    p.setFont(Sans(10));
    p.setPen(QColor("#8a7a6e"));
    p.drawText(QRectF(98, 20, 66, 14), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral(".com"));

    // The special-sales line on an orange band.
    p.setPen(Qt::NoPen);
    p.setBrush(Vertical(42, 63, QColor("#ff8a2a"), QColor("#ff5000")));
    p.drawRect(QRectF(0, 42, 167, 21));
    p.setFont(Sans(12, true));
    ShadowedText(p, QRectF(0, 42, 167, 21), Qt::AlignCenter, QStringLiteral("特卖频道 天天低价 »"),
                 Qt::white, QColor("#c23c00"));
    return image;
}

QImage DangDang()
{
    const QColor red("#d9232d");
    QImage image = Canvas(120, 60, Qt::white);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);

    p.setPen(QColor("#f2b8b8"));
    p.drawRect(QRectF(0.5, 0.5, 119, 59));

    // Word-mark: an open book before the name.
    OpenBook(p, QPointF(23.5, 9), 16, red);
    p.setFont(Sans(21, true));
    p.setPen(red);
    p.drawText(QRectF(35, 2, 84, 28), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("当当网"));
    p.setFont(Sans(10));
    p.setPen(QColor("#6e6e6e"));
    p.drawText(QRectF(36, 25, 83, 14), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("dangdang.com"));

    p.setPen(Qt::NoPen);
    p.setBrush(Vertical(40, 60, QColor("#e8414a"), QColor("#c0141f")));
    p.drawRect(QRectF(1, 40, 118, 19));
    p.setFont(Sans(11, true));
    ShadowedText(p, QRectF(1, 40, 118, 19), Qt::AlignCenter, QStringLiteral("好书低价 送货上门"),
                 Qt::white, QColor("#8c0d15"));
    return image;
}

QImage Amazon()
{
    const QColor navy("#1e2d45");
    const QColor orange("#f7a21b");
    QImage image = Canvas(468, 60, Qt::white);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);

    // Logo block.
    p.fillRect(QRectF(0, 0, 132, 60), Vertical(0, 60, QColor("#2c4060"), navy));
    p.setFont(Sans(21, true));
    ShadowedText(p, QRectF(0, 4, 132, 32), Qt::AlignCenter, QStringLiteral("卓越亚马逊"), Qt::white,
                 QColor("#0c1626"));
    p.setPen(Qt::NoPen);
    p.setBrush(orange);
    p.drawRoundedRect(QRectF(18, 37, 96, 3), 1.5, 1.5);
    p.setFont(Sans(11));
    p.setPen(QColor("#ffd48a"));
    p.drawText(QRectF(0, 41, 132, 16), Qt::AlignCenter, QStringLiteral("joyo.com"));

    // Departments under a headline.
    const qreal middle = 134;
    const qreal middleWidth = 244;
    p.fillRect(QRectF(132, 0, 336, 60), Vertical(0, 60, QColor("#ffffff"), QColor("#eef2f7")));
    p.setPen(QColor("#c9d2de"));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(132.5, 0.5, 335, 59));
    p.setFont(Sans(14, true));
    p.setPen(navy);
    p.drawText(QRectF(middle, 4, middleWidth, 24), Qt::AlignCenter,
               QStringLiteral("网上购物 正品低价 货到付款"));

    const QStringList departments{
        QStringLiteral("图书"),     QStringLiteral("音乐影视"), QStringLiteral("软件"),
        QStringLiteral("数码家电"), QStringLiteral("家居用品"),
    };
    const QFont tagFont = Sans(11);
    const QFontMetricsF metrics(tagFont);
    const qreal padding = 4;
    const qreal spacing = 4;
    qreal total = -spacing;
    for (const QString& name : departments)
        total += metrics.horizontalAdvance(name) + 2 * padding + spacing;
    qreal x = middle + std::floor((middleWidth - total) / 2) + 0.5;
    p.setFont(tagFont);
    for (const QString& name : departments) {
        const qreal width = std::round(metrics.horizontalAdvance(name) + 2 * padding);
        const QRectF tag(x, 32.5, width, 18);
        p.setPen(QColor("#9fb0c6"));
        p.setBrush(Qt::white);
        p.drawRoundedRect(tag, 3, 3);
        p.setPen(QColor("#24364f"));
        p.drawText(tag, Qt::AlignCenter, name);
        x += width + spacing;
    }

    // The click-here button.
    const QRectF button(380.5, 14.5, 80, 31);
    p.setPen(QColor("#b86a00"));
    p.setBrush(Vertical(button.top(), button.bottom(), QColor("#ffd57a"), QColor("#f39200")));
    p.drawRoundedRect(button, 6, 6);
    p.setPen(QColor("#fff2c8"));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(button.adjusted(1, 1, -1, -1), 5, 5);
    p.setFont(Sans(13, true));
    p.setPen(QColor("#3b2300"));
    p.drawText(button, Qt::AlignCenter, QStringLiteral("点击这里 »"));
    return image;
}

} // namespace Banners
