#pragma once

// JPEG pictures are decoded by libjpeg from memory, so the program does not
// depend on which Qt image plugins are deployed.

#include <QByteArray>
#include <QImage>
#include <QString>

class TJpegImage
{
public:
    // Throws std::runtime_error with libjpeg's message for data that is not a
    // complete, clean JPEG stream; libjpeg's warnings count as errors too, since
    // it would otherwise paint a truncated picture grey and carry on.
    static QImage Decode(const QByteArray& data);

    // A picture compiled into the program, by resource path. JPEG data goes
    // through Decode, anything else (BMP, PNG) through QImage. Throws
    // std::runtime_error when the resource is missing or cannot be read.
    static QImage LoadPicture(const QString& resourcePath);
};
