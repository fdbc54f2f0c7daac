// SPDX-License-Identifier: GPL-3.0-or-later
// Loading the source picture: BMP and JPEG pictures give the pixels Qt and
// libjpeg's own djpeg give, and every bad file its exact message.
#include "PictureLoader.h"
#include "../support/ExpectMessage.h"
#include "../support/TempFolder.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QImageReader>
#include <QImageWriter>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <vector>

#include <sys/stat.h>
#include <utility>

#include <jpeglib.h>
// After jpeglib.h, which jerror.h needs.
#include <jerror.h>

using namespace velnora;

namespace fs = std::filesystem;

namespace {

const std::string Pictures = std::string(VELNORA_TEST_DATA) + "/pictures/";

class PictureLoaderTest : public TempFolderTest {};

// The largest difference of any channel of any pixel; -1 when the sizes differ.
int MaxDifference(const Bitmap& bitmap, const QImage& image) {
    if (bitmap.Width() != image.width() || bitmap.Height() != image.height())
        return -1;
    int worst = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const uint8_t* p = bitmap.Row(y) + x * 3;
            const QRgb c = image.pixel(x, y);
            worst = std::max({worst, std::abs(p[0] - qBlue(c)), std::abs(p[1] - qGreen(c)),
                              std::abs(p[2] - qRed(c))});
        }
    return worst;
}

Bitmap Load(const std::string& path) {
    Bitmap bitmap;
    LoadSourcePicture(path, bitmap);
    return bitmap;
}

struct DecodeCase {
    const char* file;
    const char* reference; // djpeg's decode, or the file itself decoded by Qt
    const char* qtFormat;
};

class PictureDecodeTest : public testing::TestWithParam<DecodeCase> {};

// libjpeg's own decoder (djpeg -dct int) and Qt's readers give exactly these pixels.
TEST_P(PictureDecodeTest, GivesTheReferencePixels) {
    const DecodeCase& c = GetParam();
    const Bitmap bitmap = Load(Pictures + c.file);
    const QImage reference(QString::fromStdString(Pictures + c.reference), c.qtFormat);
    ASSERT_FALSE(reference.isNull()) << c.reference;
    EXPECT_EQ(MaxDifference(bitmap, reference), 0);
    if (std::strcmp(c.qtFormat, "bmp") == 0 && std::strcmp(c.file, c.reference) != 0) {
        const QImage qt(QString::fromStdString(Pictures + c.file), "jpeg");
        ASSERT_FALSE(qt.isNull()) << c.file;
        EXPECT_EQ(MaxDifference(bitmap, qt), 0);
    }
}

INSTANTIATE_TEST_SUITE_P(Pictures, PictureDecodeTest,
                         testing::Values(DecodeCase{"photo.jpg", "photo.djpeg.bmp", "bmp"},
                                         DecodeCase{"progressive.jpg", "progressive.djpeg.bmp",
                                                    "bmp"},
                                         DecodeCase{"gray.jpg", "gray.djpeg.bmp", "bmp"},
                                         DecodeCase{"cmyk.jpg", "cmyk.jpg", "jpeg"},
                                         DecodeCase{"photo24.bmp", "photo24.bmp", "bmp"},
                                         DecodeCase{"gray.djpeg.bmp", "gray.djpeg.bmp", "bmp"}),
                         [](const auto& info) {
                             std::string name = info.param.file;
                             name[name.find('.')] = '_';
                             return name.substr(0, name.find('.'));
                         });

// The content decides, never the name.
TEST_F(PictureLoaderTest, GoesByContentNotByName) {
    fs::copy_file(Pictures + "photo.jpg", PathOf("photo.bmp"));
    fs::copy_file(Pictures + "photo24.bmp", PathOf("photo.jpg"));
    const QImage jpeg(QString::fromStdString(Pictures + "photo.djpeg.bmp"), "bmp");
    const QImage bmp(QString::fromStdString(Pictures + "photo24.bmp"), "bmp");
    EXPECT_EQ(MaxDifference(Load(PathOf("photo.bmp")), jpeg), 0);
    EXPECT_EQ(MaxDifference(Load(PathOf("photo.jpg")), bmp), 0);
}

// A JPEG cut short in its picture data loads; what is missing comes out grey,
// as libjpeg fills it. Corrupt picture data loads likewise.
TEST_F(PictureLoaderTest, AcceptsDamagedPictureData) {
    const std::string photo = ReadWholeFile(Pictures + "photo.jpg");
    Write("cut.jpg", std::string(photo.begin(), photo.end() - 150));
    const Bitmap cut = Load(PathOf("cut.jpg"));
    ASSERT_EQ(cut.Width(), 37);
    ASSERT_EQ(cut.Height(), 23);
    for (int x = 0; x < 37; ++x)
        ASSERT_EQ(std::memcmp(cut.Row(22) + x * 3, "\x80\x80\x80", 3), 0) << x;

    std::string corrupt = photo;
    for (std::size_t i = photo.size() - 120; i < photo.size() - 80; ++i)
        corrupt[i] = static_cast<char>(i * 7 & 0x7F); // no 0xFF: no marker

    Write("corrupt.jpg", corrupt);
    EXPECT_EQ(Load(PathOf("corrupt.jpg")).Width(), 37);
}

// Where the start-of-frame segment of a baseline JPEG holds the height (2 bytes
// after the marker, its length and the precision).
std::size_t FrameSizeAt(const std::string& jpeg) {
    for (std::size_t i = 0; i + 1 < jpeg.size(); ++i)
        if (jpeg[i] == '\xFF' && jpeg[i + 1] == '\xC0')
            return i + 5;
    return 0;
}

std::string WithFrameSize(std::string jpeg, int width, int height) {
    const std::size_t at = FrameSizeAt(jpeg);
    jpeg[at] = static_cast<char>(height >> 8);
    jpeg[at + 1] = static_cast<char>(height);
    jpeg[at + 2] = static_cast<char>(width >> 8);
    jpeg[at + 3] = static_cast<char>(width);
    return jpeg;
}

std::string Cut(const std::string& bytes, std::size_t size) {
    return std::string(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(size));
}

std::string JpegError(int code) {
    return "JPEG error #" + std::to_string(code);
}

std::string NoKnownFormat(const std::string& path) {
    return "Cannot read picture \"" + path +
           "\": not a BMP, JPEG, PNG, WebP, TIFF, GIF or SVG file";
}

// Every bad file gives its message and leaves the bitmap as it was.
TEST_F(PictureLoaderTest, GivesTheExactMessageForEveryBadFile) {
    const std::string photo = ReadWholeFile(Pictures + "photo.jpg");
    const std::string bmp = ReadWholeFile(Pictures + "photo24.bmp");
    const std::size_t frame = FrameSizeAt(photo);
    ASSERT_GT(frame, 0u);
    std::string bmpHuge = bmp;
    bmpHuge[18] = 0x20; // 20000 = 0x4E20
    bmpHuge[19] = 0x4E;
    bmpHuge[22] = 0x20;
    bmpHuge[23] = 0x4E;
    std::string garbageAfterSoi = "\xFF\xD8";
    for (int i = 0; i < 300; ++i)
        garbageAfterSoi.push_back(static_cast<char>(i * 13 % 255));
    std::string garbageInFrame = photo;
    std::fill(garbageInFrame.begin() + static_cast<std::ptrdiff_t>(frame) - 3,
              garbageInFrame.begin() + static_cast<std::ptrdiff_t>(frame) + 12, '\xAB');

    const std::string png = ReadWholeFile(Pictures + "photo.png");
    const struct {
        const char* name;
        std::string bytes;
        std::string message;
    } files[] = {
        {"empty.jpg", {}, JpegError(JERR_INPUT_EMPTY)},
        // Neither a JPEG nor anything another reader knows.
        {"truncated.bmp", Cut(bmp, 40), NoKnownFormat(PathOf("truncated.bmp"))},
        {"notes.txt", "Wallpaper ideas\n", NoKnownFormat(PathOf("notes.txt"))},
        {"cut.png", Cut(png, 200),
         "Cannot read picture \"" + PathOf("cut.png") + "\": damaged PNG file"},
        // Cut after the frame header, and inside the Huffman table after it.
        {"header-only.jpg", Cut(photo, frame + 14), JpegError(JERR_SOF_NO_SOS)},
        {"cut-in-table.jpg", Cut(photo, frame + 40), JpegError(JERR_SOF_NO_SOS)},
        {"garbage-after-soi.jpg", garbageAfterSoi, JpegError(JERR_NO_IMAGE)},
        {"garbage-in-frame.jpg", garbageInFrame, JpegError(JERR_BAD_LENGTH)},
        {"65535.jpg", WithFrameSize(photo, 65535, 65535), JpegError(JERR_IMAGE_TOO_BIG)},
        {"65500.jpg", WithFrameSize(photo, 65500, 65500), "Picture too large: 65500 x 65500"},
        {"wide.jpg", WithFrameSize(photo, 65500, 4099), "Picture too large: 65500 x 4099"},
        {"zero.jpg", WithFrameSize(photo, 37, 0), JpegError(JERR_EMPTY_IMAGE)},
        {"huge.bmp", bmpHuge, "Picture too large: 20000 x 20000"},
    };
    for (const auto& file : files) {
        Write(file.name, file.bytes);
        Bitmap bitmap(2, 3);
        ExpectMessage([&] { LoadSourcePicture(PathOf(file.name), bitmap); }, file.message);
        EXPECT_EQ(bitmap.Width(), 2) << file.name;
        EXPECT_EQ(bitmap.Height(), 3) << file.name;
    }

    const std::string missing = PathOf("missing.jpg");
    const struct {
        std::string path;
        std::string message;
    } paths[] = {
        {missing, "Cannot open file \"" + missing + "\". No such file or directory"},
        {folder_.string(), "Cannot open file \"" + folder_.string() + "\". Is a directory"},
        {"", "Cannot open file \"\". No such file or directory"},
    };
    for (const auto& p : paths) {
        Bitmap bitmap;
        ExpectMessage([&] { LoadSourcePicture(p.path, bitmap); }, p.message);
        EXPECT_TRUE(bitmap.Empty());
    }
}

// What Qt's own reader gives for the file, composed over black as the loader does.
QImage QtDecode(const std::string& path, QSize scaled = {}) {
    QImageReader reader(QString::fromStdString(path));
    reader.setBackgroundColor(Qt::black);
    if (scaled.isValid())
        reader.setScaledSize(scaled);
    return reader.read().convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

// Every format desktops ship wallpapers in gives the pixels of Qt's own reader,
// whatever its name; the lossless ones give the very pixels of the original.
TEST_F(PictureLoaderTest, ReadsTheFormatsOfQtsReadersByContent) {
    const QImage original(QString::fromStdString(Pictures + "photo24.bmp"), "bmp");
    const auto written = [&](const char* name, const char* format, int quality) {
        QImageWriter writer(QString::fromStdString(PathOf(name)), format);
        writer.setQuality(quality);
        EXPECT_TRUE(writer.write(original)) << name;
        return PathOf(name);
    };
    const struct {
        std::string path;
        bool lossless;
    } files[] = {
        {Pictures + "photo.png", true},
        {written("lossless.webp", "webp", 100), true},
        {written("lossy.webp", "webp", 60), false},
        {written("photo.tiff", "tiff", -1), true},
        {written("named.jpg", "png", -1), true},
        {Pictures + "two-frames.gif", false}, // its first frame, in 256 colours
    };
    for (const auto& file : files) {
        const Bitmap bitmap = Load(file.path);
        EXPECT_EQ(MaxDifference(bitmap, QtDecode(file.path)), 0) << file.path;
        if (file.lossless)
            EXPECT_EQ(MaxDifference(bitmap, original), 0) << file.path;
        else
            EXPECT_LT(MaxDifference(bitmap, original), 64) << file.path;
    }
}

// Reading a small source leaves Qt able to read a screen-sized picture after
// it, as the bare X11 desktop reads the output picture for the root window.
TEST_F(PictureLoaderTest, ASmallSourceLeavesLargerPicturesReadable) {
    QImage screen(1920, 1080, QImage::Format_RGB32);
    screen.fill(Qt::darkCyan);
    ASSERT_TRUE(screen.save(QString::fromStdString(PathOf("Velnora.bmp")), "bmp"));
    for (const char* source : {"photo24.bmp", "photo.png"}) {
        Load(Pictures + source);
        EXPECT_FALSE(QImage(QString::fromStdString(PathOf("Velnora.bmp"))).isNull()) << source;
    }
}

// Transparent parts come out as drawn over black.
TEST_F(PictureLoaderTest, ComposesTransparentPicturesOverBlack) {
    QImage image(3, 1, QImage::Format_ARGB32);
    image.setPixel(0, 0, qRgba(255, 255, 255, 0));
    image.setPixel(1, 0, qRgba(200, 100, 50, 255));
    image.setPixel(2, 0, qRgba(255, 255, 255, 102)); // 40 %
    ASSERT_TRUE(image.save(QString::fromStdString(PathOf("alpha.png")), "png"));
    const Bitmap bitmap = Load(PathOf("alpha.png"));
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(bitmap.Row(0)), 9),
              std::string("\0\0\0\x32\x64\xC8\x66\x66\x66", 9));
}

// A drawing: at its own size, or at the size it is drawn at (the desktop's).
TEST_F(PictureLoaderTest, RendersADrawingAtTheAskedSize) {
    const std::string svg = Write("flag.svg", R"(<?xml version="1.0"?>
<svg xmlns="http://www.w3.org/2000/svg" width="40" height="30" viewBox="0 0 4 3">
  <rect width="2" height="3" fill="#ff0000"/><rect x="2" width="2" height="2" fill="#0000ff"/>
</svg>)");
    const struct {
        PictureSize asked;
        int width, height;
    } sizes[] = {{{}, 40, 30}, {{200, 90}, 200, 90}};
    for (const auto& size : sizes) {
        Bitmap bitmap;
        LoadSourcePicture(svg, bitmap, size.asked);
        ASSERT_EQ(bitmap.Width(), size.width);
        ASSERT_EQ(bitmap.Height(), size.height);
        const auto at = [&](int x, int y) {
            return std::string(reinterpret_cast<const char*>(bitmap.Row(y) + x * 3), 3);
        };
        EXPECT_EQ(at(1, 1), std::string("\0\0\xFF", 3));                      // red
        EXPECT_EQ(at(size.width - 2, 1), std::string("\xFF\0\0", 3));         // blue
        EXPECT_EQ(at(size.width - 2, size.height - 2), std::string(3, '\0')); // nothing: black
        const QSize scaled = size.asked.width ? QSize(size.width, size.height) : QSize();
        EXPECT_EQ(MaxDifference(bitmap, QtDecode(svg, scaled)), 0);
    }
}

// Small drawings that would take Qt seconds to draw are refused: one
// declaring 16384 x 16384 drawn at its own size, and lines crossing the whole
// picture, filled and outlined, once their time is up.
TEST_F(PictureLoaderTest, RefusesDrawingsThatTakeTooLong) {
    const std::string svg = "<svg xmlns='http://www.w3.org/2000/svg' ";
    Write("declared.svg", svg + "width='16384' height='16384'><rect width='9' height='9'/></svg>");
    std::string path = "M 0 0";
    for (int i = 1; i < 2000; ++i)
        path += " L " + std::to_string(i * 997 % 1920) + " " + std::to_string(i * 631 % 1080);
    Write("crossing.svg", svg + "width='1920' height='1080'><path d='" + path +
                              "' fill='#369' stroke='#c33'/></svg>");
    Bitmap bitmap;
    ExpectMessage([&] { LoadSourcePicture(PathOf("declared.svg"), bitmap); },
                  "Picture too large: 16384 x 16384");
    ExpectMessage(
        [&] {
            LoadSourcePicture(PathOf("crossing.svg"), bitmap, {1920, 1080});
        },
        "Cannot read picture \"" + PathOf("crossing.svg") +
            "\": an SVG drawing that takes too long to draw");
}

// File names are bytes: one that is not UTF-8 opens as any other.
TEST_F(PictureLoaderTest, OpensNamesThatAreNotUtf8) {
    const QImage original(QString::fromStdString(Pictures + "photo24.bmp"), "bmp");
    for (const char* from : {"photo24.bmp", "photo.png", "photo.jpg"}) {
        const std::string name = PathOf(std::string("caf\xE9.") + from);
        fs::copy_file(Pictures + from, name);
        const QImage reference = std::strcmp(from, "photo.jpg") == 0
                                     ? QImage(QString::fromStdString(Pictures + "photo.djpeg.bmp"))
                                     : original;
        EXPECT_EQ(MaxDifference(Load(name), reference), 0) << from;
    }
}

// A desktop's slideshow gives the picture it shows now: here one picture all
// day long, named from the slideshow's own folder.
TEST_F(PictureLoaderTest, LoadsThePictureASlideshowShowsNow) {
    fs::copy_file(Pictures + "photo.png", PathOf("day.png"));
    const std::string xml = Write("slideshow.xml", R"(<?xml version="1.0"?>
<background>
  <starttime><year>2024</year><month>1</month><day>1</day><hour>0</hour><minute>0</minute>
    <second>0</second></starttime>
  <static><duration>86400.0</duration><file>day.png</file></static>
</background>)");
    const QImage original(QString::fromStdString(Pictures + "photo24.bmp"), "bmp");
    EXPECT_EQ(MaxDifference(Load(xml), original), 0);

    Write("slideshow.xml", "<background><static><duration>5</duration><file>missing.png"
                           "</file></static></background>");
    ExpectMessage([&] { Load(xml); },
                  "Cannot open file \"" + PathOf("missing.png") + "\". No such file or directory");
}

// A FIFO or a device, as the picture or in a slideshow, is refused at once
// rather than read for ever.
TEST_F(PictureLoaderTest, RefusesWhatIsNoRegularFile) {
    ASSERT_EQ(mkfifo(PathOf("fifo.png").c_str(), 0600), 0);
    Write("slideshow.xml", "<background><static><duration>5</duration><file>fifo.png"
                           "</file></static></background>");
    for (const auto& [path, named] : {std::pair{PathOf("fifo.png"), PathOf("fifo.png")},
                                      {PathOf("slideshow.xml"), PathOf("fifo.png")},
                                      {std::string("/dev/zero"), std::string("/dev/zero")}})
        ExpectMessage([&] { Load(path); },
                      "Cannot open file \"" + named + "\". Not a regular file");
}

} // namespace
