#include "UPaletteQuantizer.h"

#include <QHash>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <limits>
#include <vector>

namespace {

struct TColorCount
{
    QRgb Color;
    qint64 Count;
};

using TChannels = std::array<int, 4>;

TChannels ChannelsOf(QRgb c)
{
    return {qRed(c), qGreen(c), qBlue(c), qAlpha(c)};
}

struct TBox
{
    std::vector<TColorCount>::iterator Begin;
    std::vector<TColorCount>::iterator End;
    qint64 Weight = 0;
    int WidestChannel = 0;
    int Range = 0;

    void Measure()
    {
        TChannels lo{255, 255, 255, 255};
        TChannels hi{0, 0, 0, 0};
        Weight = 0;
        for (auto it = Begin; it != End; ++it) {
            const TChannels ch = ChannelsOf(it->Color);
            for (int i = 0; i < 4; ++i) {
                lo[i] = std::min(lo[i], ch[i]);
                hi[i] = std::max(hi[i], ch[i]);
            }
            Weight += it->Count;
        }
        Range = 0;
        for (int i = 0; i < 4; ++i) {
            if (hi[i] - lo[i] > Range) {
                Range = hi[i] - lo[i];
                WidestChannel = i;
            }
        }
    }

    bool CanSplit() const { return End - Begin > 1; }

    // Boxes with many pixels and a wide spread are split first, so large flat
    // areas and well-used text shades get colours of their own.
    double Priority() const { return CanSplit() ? static_cast<double>(Weight) * Range : -1.0; }

    // A box that one colour dominates keeps that colour exactly instead of
    // drifting towards its stray neighbours.
    QRgb Representative() const
    {
        const auto top =
            std::max_element(Begin, End, [](const TColorCount& a, const TColorCount& b) {
                return a.Count < b.Count;
            });
        if (top->Count * 2 >= Weight)
            return top->Color;
        std::array<double, 4> sum{};
        for (auto it = Begin; it != End; ++it) {
            const TChannels ch = ChannelsOf(it->Color);
            for (int i = 0; i < 4; ++i)
                sum[i] += static_cast<double>(ch[i]) * static_cast<double>(it->Count);
        }
        auto mean = [&](int i) {
            return static_cast<int>(std::lround(sum[i] / static_cast<double>(Weight)));
        };
        return qRgba(mean(0), mean(1), mean(2), mean(3));
    }
};

std::vector<TBox> MedianCut(std::vector<TColorCount>& colors, int boxCount)
{
    std::vector<TBox> boxes;
    if (colors.empty() || boxCount <= 0)
        return boxes;
    boxes.push_back({colors.begin(), colors.end()});
    boxes.back().Measure();
    while (static_cast<int>(boxes.size()) < boxCount) {
        auto widest =
            std::max_element(boxes.begin(), boxes.end(), [](const TBox& a, const TBox& b) {
                return a.Priority() < b.Priority();
            });
        if (!widest->CanSplit())
            break;
        const int channel = widest->WidestChannel;
        std::sort(widest->Begin, widest->End,
                  [channel](const TColorCount& a, const TColorCount& b) {
                      return ChannelsOf(a.Color)[channel] < ChannelsOf(b.Color)[channel];
                  });
        // Split at the weighted median, leaving at least one colour on each side.
        qint64 seen = 0;
        auto middle = widest->Begin;
        while (middle + 1 != widest->End && (seen + middle->Count) * 2 <= widest->Weight)
            seen += (middle++)->Count;
        if (middle == widest->Begin)
            ++middle;
        TBox upper{middle, widest->End};
        widest->End = middle;
        widest->Measure();
        upper.Measure();
        boxes.push_back(upper);
    }
    return boxes;
}

int Distance(QRgb a, QRgb b)
{
    const TChannels x = ChannelsOf(a);
    const TChannels y = ChannelsOf(b);
    int d = 0;
    for (int i = 0; i < 4; ++i)
        d += (x[i] - y[i]) * (x[i] - y[i]);
    return d;
}

} // namespace

QImage TPaletteQuantizer::ToIndexed8(const QImage& image, int maxColors,
                                     const QList<QRgb>& reserved)
{
    const QImage source = image.convertToFormat(QImage::Format_ARGB32);
    QHash<QRgb, qint64> histogram;
    for (int y = 0; y < source.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(source.constScanLine(y));
        for (int x = 0; x < source.width(); ++x)
            ++histogram[line[x]];
    }
    std::vector<TColorCount> colors;
    for (auto it = histogram.cbegin(); it != histogram.cend(); ++it) {
        if (!reserved.contains(it.key()))
            colors.push_back({it.key(), it.value()});
    }
    // A stable order makes the same drawing give the same file on every run.
    std::sort(colors.begin(), colors.end(),
              [](const TColorCount& a, const TColorCount& b) { return a.Color < b.Color; });

    QList<QRgb> palette = reserved;
    const int free = maxColors - static_cast<int>(reserved.size());
    if (static_cast<int>(colors.size()) <= free) {
        for (const TColorCount& c : colors)
            palette.append(c.Color);
    } else {
        for (const TBox& box : MedianCut(colors, free))
            palette.append(box.Representative());
    }

    QImage result(source.size(), QImage::Format_Indexed8);
    // Clears the row padding as well, which the bitmap writer copies into the file.
    std::memset(result.bits(), 0, static_cast<std::size_t>(result.sizeInBytes()));
    result.setColorTable(palette);
    QHash<QRgb, uchar> nearest;
    for (int y = 0; y < source.height(); ++y) {
        const auto* in = reinterpret_cast<const QRgb*>(source.constScanLine(y));
        uchar* out = result.scanLine(y);
        for (int x = 0; x < source.width(); ++x) {
            auto found = nearest.constFind(in[x]);
            if (found == nearest.cend()) {
                int best = 0;
                int bestDistance = std::numeric_limits<int>::max();
                for (int i = 0; i < palette.size(); ++i) {
                    const int d = Distance(in[x], palette[i]);
                    if (d < bestDistance) {
                        bestDistance = d;
                        best = i;
                    }
                }
                found = nearest.insert(in[x], static_cast<uchar>(best));
            }
            out[x] = *found;
        }
    }
    return result;
}
