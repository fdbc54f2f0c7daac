// SPDX-License-Identifier: GPL-3.0-or-later
// Pictures that claim far more than their size: each is decoded within the
// memory budget (2.5 times the bytes of the picture made, plus 100 MB, measured
// as the peak of the velnora-cli process) or refused from its header.
#include "../support/HostilePictures.h"
#include "../support/TempFolder.h"
#include "CliProcess.h"

#include <gtest/gtest.h>

#include <QByteArray>
#include <QColor>
#include <QImage>
#include <QImageWriter>
#include <QString>

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>

using namespace velnora;

namespace {

class HostilePictureTest : public TempFolderTest {};

// The budget for a picture of width x height in the 24-bit work format.
int64_t BudgetKiB(int64_t width, int64_t height) {
    const int64_t picture = (width * 3 + 3) / 4 * 4 * height;
    return (picture * 5 / 2 + 100'000'000) / 1024;
}

// A flat picture of that size written by Qt in the given format.
std::function<std::string(const std::string&)> QtWritten(int width, int height, const char* format,
                                                         int quality = -1) {
    return [=](const std::string& path) {
        QImage image(width, height, QImage::Format_RGB32);
        image.fill(QColor(40, 90, 160));
        QImageWriter writer(QString::fromStdString(path), format);
        writer.setQuality(quality);
        if (QByteArray(format) == "tiff")
            writer.setCompression(1); // LZW
        if (!writer.write(image))
            ADD_FAILURE() << writer.errorString().toStdString();
        return path;
    };
}

// A PNG of that size whose rows are all zero, deflated: a bomb of some 100 KB.
std::string PngBomb(int width, int height) {
    const QByteArray rows(qsizetype{height} * (width * 3 + 1), '\0');
    const std::string png = PngHeader(width, height);
    std::string bomb = png.substr(0, png.find("IDAT") - 4);
    PutChunk(bomb, "IDAT", qCompress(rows, 9).mid(4).toStdString()); // after qCompress's length
    PutChunk(bomb, "IEND", "");
    return bomb;
}

// Loads the file as a source picture (stretched to 1 x 1, so the output is
// tiny) and checks the message, or that the peak stays within the budget of
// the width x height picture it makes.
void ExpectLoadWithinBudget(const std::string& path, int width, int height,
                            const std::string& message) {
    const std::string out = path + ".out.bmp";
    const CliResult r = RunCliMeasured({"stretch", path, out, "1", "1"}, "", true);
    if (message.empty()) {
        EXPECT_EQ(r.status, 0) << path << ": " << r.err;
    } else {
        EXPECT_EQ(r.err, "velnora-cli: " + message + "\n") << path;
        EXPECT_FALSE(std::filesystem::exists(out)) << path;
    }
    EXPECT_LT(r.peakKiB, BudgetKiB(width, height)) << path;
    std::filesystem::remove(out);
}

TEST_F(HostilePictureTest, DecodesOrRefusesWithinTheMemoryBudget) {
    const struct {
        const char* name;
        std::function<std::string(const std::string&)> make;
        int width, height;   // what the file claims
        std::string message; // empty: it loads
    } cases[] = {
        // A JPEG keeps every coefficient of a progressive picture: 2 bytes a
        // sample, twice the picture at full colour, which is over the budget.
        {"full-colour-progressive.jpg",
         [&](const std::string& p) {
             return Write(p, ClaimingSize(MakeJpeg({16, 16, true, true}), 16384, 16384));
         },
         16384, 16384, "Picture too large: 16384 x 16384"},
        {"progressive.jpg",
         [&](const std::string& p) {
             return Write(p, ClaimingSize(MakeJpeg({16, 16, true, false}), 6000, 4000));
         },
         6000, 4000, ""},
        {"baseline.jpg",
         [&](const std::string& p) {
             return Write(p, ClaimingSize(MakeJpeg({16, 16, false, true}), 6000, 4000));
         },
         6000, 4000, ""},
        // Qt's BMP reader would hold the picture in 32 bits beside the copy.
        {"cut.bmp", [&](const std::string& p) { return Write(p, CutBmp(6000, 4000, 24)); }, 6000,
         4000, "Cannot read picture \"" + PathOf("cut.bmp") + "\": damaged BMP file"},
        // Small files that would take seconds to decode.
        {"claims.bmp", [&](const std::string& p) { return Write(p, CutBmp(16000, 16000, 24)); },
         16000, 16000, "Picture too large: 16000 x 16000"},
        {"bomb.png", [&](const std::string& p) { return Write(p, PngBomb(6000, 6000)); }, 6000,
         6000, "Picture too large: 6000 x 6000"},
        {"huge.png", [&](const std::string& p) { return Write(p, PngHeader(60000, 60000)); }, 60000,
         60000, "Picture too large: 60000 x 60000"},
        {"huge.gif", [&](const std::string& p) { return Write(p, EmptyGif(65535, 65535)); }, 65535,
         65535, "Picture too large: 65535 x 65535"},
        // The GIF reader may keep a second picture (of the frame) beside the first.
        {"empty.gif", [&](const std::string& p) { return Write(p, EmptyGif(4000, 3000)); }, 4000,
         3000, ""},
        {"wide.gif", [&](const std::string& p) { return Write(p, EmptyGif(6000, 4000)); }, 6000,
         4000, "Picture too large: 6000 x 4000"},
        {"large.png", [&](const std::string& p) { return QtWritten(4000, 3000, "png")(PathOf(p)); },
         4000, 3000, ""},
        {"large.webp",
         [&](const std::string& p) { return QtWritten(4000, 3000, "webp", 100)(PathOf(p)); }, 4000,
         3000, ""},
        {"large.tiff",
         [&](const std::string& p) { return QtWritten(4000, 3000, "tiff")(PathOf(p)); }, 4000, 3000,
         ""},
    };
    for (const auto& c : cases) {
        const std::string path = c.make(c.name);
        ASSERT_LT(std::filesystem::file_size(path), 1u << 20) << c.name;
        ExpectLoadWithinBudget(path, c.width, c.height, c.message);
    }
}

// libjpeg-turbo's guard: a progressive picture of endless scans is refused
// after the hundredth, rather than decoded for tens of seconds.
TEST_F(HostilePictureTest, RefusesAJpegOfEndlessScans) {
    const std::string jpeg = MakeJpeg({2048, 2048, true, false});
    const std::string ten = Write("ten-scans.jpg", jpeg);
    const std::string many = Write("many-scans.jpg", WithRepeatedLastScan(jpeg, 5000));
    EXPECT_EQ(RunCli({"stretch", ten, PathOf("ten.bmp"), "1", "1"}).status, 0);
    const CliResult r = RunCli({"stretch", many, PathOf("many.bmp"), "1", "1"});
    EXPECT_EQ(r.err,
              "velnora-cli: Cannot read picture \"" + many + "\": a JPEG of more than 100 scans\n");
    EXPECT_FALSE(std::filesystem::exists(PathOf("many.bmp")));
}

// The stretch makes no picture the loader would refuse.
TEST_F(HostilePictureTest, StretchRefusesAResultAboveTheLimit) {
    const std::string in = Write("small.jpg", MakeJpeg({}));
    const std::string out = PathOf("out.bmp");
    const CliResult r = RunCliMeasured({"stretch", in, out, "30000", "30000"}, "", true);
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.err, "velnora-cli: Picture too large: 30000 x 30000\n");
    EXPECT_FALSE(std::filesystem::exists(out));
    EXPECT_LT(r.peakKiB, BudgetKiB(64, 48));
}

} // namespace
