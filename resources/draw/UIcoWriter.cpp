#include "UIcoWriter.h"

#include <QBuffer>
#include <QFile>

#include <stdexcept>

namespace {

void PutU16(QByteArray& out, int value)
{
    out.append(static_cast<char>(value & 0xFF));
    out.append(static_cast<char>((value >> 8) & 0xFF));
}

void PutU32(QByteArray& out, quint32 value)
{
    for (int shift = 0; shift < 32; shift += 8)
        out.append(static_cast<char>((value >> shift) & 0xFF));
}

int RowBytes(int width, int bitCount)
{
    return (width * bitCount + 31) / 32 * 4;
}

// A bitmap inside an icon has no file header, declares twice its height (colour
// rows, then mask rows) and stores its rows bottom-up.
QByteArray InfoHeader(int width, int height, int bitCount, int colorCount)
{
    QByteArray out;
    PutU32(out, 40);
    PutU32(out, static_cast<quint32>(width));
    PutU32(out, static_cast<quint32>(height * 2));
    PutU16(out, 1);
    PutU16(out, bitCount);
    PutU32(out, 0);
    const int size = (RowBytes(width, bitCount) + RowBytes(width, 1)) * height;
    PutU32(out, static_cast<quint32>(size));
    PutU32(out, 0);
    PutU32(out, 0);
    PutU32(out, static_cast<quint32>(colorCount));
    PutU32(out, 0);
    return out;
}

template <typename IsTransparent>
QByteArray Mask(int width, int height, IsTransparent isTransparent)
{
    QByteArray out;
    const int rowBytes = RowBytes(width, 1);
    for (int y = height - 1; y >= 0; --y) {
        QByteArray row(rowBytes, '\0');
        for (int x = 0; x < width; ++x) {
            if (isTransparent(x, y))
                row[x / 8] = static_cast<char>(row[x / 8] | (0x80 >> (x % 8)));
        }
        out.append(row);
    }
    return out;
}

} // namespace

void TIcoWriter::AddIndexed(const QImage& image)
{
    const QList<QRgb> palette = image.colorTable();
    QByteArray data = InfoHeader(image.width(), image.height(), 8, 256);
    for (int i = 0; i < 256; ++i) {
        const QRgb c = i < palette.size() ? palette[i] : 0;
        data.append(static_cast<char>(qBlue(c)));
        data.append(static_cast<char>(qGreen(c)));
        data.append(static_cast<char>(qRed(c)));
        data.append('\0');
    }
    const int rowBytes = RowBytes(image.width(), 8);
    for (int y = image.height() - 1; y >= 0; --y) {
        QByteArray row(rowBytes, '\0');
        const uchar* line = image.constScanLine(y);
        for (int x = 0; x < image.width(); ++x)
            row[x] = static_cast<char>(line[x]);
        data.append(row);
    }
    data.append(Mask(image.width(), image.height(),
                     [&](int x, int y) { return qAlpha(palette[image.pixelIndex(x, y)]) == 0; }));
    Entries.append({image.width(), image.height(), 8, data});
}

void TIcoWriter::AddTrueColor(const QImage& image)
{
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    QByteArray data = InfoHeader(argb.width(), argb.height(), 32, 0);
    for (int y = argb.height() - 1; y >= 0; --y) {
        const auto* line = reinterpret_cast<const QRgb*>(argb.constScanLine(y));
        for (int x = 0; x < argb.width(); ++x)
            PutU32(data, qAlpha(line[x]) == 0 ? 0u : line[x]);
    }
    data.append(Mask(argb.width(), argb.height(),
                     [&](int x, int y) { return qAlpha(argb.pixel(x, y)) == 0; }));
    Entries.append({argb.width(), argb.height(), 32, data});
}

void TIcoWriter::AddPng(const QImage& image)
{
    QByteArray data;
    QBuffer buffer(&data);
    buffer.open(QIODevice::WriteOnly);
    image.convertToFormat(QImage::Format_ARGB32).save(&buffer, "PNG");
    Entries.append({image.width(), image.height(), 32, data});
}

void TIcoWriter::Save(const QString& path) const
{
    QByteArray out;
    PutU16(out, 0);
    PutU16(out, 1);
    PutU16(out, static_cast<int>(Entries.size()));
    quint32 offset = 6 + 16 * static_cast<quint32>(Entries.size());
    for (const TEntry& entry : Entries) {
        // 256 does not fit the byte and is written as 0.
        out.append(static_cast<char>(entry.Width & 0xFF));
        out.append(static_cast<char>(entry.Height & 0xFF));
        out.append('\0');
        out.append('\0');
        PutU16(out, 1);
        PutU16(out, entry.BitCount);
        PutU32(out, static_cast<quint32>(entry.Data.size()));
        PutU32(out, offset);
        offset += static_cast<quint32>(entry.Data.size());
    }
    for (const TEntry& entry : Entries)
        out.append(entry.Data);

    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(out) != out.size())
        throw std::runtime_error("cannot write " + path.toStdString());
}
