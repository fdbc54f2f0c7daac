// SPDX-License-Identifier: GPL-3.0-or-later

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

#include "Bitmap.h"
#include "Stretch.h"
#include "StretchRows.h"

#include "../support/ExpectMessage.h"

using namespace velnora;

namespace {

using StretchFunction = void (*)(Bitmap&, int, int);

// Every way of stretching this machine can run, the rule itself included.
struct NamedStretch {
    std::string name;
    StretchPath path;
    bool reference;
};

std::vector<NamedStretch> AllStretches() {
    std::vector<NamedStretch> all = {{"Reference", StretchPath::Scalar, true},
                                     {"Scalar", StretchPath::Scalar, false}};
    if (StretchPathSupported(StretchPath::Sse2))
        all.push_back({"Sse2", StretchPath::Sse2, false});
    if (StretchPathSupported(StretchPath::Ssse3))
        all.push_back({"Ssse3", StretchPath::Ssse3, false});
    if (StretchPathSupported(StretchPath::Avx2))
        all.push_back({"Avx2", StretchPath::Avx2, false});
    return all;
}

void StretchWith(const NamedStretch& stretch, Bitmap& bitmap, int newWidth, int newHeight) {
    if (stretch.reference)
        StretchBitmapReference(bitmap, newWidth, newHeight);
    else
        StretchBitmapUsing(stretch.path, bitmap, newWidth, newHeight);
}

// A grey picture: all three channels of a pixel hold the same value.
Bitmap GreyPicture(int width, int height, const std::vector<int>& values) {
    Bitmap picture(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            std::memset(picture.Row(y) + 3 * x, values[y * width + x], 3);
    return picture;
}

// The grey values of a picture, checking that the channels stayed equal.
std::vector<int> GreyValues(const Bitmap& picture) {
    std::vector<int> values;
    for (int y = 0; y < picture.Height(); ++y)
        for (int x = 0; x < picture.Width(); ++x) {
            const uint8_t* pixel = picture.Row(y) + 3 * x;
            EXPECT_EQ(pixel[0], pixel[1]);
            EXPECT_EQ(pixel[0], pixel[2]);
            values.push_back(pixel[0]);
        }
    return values;
}

Bitmap RandomPicture(int width, int height, std::mt19937& random) {
    Bitmap picture(width, height);
    std::uniform_int_distribution<int> byte(0, 255);
    // The padding too: the stretch must not read it.
    for (std::size_t i = 0; i < picture.SizeBytes(); ++i)
        picture.Data()[i] = static_cast<uint8_t>(byte(random));
    return picture;
}

Bitmap Copy(const Bitmap& picture) {
    Bitmap copy(picture.Width(), picture.Height());
    std::memcpy(copy.Data(), picture.Data(), picture.SizeBytes());
    return copy;
}

struct WorkedExample {
    std::vector<int> source;
    int newWidth;
    std::vector<int> result;
};

// One source row, all channels equal; the results follow from the steps
// ((sw - 1) * 32768) div newWidth and the truncating weights.
const WorkedExample WorkedExamples[] = {
    {{0, 255}, 4, {0, 63, 127, 191}},
    {{0, 255}, 2, {0, 127}},
    {{0, 100, 200}, 3, {0, 66, 133}}, // the same size still resamples
    {{10, 20, 30, 40}, 2, {10, 25}},
};

// Along a row and down a column the same weights apply.
TEST(StretchBitmap, WorkedExamplesAlongARowAndDownAColumn) {
    for (const NamedStretch& stretch : AllStretches())
        for (const WorkedExample& example : WorkedExamples)
            for (const bool row : {true, false}) {
                const int size = static_cast<int>(example.source.size());
                Bitmap picture = GreyPicture(row ? size : 1, row ? 1 : size, example.source);
                StretchWith(stretch, picture, row ? example.newWidth : 1,
                            row ? 1 : example.newWidth);
                EXPECT_EQ(picture.Height(), row ? 1 : example.newWidth) << stretch.name;
                EXPECT_EQ(GreyValues(picture), example.result)
                    << stretch.name << (row ? " row" : " column") << " to " << example.newWidth;
            }
}

TEST(StretchBitmap, BlendsAllFourNeighbours) {
    // 2 x 2 grey picture 0, 100 / 200, 255 to 4 x 4: rows and columns sample
    // at 0, 1/4, 1/2 and 3/4 of a pixel. Pixel (1, 1) for example: fx = fy =
    // 8192, wTR = 6144, wTL = 18432, wBR = 2048, wBL = 6144, so
    // (100 * 6144 + 200 * 6144 + 255 * 2048) >> 15 = 72; the last pixel stays
    // well below 255.
    const std::vector<int> expected = {
        0,   25,  50,  75,  //
        50,  72,  94,  116, //
        100, 119, 138, 158, //
        150, 166, 183, 199,
    };
    for (const NamedStretch& stretch : AllStretches()) {
        Bitmap picture = GreyPicture(2, 2, {0, 100, 200, 255});
        StretchWith(stretch, picture, 4, 4);
        EXPECT_EQ(GreyValues(picture), expected) << stretch.name;
    }
}

TEST(StretchBitmap, FirstPixelIsTheSourcesFirstPixel) {
    std::mt19937 random(7);
    const int sizes[][4] = {{5, 4, 1, 1}, {5, 4, 13, 9}, {300, 200, 7, 3}, {1, 1, 40, 30}};
    for (const NamedStretch& stretch : AllStretches())
        for (const auto& size : sizes) {
            Bitmap picture = RandomPicture(size[0], size[1], random);
            uint8_t first[3];
            std::memcpy(first, picture.Data(), 3);
            StretchWith(stretch, picture, size[2], size[3]);
            ASSERT_EQ(picture.Width(), size[2]);
            ASSERT_EQ(picture.Height(), size[3]);
            EXPECT_EQ(std::memcmp(picture.Data(), first, 3), 0) << stretch.name;
            if (size[0] == 1 && size[1] == 1) {
                for (int y = 0; y < picture.Height(); ++y)
                    for (int x = 0; x < picture.Width(); ++x)
                        EXPECT_EQ(std::memcmp(picture.Row(y) + 3 * x, first, 3), 0);
            }
        }
}

TEST(StretchBitmap, ChannelsStayApartAndPaddingIsZero) {
    // Blue, green and red of different sizes: a mix-up between channels or a
    // misplaced pixel shows as a wrong byte; a width of 2 leaves 2 bytes of
    // padding in every row.
    for (const NamedStretch& stretch : AllStretches()) {
        Bitmap picture(2, 2);
        const uint8_t pixels[2][6] = {{10, 20, 30, 50, 60, 70}, {90, 100, 110, 130, 140, 150}};
        for (int y = 0; y < 2; ++y)
            std::memcpy(picture.Row(y), pixels[y], 6);
        StretchWith(stretch, picture, 2, 2);
        // Steps of 16384: pixel (1, 1) is the mean of all four.
        const uint8_t expected[2][8] = {{10, 20, 30, 30, 40, 50, 0, 0},
                                        {50, 60, 70, 70, 80, 90, 0, 0}};
        for (int y = 0; y < 2; ++y)
            EXPECT_EQ(std::memcmp(picture.Row(y), expected[y], 8), 0) << stretch.name << y;
    }
}

TEST(StretchBitmap, EveryPathGivesTheBytesOfTheRule) {
    std::mt19937 random(20240321);
    std::uniform_int_distribution<int> small(1, 40);
    std::uniform_int_distribution<int> wide(1, 700);
    struct Size {
        int sw, sh, nw, nh;
    };
    std::vector<Size> sizes = {
        {1, 1, 1, 1},
        {1, 1, 17, 3},
        {2, 1, 1, 1},
        {1, 2, 1, 1},
        {17, 1, 100, 5},
        {1, 17, 5, 100},
        {640, 1, 33, 1},
        {1, 480, 1, 77},
        {1000, 3, 7, 2},
        {3, 1000, 2, 7},
        {997, 13, 5, 13},
        {300, 300, 299, 301},
        {65, 2, 64, 2},
        {64, 2, 65, 2},
        {96, 9, 32, 3},
        {97, 9, 32, 3},
        {2000, 4, 3, 4},
        {5120, 3, 1920, 2},
        // The same size, which is stretched within the picture's own memory.
        {1, 1, 1, 1},
        {1, 9, 1, 9},
        {9, 1, 9, 1},
        {2, 2, 2, 2},
        {31, 17, 31, 17},
        {1500, 70, 1500, 70},
        {5, 3000, 5, 3000},
        // Rows of several 2048-byte strips, pictures of several 32-row bands.
        {700, 100, 1400, 80},
        {2000, 90, 700, 50},
        {1366, 40, 1366, 41},
    };
    for (int i = 0; i < 60; ++i)
        sizes.push_back({wide(random), small(random), wide(random), small(random)});
    for (int i = 0; i < 20; ++i)
        sizes.push_back({small(random), small(random), small(random), small(random)});
    for (int i = 0; i < 10; ++i) {
        const int width = wide(random), height = small(random);
        sizes.push_back({width, height, width, height});
    }

    const std::vector<NamedStretch> stretches = AllStretches();
    for (const Size& size : sizes) {
        const Bitmap source = RandomPicture(size.sw, size.sh, random);
        Bitmap expected = Copy(source);
        StretchBitmapReference(expected, size.nw, size.nh);
        for (const NamedStretch& stretch : stretches) {
            if (stretch.reference)
                continue;
            Bitmap picture = Copy(source);
            StretchBitmapUsing(stretch.path, picture, size.nw, size.nh);
            ASSERT_EQ(picture.Width(), size.nw);
            ASSERT_EQ(picture.Height(), size.nh);
            ASSERT_EQ(std::memcmp(picture.Data(), expected.Data(), expected.SizeBytes()), 0)
                << stretch.name << ": " << size.sw << " x " << size.sh << " to " << size.nw << " x "
                << size.nh;
        }
    }
}

TEST(StretchBitmap, SizesAboveCoverEveryWayOfGathering) {
    // Enlarging gathers 8 bytes from one 16-byte window, shrinking up to 3
    // times 4 bytes, shrinking more goes byte by byte.
    EXPECT_EQ(MakeStretchPlan(640, 1, 1000, 1).windowGroup, 8);
    EXPECT_EQ(MakeStretchPlan(5120, 3, 1920, 2).windowGroup, 4);
    EXPECT_EQ(MakeStretchPlan(1000, 3, 7, 2).windowGroup, 0);
}

TEST(StretchBitmap, ChoosesAPathTheMachineHas) {
    std::mt19937 random(3);
    const Bitmap source = RandomPicture(123, 45, random);
    Bitmap expected = Copy(source);
    StretchBitmapReference(expected, 321, 54);
    Bitmap picture = Copy(source);
    StretchBitmap(picture, 321, 54);
    EXPECT_EQ(std::memcmp(picture.Data(), expected.Data(), expected.SizeBytes()), 0);
}

TEST(StretchBitmap, RefusesSizesItCannotCompute) {
    const int cases[][2] = {{0, 10}, {10, 0}, {-5, 10}, {65537, 1}, {1, 65537}};
    for (const NamedStretch& stretch : AllStretches())
        for (const auto& size : cases) {
            SCOPED_TRACE(stretch.name);
            Bitmap picture = GreyPicture(2, 1, {7, 9});
            ExpectMessage([&] { StretchWith(stretch, picture, size[0], size[1]); },
                          "Cannot stretch a picture to " + std::to_string(size[0]) + " x " +
                              std::to_string(size[1]) +
                              " pixels: each side must be from 1 to 65536 pixels");
            // Refused before anything changed.
            EXPECT_EQ(GreyValues(picture), (std::vector<int>{7, 9}));
        }
}

TEST(StretchBitmap, RefusesAnEmptyPicture) {
    for (const NamedStretch& stretch : AllStretches()) {
        Bitmap empty;
        ExpectMessage([&] { StretchWith(stretch, empty, 10, 10); },
                      "Cannot stretch an empty picture");
        EXPECT_TRUE(empty.Empty()) << stretch.name;
    }
}

// The desktops' zoom: the centred part of the new shape, stretched by the rule,
// on every path; a picture of the new shape gives the bytes of StretchBitmap.
TEST(CoverBitmap, StretchesTheCentredPartOfTheNewShape) {
    struct Case {
        int sw, sh, nw, nh;
        CropRegion kept;
    } const cases[] = {
        {1024, 1024, 480, 270, {0, 224, 1024, 576}}, // a square onto 16:9
        {1920, 1200, 960, 540, {0, 60, 1920, 1080}}, // 16:10 onto 16:9
        {1000, 100, 300, 300, {450, 0, 100, 100}},   // a wide strip onto a square
        {7, 5, 3, 2, {0, 0, 7, 5}},                  // 4.67 rows round to all 5
        {1, 1000, 1920, 1080, {0, 499, 1, 1}},       // never less than a pixel
        {640, 360, 1920, 1080, {0, 0, 640, 360}},    // the same shape: all of it
    };
    std::mt19937 random(18);
    for (const Case& c : cases) {
        const Bitmap source = RandomPicture(c.sw, c.sh, random);
        Bitmap expected(c.kept.width, c.kept.height);
        for (int y = 0; y < c.kept.height; ++y)
            std::memcpy(expected.Row(y), source.Row(c.kept.top + y) + 3 * c.kept.left,
                        3 * static_cast<std::size_t>(c.kept.width));
        StretchBitmapReference(expected, c.nw, c.nh);
        for (const NamedStretch& stretch : AllStretches()) {
            Bitmap picture = Copy(source);
            CoverBitmapUsing(stretch.path, picture, c.nw, c.nh);
            ASSERT_EQ(picture.SizeBytes(), expected.SizeBytes());
            EXPECT_EQ(std::memcmp(picture.Data(), expected.Data(), expected.SizeBytes()), 0)
                << stretch.name << ": " << c.sw << " x " << c.sh << " to " << c.nw;
        }
    }
}

// A square wallpaper (GNOME's are 4096 x 4096) on a 16:9 desktop: a disc 2000
// pixels wide stays round, 2000 * 1920 / 4096 = 937.5 pixels across and down.
TEST(CoverBitmap, KeepsACircleRound) {
    Bitmap picture(4096, 4096);
    for (int y = 0; y < 4096; ++y)
        for (int x = 0; x < 4096; ++x)
            std::memset(picture.Row(y) + 3 * x,
                        (x - 2048) * (x - 2048) + (y - 2048) * (y - 2048) < 1000000 ? 255 : 0, 3);
    CoverBitmap(picture, 1920, 1080);
    int across = 0, down = 0;
    for (int x = 0; x < 1920; ++x)
        across += picture.Row(540)[3 * x] > 127;
    for (int y = 0; y < 1080; ++y)
        down += picture.Row(y)[3 * 960] > 127;
    EXPECT_NEAR(across, 938, 2);
    EXPECT_NEAR(down, 938, 2);
}

TEST(Bitmap, SizesAndRows) {
    struct Case {
        int width, height;
        std::size_t stride;
    };
    const Case cases[] = {{1, 1, 4},  {2, 3, 8},  {3, 1, 12},
                          {4, 2, 12}, {5, 5, 16}, {65536, 1, 196608}};
    for (const Case& c : cases) {
        Bitmap picture(c.width, c.height);
        EXPECT_EQ(picture.Width(), c.width);
        EXPECT_EQ(picture.Height(), c.height);
        EXPECT_EQ(picture.Stride(), c.stride);
        EXPECT_EQ(picture.SizeBytes(), c.stride * c.height);
        EXPECT_EQ(picture.Row(c.height - 1), picture.Data() + c.stride * (c.height - 1));
        EXPECT_EQ(reinterpret_cast<std::uintptr_t>(picture.Data()) % Bitmap::Alignment, 0u);
        // The slack after the last row is there to be read and written.
        std::memset(picture.Data(), 1, picture.SizeBytes() + Bitmap::Slack);
    }
}

TEST(Bitmap, RefusesSizesOutsideTheLimits) {
    const int cases[][2] = {{0, 1}, {1, 0}, {-1, 5}, {65537, 1}, {1, 65537}};
    for (const auto& size : cases)
        ExpectMessage([&] { Bitmap picture(size[0], size[1]); },
                      "Invalid picture size: " + std::to_string(size[0]) + " x " +
                          std::to_string(size[1]));
}

TEST(Bitmap, ResizeKeepsTheOldPictureWhenRefused) {
    Bitmap picture = GreyPicture(2, 1, {1, 2});
    EXPECT_THROW(picture.Resize(0, 3), std::runtime_error);
    EXPECT_EQ(GreyValues(picture), (std::vector<int>{1, 2}));
}

TEST(Bitmap, MoveHandsOverThePixels) {
    Bitmap picture = GreyPicture(2, 1, {1, 2});
    const uint8_t* pixels = picture.Data();
    Bitmap moved = std::move(picture);
    EXPECT_EQ(moved.Data(), pixels);
    EXPECT_EQ(moved.Width(), 2);
    EXPECT_TRUE(picture.Empty());
    EXPECT_EQ(picture.SizeBytes(), 0u);
}

} // namespace
