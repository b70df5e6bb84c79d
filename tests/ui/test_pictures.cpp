// The pictures and the icon compiled into the program, and the libjpeg decoder
// that the JPEG pictures go through.

#include "UJpegImage.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QByteArray>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QSet>
#include <QtEndian>

#include <algorithm>
#include <cstdlib>
#include <ostream>
#include <stdexcept>
#include <string>
#include <tuple>
#include <vector>

namespace {

QByteArray ReadResource(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

int DistinctColors(const QImage& image)
{
    QSet<QRgb> colors;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x)
            colors.insert(image.pixel(x, y));
    }
    return static_cast<int>(colors.size());
}

struct TPicture
{
    const char* Path;
    int Width;
    int Height;
    bool Jpeg;
};

const TPicture Pictures[] = {
    {":/pictures/ratetable.jpg", 367, 268, true},
    {":/pictures/bonusmethod.jpg", 333, 158, true},
    {":/pictures/banner-taobao.bmp", 167, 63, false},
    {":/pictures/banner-dangdang.bmp", 120, 60, false},
    {":/pictures/banner-amazon.bmp", 468, 60, false},
    {":/pictures/qq-online.bmp", 74, 22, false},
    {":/pictures/wangwang.bmp", 77, 19, false},
};

void PrintTo(const TPicture& picture, std::ostream* out)
{
    *out << picture.Path;
}

class PictureResource : public ::testing::TestWithParam<TPicture>
{
};

// Also proves that the resources of the static library reach the executable.
TEST_P(PictureResource, LoadsAtItsExactSize)
{
    const TPicture& picture = GetParam();
    const QImage image = TJpegImage::LoadPicture(picture.Path);
    EXPECT_EQ(image.size(), QSize(picture.Width, picture.Height));
}

// JPEG pictures must be baseline, the one kind the decoder is meant for; the
// bitmaps must keep to a palette of 256 colours.
TEST_P(PictureResource, IsBaselineJpegOrA256ColourBitmap)
{
    const TPicture& picture = GetParam();
    const QByteArray data = ReadResource(picture.Path);
    ASSERT_FALSE(data.isEmpty());
    if (picture.Jpeg) {
        // Scan data stuffs every 0xFF with 0x00, so a marker search cannot hit it.
        EXPECT_TRUE(data.startsWith("\xFF\xD8"));
        EXPECT_TRUE(data.contains("\xFF\xC0")) << "no baseline frame header";
        EXPECT_FALSE(data.contains("\xFF\xC2")) << "progressive";
    } else {
        const QImage image = QImage::fromData(data);
        EXPECT_EQ(image.format(), QImage::Format_Indexed8);
        EXPECT_LE(image.colorCount(), 256);
        EXPECT_LE(DistinctColors(image), 256);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Pictures, PictureResource, ::testing::ValuesIn(Pictures),
    [](const ::testing::TestParamInfo<TPicture>& info) {
        std::string name =
            QString(info.param.Path).section('/', -1).section('.', 0, 0).toStdString();
        std::replace(name.begin(), name.end(), '-', '_');
        return name;
    });

bool Near(QRgb actual, QRgb expected)
{
    const int tolerance = 10; // JPEG noise on flat fills
    return std::abs(qRed(actual) - qRed(expected)) <= tolerance &&
           std::abs(qGreen(actual) - qGreen(expected)) <= tolerance &&
           std::abs(qBlue(actual) - qBlue(expected)) <= tolerance;
}

// Sampled in the empty left part of each band, away from text and grid lines.
TEST(RateTablePicture, HeaderIsGreyBlueAndLevelRowsAlternatePaleYellowAndPaleBlue)
{
    const QImage table = TJpegImage::LoadPicture(":/pictures/ratetable.jpg");
    const QRgb header = table.pixel(4, 45);
    EXPECT_GT(qBlue(header), qRed(header) + 15) << "header not blue-tinted";
    EXPECT_LT(qBlue(header) - qRed(header), 60) << "header not greyish";

    const QRgb paleYellow = table.pixel(4, 78 + 13);
    const QRgb paleBlue = table.pixel(4, 78 + 27 + 13);
    EXPECT_GT(qRed(paleYellow), 240);
    EXPECT_GT(qGreen(paleYellow), 230);
    EXPECT_LT(qBlue(paleYellow), qRed(paleYellow) - 30);
    EXPECT_GT(qBlue(paleBlue), qRed(paleBlue) + 10);
    EXPECT_GT(qRed(paleBlue), 200);
    for (int level = 0; level < 7; ++level) {
        const QRgb band = table.pixel(4, 78 + 27 * level + 13);
        EXPECT_TRUE(Near(band, level % 2 == 0 ? paleYellow : paleBlue)) << "level " << level + 1;
    }
}

// The icon directory, read here independently of the program that writes it.
struct TIconEntry
{
    int Size;
    int BitCount;
    QImage Image;

    bool operator<(const TIconEntry& other) const
    {
        return std::tie(BitCount, Size) < std::tie(other.BitCount, other.Size);
    }
};

std::vector<TIconEntry> ReadIco(const QByteArray& data)
{
    std::vector<TIconEntry> entries;
    const auto* bytes = reinterpret_cast<const uchar*>(data.constData());
    if (data.size() < 6 || qFromLittleEndian<quint16>(bytes + 2) != 1)
        return entries;
    const int count = qFromLittleEndian<quint16>(bytes + 4);
    QBuffer buffer;
    buffer.setData(data);
    QImageReader reader(&buffer, "ico");
    for (int i = 0; i < count && data.size() >= 6 + 16 * (i + 1); ++i) {
        const uchar* entry = bytes + 6 + 16 * static_cast<qsizetype>(i);
        const int width = entry[0] == 0 ? 256 : entry[0];
        const int height = entry[1] == 0 ? 256 : entry[1];
        EXPECT_EQ(width, height);
        reader.jumpToImage(i);
        entries.push_back({width, qFromLittleEndian<quint16>(entry + 6), reader.read()});
    }
    return entries;
}

TEST(Icon, IcoHoldsTheTenImagesAndEachDecodes)
{
    if (!QImageReader::supportedImageFormats().contains("ico"))
        GTEST_SKIP() << "Qt's ico image plugin is not installed";
    std::vector<TIconEntry> entries = ReadIco(ReadResource(":/icons/levora-tax.ico"));
    std::sort(entries.begin(), entries.end());
    const std::vector<std::pair<int, int>> expected{
        {16, 8},  {32, 8},  {48, 8},  {16, 32},  {24, 32},
        {32, 32}, {48, 32}, {64, 32}, {128, 32}, {256, 32},
    };
    ASSERT_EQ(entries.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE(testing::Message()
                     << expected[i].first << " px, " << expected[i].second << " bit");
        EXPECT_EQ(entries[i].Size, expected[i].first);
        EXPECT_EQ(entries[i].BitCount, expected[i].second);
        const QImage& image = entries[i].Image;
        ASSERT_EQ(image.size(), QSize(entries[i].Size, entries[i].Size));
        // Transparent corners around an opaque coin stack.
        EXPECT_EQ(qAlpha(image.pixel(0, 0)), 0);
        EXPECT_EQ(qAlpha(image.pixel(image.width() / 2, image.height() * 3 / 4)), 255);
    }
}

class IconPng : public ::testing::TestWithParam<int>
{
};

TEST_P(IconPng, IsSquareWithTransparentCornersAndAnOpaqueCoinStack)
{
    const int size = GetParam();
    const QImage image = TJpegImage::LoadPicture(QString(":/icons/levora-tax-%1.png").arg(size));
    ASSERT_EQ(image.size(), QSize(size, size));
    ASSERT_TRUE(image.hasAlphaChannel());
    EXPECT_EQ(qAlpha(image.pixel(0, 0)), 0);
    EXPECT_EQ(qAlpha(image.pixel(size - 1, 0)), 0);
    EXPECT_EQ(qAlpha(image.pixel(size / 2, size * 3 / 4)), 255);
}

INSTANTIATE_TEST_SUITE_P(Sizes, IconPng, ::testing::Values(16, 24, 32, 48, 64, 128, 256));

// Broken JPEG data must come back as an exception carrying libjpeg's message,
// never as a grey half-picture or an exit of the process.
struct TBrokenJpeg
{
    const char* Name;
    QByteArray (*Make)(const QByteArray& good);
};

int MarkerOffset(const QByteArray& jpeg, uchar marker)
{
    return static_cast<int>(jpeg.indexOf(QByteArray("\xFF") + char(marker)));
}

const TBrokenJpeg BrokenJpegs[] = {
    {"Empty", [](const QByteArray&) { return QByteArray(); }},
    {"NotAJpeg", [](const QByteArray&) { return QByteArray("plain text, not a picture"); }},
    {"BitmapBytes", [](const QByteArray&) { return ReadResource(":/pictures/qq-online.bmp"); }},
    {"StartMarkerOnly", [](const QByteArray& good) { return good.left(2); }},
    {"CutBeforeScan", [](const QByteArray& good) { return good.left(MarkerOffset(good, 0xDA)); }},
    {"CutInsideScan", [](const QByteArray& good) { return good.left(good.size() / 2); }},
    {"CutBeforeEndMarker", [](const QByteArray& good) { return good.left(good.size() - 2); }},
    {"ZeroHeight",
     [](const QByteArray& good) {
         // The frame header: marker, length, precision, then the height.
         QByteArray bad = good;
         const int frame = MarkerOffset(bad, 0xC0);
         bad[frame + 5] = 0;
         bad[frame + 6] = 0;
         return bad;
     }},
    {"GarbageInScan",
     [](const QByteArray& good) {
         QByteArray bad = good;
         const int scan = MarkerOffset(bad, 0xDA);
         // Restart markers where none belong.
         for (int i = scan + 40; i < scan + 400; i += 2) {
             bad[i] = static_cast<char>(0xFF);
             bad[i + 1] = static_cast<char>(0xD3);
         }
         return bad;
     }},
};

void PrintTo(const TBrokenJpeg& broken, std::ostream* out)
{
    *out << broken.Name;
}

class BrokenJpeg : public ::testing::TestWithParam<TBrokenJpeg>
{
};

TEST_P(BrokenJpeg, RaisesAnErrorWithLibjpegsMessage)
{
    const QByteArray good = ReadResource(":/pictures/ratetable.jpg");
    ASSERT_FALSE(good.isEmpty());
    const QByteArray bad = GetParam().Make(good);
    try {
        const QImage image = TJpegImage::Decode(bad);
        FAIL() << "decoded to a " << image.width() << " x " << image.height() << " image";
    } catch (const std::runtime_error& e) {
        const std::string message = e.what();
        EXPECT_GT(message.size(), std::string("cannot decode JPEG data: ").size()) << message;
    }
}

INSTANTIATE_TEST_SUITE_P(Data, BrokenJpeg, ::testing::ValuesIn(BrokenJpegs),
                         [](const ::testing::TestParamInfo<TBrokenJpeg>& info) {
                             return std::string(info.param.Name);
                         });

TEST(BrokenJpeg, DecoderStillWorksAfterAnError)
{
    const QByteArray good = ReadResource(":/pictures/bonusmethod.jpg");
    EXPECT_THROW(TJpegImage::Decode(good.left(good.size() / 3)), std::runtime_error);
    EXPECT_EQ(TJpegImage::Decode(good).size(), QSize(333, 158));
}

TEST(LoadPicture, MissingResourceRaisesAnError)
{
    EXPECT_THROW(TJpegImage::LoadPicture(":/pictures/no-such-picture.jpg"), std::runtime_error);
}

} // namespace
