#include "UPagePictures.h"

#include "UArtKit.h"
#include "UTaxSchedule.h"

#include <QFontMetricsF>
#include <QLinearGradient>
#include <QLocale>
#include <QRadialGradient>
#include <QStringList>
#include <QTextLayout>

#include <algorithm>
#include <array>
#include <cmath>
#include <memory>
#include <vector>

namespace PagePictures {

namespace {

using namespace ArtKit;

QString Thousands(int amount)
{
    return QLocale(QLocale::English).toString(amount);
}

QString Percent(double rate)
{
    return QString::number(qRound(rate * 100)) + "%";
}

void ChatButton(QPainter& p, const QRectF& box, const QColor& top, const QColor& bottom,
                const QColor& border)
{
    QLinearGradient fill(box.topLeft(), box.bottomLeft());
    fill.setColorAt(0, top);
    fill.setColorAt(1, bottom);
    p.setPen(QPen(border, 1));
    p.setBrush(fill);
    p.drawRoundedRect(box, 3, 3);
}

// A little penguin of our own, standing for the QQ messenger.
void Penguin(QPainter& p, const QRectF& box)
{
    const qreal w = box.width();
    const qreal h = box.height();
    auto at = [&](qreal fx, qreal fy, qreal fw, qreal fh) {
        return QRectF(box.x() + fx * w, box.y() + fy * h, fw * w, fh * h);
    };
    p.setPen(Qt::NoPen);
    p.setBrush(QColor("#f2a516"));
    p.drawEllipse(at(0.12, 0.86, 0.36, 0.14));
    p.drawEllipse(at(0.52, 0.86, 0.36, 0.14));
    p.setBrush(QColor("#1a1a1a"));
    p.drawEllipse(at(0.08, 0.00, 0.84, 0.95));
    p.setBrush(Qt::white);
    p.drawEllipse(at(0.22, 0.40, 0.56, 0.52));
    p.drawEllipse(at(0.26, 0.12, 0.20, 0.20));
    p.drawEllipse(at(0.54, 0.12, 0.20, 0.20));
    p.setBrush(QColor("#1a1a1a"));
    p.drawEllipse(at(0.34, 0.17, 0.09, 0.11));
    p.drawEllipse(at(0.57, 0.17, 0.09, 0.11));
    p.setBrush(QColor("#f2a516"));
    p.drawEllipse(at(0.34, 0.30, 0.32, 0.12));
    p.setBrush(QColor("#e02020"));
    p.drawRoundedRect(at(0.14, 0.44, 0.72, 0.10), 1, 1);
}

// A round smiling face with a headset, standing for the WangWang messenger.
void ChatFace(QPainter& p, const QRectF& box)
{
    p.setPen(QPen(QColor("#1f6fc4"), 1));
    QRadialGradient fill(box.center() - QPointF(2, 2), box.width() * 0.7);
    fill.setColorAt(0, QColor("#8cc8ff"));
    fill.setColorAt(1, QColor("#2f86e0"));
    p.setBrush(fill);
    p.drawEllipse(box);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    const qreal s = box.width();
    p.drawEllipse(QRectF(box.x() + s * 0.24, box.y() + s * 0.28, s * 0.18, s * 0.22));
    p.drawEllipse(QRectF(box.x() + s * 0.58, box.y() + s * 0.28, s * 0.18, s * 0.22));
    p.setPen(QPen(Qt::white, 1.2, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(box.x() + s * 0.28, box.y() + s * 0.42, s * 0.44, s * 0.34), 200 * 16,
              140 * 16);
    p.setPen(QPen(QColor("#f07c00"), 1.4, Qt::SolidLine, Qt::RoundCap));
    p.drawArc(box.adjusted(-1, -1, 1, 1), 20 * 16, 140 * 16);
}

} // namespace

QImage RateTable()
{
    const QColor grid("#7d90a8");
    const QColor titleFill("#5f7fa6");
    const QColor headFill("#c6d4e5");
    const QColor headInk("#1f3049");
    const std::array<QColor, 2> rowFill{QColor("#fff6cc"), QColor("#deebf8")};
    const QColor ink("#1b1b1b");

    QImage image = Canvas(367, 268, Qt::white);
    QPainter p(&image);
    p.setRenderHint(QPainter::TextAntialiasing);

    // Column edges: level, above, up to and including, rate, quick deduction.
    const std::array<int, 6> x{0, 46, 128, 214, 270, 366};
    const int titleBottom = 32;
    const int headMiddle = 55;
    const int headBottom = 78;
    const int bodyBottom = 267;
    auto rowTop = [&](int row) { return headBottom + (bodyBottom - headBottom) * row / 7; };

    p.fillRect(QRect(0, 0, 367, titleBottom), titleFill);
    p.fillRect(QRect(0, titleBottom, 367, headBottom - titleBottom), headFill);
    for (int row = 0; row < 7; ++row)
        p.fillRect(QRect(0, rowTop(row), 367, rowTop(row + 1) - rowTop(row)), rowFill[row % 2]);

    p.setPen(grid);
    p.drawRect(0, 0, 366, 267);
    p.drawLine(0, titleBottom, 366, titleBottom);
    p.drawLine(x[1], headMiddle, x[3], headMiddle);
    for (int row = 0; row < 7; ++row)
        p.drawLine(0, rowTop(row), 366, rowTop(row));
    for (int i = 1; i < 5; ++i)
        p.drawLine(x[i], i == 2 ? headMiddle : titleBottom, x[i], bodyBottom);

    p.setFont(Sans(15, true));
    ShadowedText(p, QRectF(0, 0, 367, titleBottom), Qt::AlignCenter,
                 QStringLiteral("7级超额累进个人所得税税率表"), Qt::white, QColor("#3f5a7c"));

    auto cell = [&](int first, int last, int top, int bottom) {
        return QRectF(x[first] + 1, top + 1, x[last] - x[first] - 1, bottom - top - 1);
    };
    p.setFont(Sans(13, true));
    p.setPen(headInk);
    p.drawText(cell(0, 1, titleBottom, headBottom), Qt::AlignCenter, QStringLiteral("级数"));
    p.drawText(cell(1, 3, titleBottom, headMiddle), Qt::AlignCenter,
               QStringLiteral("全月应纳税所得额"));
    p.drawText(cell(1, 2, headMiddle, headBottom), Qt::AlignCenter, QStringLiteral("大于"));
    p.drawText(cell(2, 3, headMiddle, headBottom), Qt::AlignCenter, QStringLiteral("小于等于"));
    p.drawText(cell(3, 4, titleBottom, headBottom), Qt::AlignCenter, QStringLiteral("税率"));
    p.drawText(cell(4, 5, titleBottom, headBottom), Qt::AlignCenter, QStringLiteral("速算扣除数"));

    // Amounts and rates are right-aligned so their digits line up, and each column
    // of them is centred under its heading.
    const QFont bodyFont = Sans(13);
    p.setFont(bodyFont);
    const QFontMetricsF metrics(bodyFont);
    auto cellText = [](int column, int row) {
        switch (column) {
        case 1:
            return Thousands(TaxSchedule::LevelBounds[row]);
        case 2:
            return row < 6 ? Thousands(TaxSchedule::LevelBounds[row + 1]) : QString();
        case 3:
            return Percent(TaxSchedule::TaxRates[row]);
        default:
            return Thousands(TaxSchedule::Deducts[row]);
        }
    };
    auto rightPad = [&](int column) {
        qreal widest = 0;
        for (int row = 0; row < 7; ++row)
            widest = std::max(widest, metrics.horizontalAdvance(cellText(column, row)));
        return std::floor((x[column + 1] - x[column] - widest) / 2);
    };
    const std::array<qreal, 5> pad{0, rightPad(1), rightPad(2), rightPad(3), rightPad(4)};

    for (int row = 0; row < 7; ++row) {
        const int top = rowTop(row);
        const int bottom = rowTop(row + 1);
        p.setPen(ink);
        p.drawText(cell(0, 1, top, bottom), Qt::AlignCenter, QString::number(row + 1));
        for (int column : {1, 2, 3, 4}) {
            p.drawText(cell(column, column + 1, top, bottom).adjusted(0, 0, -pad[column], 0),
                       Qt::AlignRight | Qt::AlignVCenter, cellText(column, row));
        }
    }
    // The top level has no upper bound.
    p.setPen(QColor("#8a8a8a"));
    p.drawText(cell(2, 3, rowTop(6), rowTop(7)), Qt::AlignCenter, QStringLiteral("—"));
    return image;
}

QImage BonusMethod()
{
    const QStringList paragraphs{
        QStringLiteral("纳税人取得全年一次性奖金，单独作为一个月工资、薪金所得计算纳税，"
                       "由扣缴义务人发放时代扣代缴。"),
        QStringLiteral("先将当月取得的全年一次性奖金除以12个月，按其商数确定适用税率"
                       "和速算扣除数。"),
        QStringLiteral("如果雇员当月工资薪金所得低于税法规定的费用扣除额，应将全年一次性"
                       "奖金减除二者的差额，以余额按上述办法确定适用税率和速算扣除数。"),
    };
    const QFont font = Sans(12);
    const qreal indent = 21;
    const qreal lineHeight = 19;
    const qreal gap = 8;

    // Lay the paragraphs out first, so the block can be centred vertically.
    std::vector<std::unique_ptr<QTextLayout>> layouts;
    qreal height = -gap;
    for (const QString& text : paragraphs) {
        auto& layout = layouts.emplace_back(std::make_unique<QTextLayout>(text, font));
        layout->beginLayout();
        qreal y = 0;
        for (QTextLine line = layout->createLine(); line.isValid(); line = layout->createLine()) {
            line.setLineWidth(333 - indent - 4);
            line.setPosition(QPointF(0, y + (lineHeight - line.height()) / 2));
            y += lineHeight;
        }
        layout->endLayout();
        height += y + gap;
    }

    QImage image = Canvas(333, 158, Qt::white);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    qreal top = std::floor((158 - height) / 2);
    for (std::size_t i = 0; i < layouts.size(); ++i) {
        // The number sits in a badge left of the text, so the lines stay aligned.
        const QRectF badge(3, top + 2.5, 14, 14);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor("#4f74a3"));
        p.drawEllipse(badge);
        p.setPen(Qt::white);
        p.setFont(Sans(10, true));
        p.drawText(badge, Qt::AlignCenter, QString::number(i + 1));

        p.setPen(QColor("#222222"));
        layouts[i]->draw(&p, QPointF(indent, top));
        top += layouts[i]->lineCount() * lineHeight + gap;
    }
    return image;
}

QImage QqOnline()
{
    QImage image = Canvas(74, 22, Qt::white);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    ChatButton(p, QRectF(0.5, 0.5, 73, 21), QColor("#ffffff"), QColor("#dce8f7"),
               QColor("#7fa3d1"));
    Penguin(p, QRectF(4, 2.5, 14, 17));
    p.setFont(Sans(12, true));
    p.setPen(QColor("#1c4f8f"));
    p.drawText(QRectF(21, 0, 52, 21), Qt::AlignCenter, QStringLiteral("QQ在线"));
    return image;
}

QImage WangWang()
{
    QImage image = Canvas(77, 19, Qt::white);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    ChatButton(p, QRectF(0.5, 0.5, 76, 18), QColor("#fffaf0"), QColor("#ffe0a8"),
               QColor("#e79a3c"));
    ChatFace(p, QRectF(3.5, 2.5, 14, 14));
    p.setFont(Sans(12));
    p.setPen(QColor("#a54800"));
    p.drawText(QRectF(20, 0, 55, 18), Qt::AlignCenter, QStringLiteral("和我联系"));
    return image;
}

} // namespace PagePictures
