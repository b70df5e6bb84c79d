#pragma once

// Collects the images of a Windows icon and writes the .ico file.

#include <QByteArray>
#include <QImage>
#include <QList>
#include <QString>

class TIcoWriter
{
public:
    // An 8-bit image: a Format_Indexed8 image whose palette entries with alpha 0
    // are transparent. They go to the mask, so they should be black.
    void AddIndexed(const QImage& image);
    // A 32-bit image with alpha, stored as a bitmap.
    void AddTrueColor(const QImage& image);
    // A 32-bit image with alpha, stored as PNG, the usual form for 256 pixels.
    void AddPng(const QImage& image);

    // Throws std::runtime_error when the file cannot be written.
    void Save(const QString& path) const;

private:
    struct TEntry
    {
        int Width;
        int Height;
        int BitCount;
        QByteArray Data;
    };

    QList<TEntry> Entries;
};
