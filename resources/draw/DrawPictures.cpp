// Draws the program's pictures and icon into a directory:
//   draw-pictures <directory>
// The files it writes are committed and compiled into the program as resources.

#include "UArtKit.h"
#include "UBanners.h"
#include "UCoinIcon.h"
#include "UIcoWriter.h"
#include "UJpegWriter.h"
#include "UPagePictures.h"
#include "UPaletteQuantizer.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFontInfo>
#include <QGuiApplication>

#include <cstdio>
#include <exception>
#include <stdexcept>

namespace {

// Small text and hard edges show JPEG ringing at lower settings.
constexpr int JpegQuality = 95;

void SaveImage(const QImage& image, const QDir& dir, const QString& name)
{
    const QString path = dir.filePath(name);
    if (!image.save(path))
        throw std::runtime_error("cannot write " + path.toStdString());
}

void SaveIndexed(const QImage& image, const QDir& dir, const QString& name)
{
    SaveImage(TPaletteQuantizer::ToIndexed8(image), dir, name);
}

void SaveJpeg(const QImage& image, const QDir& dir, const QString& name)
{
    TJpegWriter::Write(image, dir.filePath(name), JpegQuality);
}

// Transparent pixels of the 256-colour icon images become palette entry 0,
// transparent black, as the icon mask requires; half-covered edge pixels are
// made either solid or clear.
QImage IconIndexed(int size)
{
    QImage image = CoinIcon::Draw(size).convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < size; ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < size; ++x)
            line[x] = qAlpha(line[x]) < 128 ? qRgba(0, 0, 0, 0) : (line[x] | 0xFF000000u);
    }
    return TPaletteQuantizer::ToIndexed8(image, 256, {qRgba(0, 0, 0, 0)});
}

void DrawIcon(const QDir& dir)
{
    TIcoWriter ico;
    for (int size : {16, 32, 48})
        ico.AddIndexed(IconIndexed(size));
    for (int size : {16, 24, 32, 48, 64, 128, 256}) {
        const QImage image = CoinIcon::Draw(size);
        SaveImage(image, dir, QStringLiteral("levora-tax-%1.png").arg(size));
        if (size == 256)
            ico.AddPng(image);
        else
            ico.AddTrueColor(image);
    }
    ico.Save(dir.filePath("levora-tax.ico"));
}

} // namespace

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription("Draws the pictures and the icon of the tax calculator.");
    parser.addHelpOption();
    parser.addPositionalArgument("directory", "Where to write the files.");
    parser.process(app);
    if (parser.positionalArguments().size() != 1)
        parser.showHelp(2);

    const QString family = QFontInfo(ArtKit::Sans(12)).family();
    if (!family.contains("CJK") && !family.contains("Han") && !family.contains("WenQuanYi"))
        std::fprintf(stderr, "draw-pictures: warning: no Chinese font found, using %s\n",
                     qPrintable(family));

    try {
        const QDir dir(parser.positionalArguments().first());
        if (!dir.exists())
            throw std::runtime_error("no such directory: " + dir.path().toStdString());
        SaveJpeg(PagePictures::RateTable(), dir, "ratetable.jpg");
        SaveJpeg(PagePictures::BonusMethod(), dir, "bonusmethod.jpg");
        SaveIndexed(PagePictures::QqOnline(), dir, "qq-online.bmp");
        SaveIndexed(PagePictures::WangWang(), dir, "wangwang.bmp");
        SaveIndexed(Banners::Taobao(), dir, "banner-taobao.bmp");
        SaveIndexed(Banners::DangDang(), dir, "banner-dangdang.bmp");
        SaveIndexed(Banners::Amazon(), dir, "banner-amazon.bmp");
        DrawIcon(dir);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "draw-pictures: %s\n", e.what());
        return 1;
    }
    return 0;
}
