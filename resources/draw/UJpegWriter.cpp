#include "UJpegWriter.h"

#include <QFile>

#include <cstdio>
#include <cstdlib>
#include <jpeglib.h>
#include <stdexcept>

void TJpegWriter::Write(const QImage& image, const QString& path, int quality)
{
    const QImage rgb = image.convertToFormat(QImage::Format_RGB888);

    // The drawing program stops on any error, so libjpeg's default handler,
    // which prints the message and exits, is good enough here.
    jpeg_compress_struct info{};
    jpeg_error_mgr errors{};
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);

    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &buffer, &size);
    info.image_width = static_cast<JDIMENSION>(rgb.width());
    info.image_height = static_cast<JDIMENSION>(rgb.height());
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, quality, TRUE);
    info.optimize_coding = TRUE;
    for (int i = 0; i < info.num_components; ++i) {
        info.comp_info[i].h_samp_factor = 1;
        info.comp_info[i].v_samp_factor = 1;
    }
    jpeg_start_compress(&info, TRUE);
    while (info.next_scanline < info.image_height) {
        auto* row = const_cast<JSAMPLE*>(rgb.constScanLine(static_cast<int>(info.next_scanline)));
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);

    QFile file(path);
    const bool written = file.open(QIODevice::WriteOnly) &&
                         file.write(reinterpret_cast<const char*>(buffer),
                                    static_cast<qint64>(size)) == static_cast<qint64>(size);
    std::free(buffer);
    if (!written)
        throw std::runtime_error("cannot write " + path.toStdString());
}
