#include "UJpegImage.h"

#include <QFile>

#include <csetjmp>
#include <cstdio>
#include <jpeglib.h>
#include <stdexcept>
#include <string>

namespace {

struct TErrorManager
{
    jpeg_error_mgr Base;
    std::jmp_buf Jump;
    char Message[JMSG_LENGTH_MAX];
};

// libjpeg's default would print and call exit(); jump back into ReadImage instead.
[[noreturn]] void FailOnError(j_common_ptr info)
{
    auto* errors = reinterpret_cast<TErrorManager*>(info->err);
    (*info->err->format_message)(info, errors->Message);
    std::longjmp(errors->Jump, 1);
}

void FailOnWarning(j_common_ptr info, int level)
{
    if (level < 0)
        FailOnError(info);
}

// Kept free of objects with destructors: a longjmp out of libjpeg lands here and
// must skip nothing. The image lives in the caller's frame.
bool ReadImage(jpeg_decompress_struct& info, TErrorManager& errors, const QByteArray& data,
               QImage* image)
{
    if (setjmp(errors.Jump))
        return false;

    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, reinterpret_cast<const unsigned char*>(data.constData()),
                 static_cast<unsigned long>(data.size()));
    jpeg_read_header(&info, TRUE);
    // Grey and colour input both come out as four bytes a pixel, in byte order.
    info.out_color_space = JCS_EXT_RGBX;
    jpeg_start_decompress(&info);

    *image = QImage(static_cast<int>(info.output_width), static_cast<int>(info.output_height),
                    QImage::Format_RGBX8888);
    if (image->isNull()) {
        std::snprintf(errors.Message, sizeof errors.Message, "JPEG image of %u x %u is too large",
                      info.output_width, info.output_height);
        return false;
    }
    while (info.output_scanline < info.output_height) {
        JSAMPROW row = image->scanLine(static_cast<int>(info.output_scanline));
        jpeg_read_scanlines(&info, &row, 1);
    }
    jpeg_finish_decompress(&info);
    return true;
}

bool IsJpeg(const QByteArray& data)
{
    return data.startsWith("\xFF\xD8");
}

} // namespace

QImage TJpegImage::Decode(const QByteArray& data)
{
    jpeg_decompress_struct info{};
    TErrorManager errors{};
    info.err = jpeg_std_error(&errors.Base);
    errors.Base.error_exit = FailOnError;
    errors.Base.emit_message = FailOnWarning;

    QImage image;
    const bool done = ReadImage(info, errors, data, &image);
    jpeg_destroy_decompress(&info);
    if (!done)
        throw std::runtime_error(std::string("cannot decode JPEG data: ") + errors.Message);
    return image;
}

QImage TJpegImage::LoadPicture(const QString& resourcePath)
{
    QFile file(resourcePath);
    if (!file.open(QIODevice::ReadOnly))
        throw std::runtime_error("picture not found: " + resourcePath.toStdString());
    const QByteArray data = file.readAll();
    if (IsJpeg(data))
        return Decode(data);
    QImage image = QImage::fromData(data);
    if (image.isNull())
        throw std::runtime_error("cannot read picture: " + resourcePath.toStdString());
    return image;
}
