#pragma once

// Writes the JPEG pictures with libjpeg's compressor: baseline, full-resolution
// colour (no chroma subsampling), so the small coloured text stays sharp.

#include <QImage>
#include <QString>

class TJpegWriter
{
public:
    // Throws std::runtime_error when the file cannot be written.
    static void Write(const QImage& image, const QString& path, int quality);
};
