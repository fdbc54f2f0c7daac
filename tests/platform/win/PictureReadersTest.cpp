// SPDX-License-Identifier: GPL-3.0-or-later
// The Windows readers of PNG, GIF, TIFF and WebP against the Linux build's:
// <name>.qt.bmp is what Qt's readers made of each test picture
// (scripts/make-test-pictures: velnora-cli stretch to one pixel less each
// way, which copies the pixels as they are), stretched the same way here.

#include "BmpFile.h"
#include "QtPictureFile.h"
#include "Stretch.h"

#include "../../support/TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

using namespace velnora;

namespace {

const std::string Pictures = VELNORA_TEST_DATA "/pictures/";

int MostApart(const Bitmap& a, const Bitmap& b) {
    int most = 0;
    for (int y = 0; y < a.Height(); ++y)
        for (int x = 0; x < a.Width() * 3; ++x)
            most = std::max(most, std::abs(a.Row(y)[x] - b.Row(y)[x]));
    return most;
}

using PictureReadersFiles = TempFolderTest;

// Wine's PNG, GIF and TIFF decoders are libpng, giflib's and libtiff, as Qt's
// are, and WebP is the same libwebp: every byte the same. Each is read under
// a Persian name, which no code page but UTF-8 holds.
TEST_F(PictureReadersFiles, DecodeAsTheLinuxBuildDoes) {
    for (const char* name : {"photo.png", "alpha.png", "two-frames.gif", "offset.gif",
                             "photo.tiff", "photo.webp", "alpha.webp", "two-frames.webp"}) {
        SCOPED_TRACE(name);
        const std::string persian = PathOf("") + "\u062A\u0635\u0648\u06CC\u0631 " + name;
        WriteWholeFile(std::u8string(persian.begin(), persian.end()), ReadWholeFile(Pictures + name));
        Bitmap decoded, linux;
        ASSERT_TRUE(ReadQtPictureFile(persian, decoded, {}));
        ASSERT_TRUE(ReadBmpFile(Pictures + name + ".qt.bmp", linux));
        StretchBitmap(decoded, linux.Width(), linux.Height());
        EXPECT_EQ(MostApart(decoded, linux), 0);
    }
}

// alpha.png runs from transparent at the left edge to alpha 248 at the right.
TEST(PictureReaders, TransparentPartsShowTheDesktopColour) {
    const Colour teal = Colour::FromRgb(0x208080);
    Bitmap overBlack, overTeal;
    ASSERT_TRUE(ReadQtPictureFile(Pictures + "alpha.png", overBlack, {}));
    ASSERT_TRUE(ReadQtPictureFile(Pictures + "alpha.png", overTeal, {}, Backdrop{teal, teal}));
    for (int y = 0; y < overTeal.Height(); ++y) {
        const uint8_t* edge = overTeal.Row(y);
        EXPECT_EQ(Colour::FromChannels(edge[2], edge[1], edge[0]).value, teal.value);
    }
    // The right edge lets 7 of 255 of the colour through: 4 levels of 0x80.
    const int last = (overTeal.Width() - 1) * 3;
    for (int y = 0; y < overTeal.Height(); ++y)
        for (int c = 0; c < 3; ++c)
            EXPECT_LE(std::abs(overTeal.Row(y)[last + c] - overBlack.Row(y)[last + c]), 4);
}

// The Linux build's messages for a file its readers know but cannot read.
TEST_F(PictureReadersFiles, RefuseAsTheLinuxBuildDoes) {
    const std::string png = ReadWholeFile(Pictures + "photo.png");
    const std::string webp = ReadWholeFile(Pictures + "photo.webp");
    // A lossless WebP header claiming 16384 x 16384 in 29 bytes.
    const std::string huge("RIFF\x15\0\0\0WEBPVP8L\x09\0\0\0\x2f\xff\xff\xff\x0f\0\0\0\0", 29);
    const struct {
        std::string name, content, message;
    } cases[] = {
        {"cut.png", png.substr(0, 100), "\": damaged PNG file"},
        {"cut.webp", webp.substr(0, 40), "\": damaged WebP file"},
        {"huge.webp", huge, "Picture too large: 16384 x 16384"},
    };
    for (const auto& each : cases) {
        SCOPED_TRACE(each.name);
        const std::string path = Write(each.name, each.content);
        Bitmap out;
        try {
            ReadQtPictureFile(path, out, {});
            ADD_FAILURE() << "read";
        } catch (const std::runtime_error& error) {
            const std::string message = error.what();
            EXPECT_EQ(message, each.message[0] == '"'
                                   ? "Cannot read picture \"" + path + each.message
                                   : each.message);
        }
    }
}

} // namespace
