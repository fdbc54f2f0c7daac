// SPDX-License-Identifier: GPL-3.0-or-later
// The BMP reader against pictures of every kind Qt reads, written here byte by
// byte from a known pattern, and the writer against Qt's reader and the bytes
// of the BMP headers.
#include "BmpFile.h"
#include "../support/BmpBytes.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <QImage>

#include <algorithm>
#include <csignal>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <sys/resource.h>
#include <sys/stat.h>
#include <vector>

using namespace velnora;

namespace fs = std::filesystem;

namespace {

// 13 x 7: every bit depth needs row padding at this width.
constexpr int W = 13;
constexpr int H = 7;

struct Rgb {
    uint8_t r, g, b;
    bool operator==(const Rgb&) const = default;
};

// Palette entry i: distinct colours, no channel a simple function of another.
Rgb PaletteColour(int i) {
    return {static_cast<uint8_t>(i * 37 + 11), static_cast<uint8_t>(i * 91 + 5),
            static_cast<uint8_t>(255 - i * 53)};
}

// The palette index of pixel (x, y), y from the top, for a palette of n colours.
int PatternIndex(int x, int y, int n) {
    return (x * 5 + y * 3 + x * y) % n;
}

// The pattern for true-colour files: a different value in every channel of every pixel.
Rgb TrueColour(int x, int y) {
    return {static_cast<uint8_t>(x * 19 + y * 7), static_cast<uint8_t>(200 - x * 11 + y * 23),
            static_cast<uint8_t>(x * y * 5 + 3)};
}

// Core24: the 12-byte header of OS/2 1.x and Windows 2 with 16-bit sizes.
enum class Kind { Pal1, Pal4, Pal8, Rle4, Rle8, Rgb555, Rgb24, Core24, Rgb32, Argb32Bitfields };

int PaletteSize(Kind kind) {
    switch (kind) {
    case Kind::Pal1:
        return 2;
    case Kind::Pal4:
    case Kind::Rle4:
        return 16;
    case Kind::Pal8:
    case Kind::Rle8:
        return 256;
    default:
        return 0;
    }
}

int BitsPerPixel(Kind kind) {
    switch (kind) {
    case Kind::Pal1:
        return 1;
    case Kind::Pal4:
    case Kind::Rle4:
        return 4;
    case Kind::Pal8:
    case Kind::Rle8:
        return 8;
    case Kind::Rgb555:
        return 16;
    case Kind::Rgb24:
    case Kind::Core24:
        return 24;
    default:
        return 32;
    }
}

// The colour a reader must give for pixel (x, y) of a file of this kind.
Rgb Expected(Kind kind, int x, int y) {
    if (const int n = PaletteSize(kind))
        return PaletteColour(PatternIndex(x, y, n));
    const Rgb c = TrueColour(x, y);
    if (kind == Kind::Rgb555) // five bits a channel: the low three are lost
        return {static_cast<uint8_t>(c.r & 0xF8), static_cast<uint8_t>(c.g & 0xF8),
                static_cast<uint8_t>(c.b & 0xF8)};
    return c;
}

// One row of uncompressed pixel data, padded to 4 bytes.
Bytes PixelRow(Kind kind, int y) {
    const int bits = BitsPerPixel(kind);
    Bytes row((static_cast<std::size_t>(W) * bits + 31) / 32 * 4, 0);
    const int n = PaletteSize(kind);
    for (int x = 0; x < W; ++x) {
        const Rgb c = TrueColour(x, y);
        switch (bits) {
        case 1:
        case 4:
        case 8: {
            const int bit = x * bits;
            row[bit / 8] |= static_cast<uint8_t>(PatternIndex(x, y, n) << (8 - bits - bit % 8));
            break;
        }
        case 16:
            Put16(row, x * 2, (c.r >> 3) << 10 | (c.g >> 3) << 5 | (c.b >> 3));
            break;
        case 24:
            row[x * 3] = c.b;
            row[x * 3 + 1] = c.g;
            row[x * 3 + 2] = c.r;
            break;
        default: // alpha zero: many writers leave it so, and it must not blank the picture
            Put32(row, x * 4, static_cast<uint32_t>(c.r) << 16 | c.g << 8 | c.b);
            break;
        }
    }
    return row;
}

// RLE data for one row: the first row in absolute mode, the others as runs.
void AppendRleRow(Kind kind, int y, Bytes& out) {
    const int n = PaletteSize(kind);
    if (kind == Kind::Rle8) {
        if (y == 0) {
            out.insert(out.end(), {0, W});
            for (int x = 0; x < W; ++x)
                out.push_back(static_cast<uint8_t>(PatternIndex(x, y, n)));
            out.push_back(0); // absolute runs end on a 16-bit boundary
        } else {
            for (int x = 0; x < W;) {
                int run = 1;
                while (x + run < W && PatternIndex(x + run, y, n) == PatternIndex(x, y, n))
                    ++run;
                out.insert(out.end(), {static_cast<uint8_t>(run),
                                       static_cast<uint8_t>(PatternIndex(x, y, n))});
                x += run;
            }
        }
    } else {
        // Encoded runs of two pixels: the two nibbles alternate.
        for (int x = 0; x < W; x += 2) {
            const int count = x + 1 < W ? 2 : 1;
            const int second = count == 2 ? PatternIndex(x + 1, y, n) : 0;
            out.insert(out.end(), {static_cast<uint8_t>(count),
                                   static_cast<uint8_t>(PatternIndex(x, y, n) << 4 | second)});
        }
    }
    out.insert(out.end(), {0, 0}); // end of line
}

Bytes MakeBmp(Kind kind, bool topDown) {
    const bool bitfields = kind == Kind::Argb32Bitfields;
    const bool rle = kind == Kind::Rle4 || kind == Kind::Rle8;
    // BITMAPV5HEADER for the alpha mask, else BITMAPINFOHEADER.
    const std::size_t infoSize = bitfields ? 124 : 40;
    const int colours = PaletteSize(kind);
    const std::size_t offset = 14 + infoSize + 4 * static_cast<std::size_t>(colours);
    Bytes pixels;
    for (int i = 0; i < H; ++i) {
        const int y = topDown ? i : H - 1 - i;
        if (rle) {
            AppendRleRow(kind, y, pixels);
        } else {
            const Bytes row = PixelRow(kind, y);
            pixels.insert(pixels.end(), row.begin(), row.end());
        }
    }
    if (rle)
        pixels.insert(pixels.end(), {0, 1}); // end of bitmap

    Bytes file(offset + pixels.size(), 0);
    std::copy(pixels.begin(), pixels.end(), file.begin() + static_cast<std::ptrdiff_t>(offset));
    file[0] = 'B';
    file[1] = 'M';
    Put32(file, 2, static_cast<uint32_t>(offset + pixels.size()));
    Put32(file, 10, static_cast<uint32_t>(offset));
    Put32(file, 14, static_cast<uint32_t>(infoSize));
    Put32(file, 18, W);
    Put32(file, 22, static_cast<uint32_t>(topDown ? -H : H));
    Put16(file, 26, 1);
    Put16(file, 28, static_cast<uint32_t>(BitsPerPixel(kind)));
    const uint32_t compression = kind == Kind::Rle8   ? 1
                                 : kind == Kind::Rle4 ? 2
                                 : bitfields          ? 3
                                                      : 0;
    Put32(file, 30, compression);
    Put32(file, 34, static_cast<uint32_t>(pixels.size()));
    Put32(file, 46, static_cast<uint32_t>(colours));
    if (bitfields) {
        Put32(file, 54, 0x00FF0000);
        Put32(file, 58, 0x0000FF00);
        Put32(file, 62, 0x000000FF);
        Put32(file, 66, 0xFF000000);
        Put32(file, 70, 0x73524742); // LCS_sRGB
    }
    for (int i = 0; i < colours; ++i) {
        const Rgb c = PaletteColour(i);
        const std::size_t at = 14 + infoSize + 4 * static_cast<std::size_t>(i);
        file[at] = c.b;
        file[at + 1] = c.g;
        file[at + 2] = c.r;
    }
    if (kind == Kind::Core24) {
        // The same file with the 40-byte header cut to the 12-byte core header.
        Bytes core(file.begin(), file.begin() + 26);
        core.insert(core.end(), file.begin() + 54, file.end());
        Put32(core, 2, static_cast<uint32_t>(core.size()));
        Put32(core, 10, 26);
        Put32(core, 14, 12);
        Put16(core, 18, W);
        Put16(core, 20, static_cast<uint32_t>(H));
        Put16(core, 22, 1);
        Put16(core, 24, 24);
        return core;
    }
    return file;
}

Rgb PixelOf(const Bitmap& bitmap, int x, int y) {
    const uint8_t* p = bitmap.Row(y) + x * 3;
    return {p[2], p[1], p[0]};
}

struct ReadCase {
    const char* name;
    Kind kind;
    bool topDown;
};

class BmpReadTest : public testing::TestWithParam<ReadCase> {};

TEST_P(BmpReadTest, GivesEveryPixelInTheWorkFormat) {
    const ReadCase& c = GetParam();
    TempFolder dir;
    const std::string path = dir / "picture.bmp";
    WriteBytes(path, MakeBmp(c.kind, c.topDown));

    Bitmap bitmap;
    std::string why;
    ASSERT_TRUE(ReadBmpFile(path, bitmap, &why)) << why;
    ASSERT_EQ(bitmap.Width(), W);
    ASSERT_EQ(bitmap.Height(), H);
    for (int y = 0; y < H; ++y)
        for (int x = 0; x < W; ++x) {
            const Rgb want = Expected(c.kind, x, y);
            const Rgb got = PixelOf(bitmap, x, y);
            ASSERT_EQ(got, want) << "pixel " << x << "," << y << " got " << int(got.r) << " "
                                 << int(got.g) << " " << int(got.b);
        }
}

INSTANTIATE_TEST_SUITE_P(
    EveryKind, BmpReadTest,
    testing::Values(ReadCase{"Mono", Kind::Pal1, false}, ReadCase{"Pal4", Kind::Pal4, false},
                    ReadCase{"Pal8", Kind::Pal8, false}, ReadCase{"Pal8TopDown", Kind::Pal8, true},
                    ReadCase{"Rle4", Kind::Rle4, false}, ReadCase{"Rle8", Kind::Rle8, false},
                    ReadCase{"Rgb555", Kind::Rgb555, false}, ReadCase{"Rgb24", Kind::Rgb24, false},
                    ReadCase{"Core24", Kind::Core24, false},
                    ReadCase{"Rgb24TopDown", Kind::Rgb24, true},
                    ReadCase{"Rgb32", Kind::Rgb32, false},
                    ReadCase{"Argb32ZeroAlpha", Kind::Argb32Bitfields, false}),
    [](const auto& info) { return std::string(info.param.name); });

// Files the reader must refuse without throwing, leaving the bitmap as it was.
TEST(BmpRead, RefusesWhatIsNotABmp) {
    TempFolder dir;
    const Bytes whole = MakeBmp(Kind::Rgb24, false);
    const struct {
        const char* name;
        Bytes bytes;
    } files[] = {
        {"empty.bmp", {}},
        {"header-only.bmp", Bytes(whole.begin(), whole.begin() + 30)},
        {"png.bmp", {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n', 0, 0, 0, 13, 'I', 'H', 'D', 'R'}},
        {"jpeg.bmp", {0xFF, 0xD8, 0xFF, 0xE0, 0, 16, 'J', 'F', 'I', 'F', 0}},
    };
    for (const auto& file : files) {
        WriteBytes(dir / file.name, file.bytes);
        Bitmap bitmap(2, 2);
        EXPECT_FALSE(ReadBmpFile(dir / file.name, bitmap)) << file.name;
        EXPECT_EQ(bitmap.Width(), 2) << file.name;
    }
    Bitmap bitmap;
    EXPECT_FALSE(ReadBmpFile(dir / "missing.bmp", bitmap));
    EXPECT_FALSE(ReadBmpFile(dir.Path(), bitmap));
    EXPECT_TRUE(bitmap.Empty());
}

// A file cut short is refused before its pixel memory is taken: its header
// alone could claim gigabytes. Only the last row's padding may be missing.
TEST(BmpRead, RefusesAFileCutShort) {
    TempFolder dir;
    Bytes file = MakeBmp(Kind::Rgb24, false);
    Bitmap bitmap;
    file.resize(file.size() - 1); // the top row's padding is one byte
    WriteBytes(dir / "padding.bmp", file);
    EXPECT_TRUE(ReadBmpFile(dir / "padding.bmp", bitmap));
    file.resize(54 + 40 * 3 + 17); // three bottom rows and part of a fourth
    WriteBytes(dir / "cut.bmp", file);
    ExpectMessage([&] { ReadBmpFile(dir / "cut.bmp", bitmap); },
                  "Cannot read picture \"" + dir / "cut.bmp" + "\": damaged BMP file");
}

// A header claiming a picture the program will not hold is refused from the
// header alone, before the pixels are read (the file holds none).
TEST(BmpRead, RefusesTooLargeFromTheHeader) {
    const struct {
        int width, height;
        const char* message;
    } cases[] = {
        {20000, 20000, "Picture too large: 20000 x 20000"},
        {70000, 1, "Picture too large: 70000 x 1"},
        {1, 70000, "Picture too large: 1 x 70000"},
    };
    TempFolder dir;
    for (const auto& c : cases) {
        Bytes file = MakeBmp(Kind::Rgb24, false);
        Put32(file, 18, static_cast<uint32_t>(c.width));
        Put32(file, 22, static_cast<uint32_t>(c.height));
        WriteBytes(dir / "huge.bmp", file);
        Bitmap bitmap;
        ExpectMessage([&] { ReadBmpFile(dir / "huge.bmp", bitmap); }, c.message);
    }
}

Bitmap Pattern(int width, int height) {
    Bitmap bitmap(width, height);
    for (int y = 0; y < height; ++y) {
        uint8_t* row = bitmap.Row(y);
        for (int x = 0; x < width; ++x) {
            const Rgb c = TrueColour(x, y);
            row[x * 3] = c.b;
            row[x * 3 + 1] = c.g;
            row[x * 3 + 2] = c.r;
        }
        // Garbage in the padding must not reach the file.
        for (std::size_t i = static_cast<std::size_t>(width) * 3; i < bitmap.Stride(); ++i)
            row[i] = 0xAA;
    }
    return bitmap;
}

TEST(BmpWrite, WritesA24BitBottomUpFileQtReadsBack) {
    TempFolder dir;
    const std::string path = dir / "Velnora.bmp";
    const Bitmap bitmap = Pattern(W, H);
    WriteBmpFile(path, bitmap);

    const Bytes file = ReadBytes(path);
    const std::size_t stride = 40; // 13 * 3 = 39, padded to 4
    ASSERT_EQ(file.size(), 54 + stride * H);
    EXPECT_EQ(Bytes(file.begin(), file.begin() + 54), Bmp24Header(W, H));
    // The first row in the file is the bottom row of the picture; padding is zero.
    EXPECT_EQ(file[54], bitmap.Row(H - 1)[0]);
    EXPECT_EQ(file[54 + 39], 0);
    EXPECT_EQ(Get32(file, 54 + stride * (H - 1)),
              Get32(Bytes(bitmap.Row(0), bitmap.Row(0) + 4), 0));

    const QImage image(QString::fromStdString(path), "bmp");
    ASSERT_EQ(image.size(), QSize(W, H));
    for (int y = 0; y < H; ++y)
        for (int x = 0; x < W; ++x) {
            const Rgb c = TrueColour(x, y);
            ASSERT_EQ(image.pixel(x, y), qRgb(c.r, c.g, c.b)) << x << "," << y;
        }
    Bitmap again;
    ASSERT_TRUE(ReadBmpFile(path, again));
    for (int y = 0; y < H; ++y)
        ASSERT_EQ(std::memcmp(again.Row(y), bitmap.Row(y), W * 3), 0) << "row " << y;

    struct stat status;
    ASSERT_EQ(stat(path.c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 0777, 0600u);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.Path()), fs::directory_iterator()), 1);
}

// Pictures larger than one write chunk go out in several writes, bottom row first.
TEST(BmpWrite, WritesLargePicturesWhole) {
    TempFolder dir;
    const std::string path = dir / "large.bmp";
    Bitmap bitmap(1001, 700);
    for (int y = 0; y < bitmap.Height(); ++y)
        std::memset(bitmap.Row(y), y % 251, bitmap.Stride());
    WriteBmpFile(path, bitmap);
    const Bytes file = ReadBytes(path);
    const std::size_t stride = bitmap.Stride();
    ASSERT_EQ(file.size(), 54 + stride * 700);
    for (int i = 0; i < 700; ++i)
        ASSERT_EQ(file[54 + stride * static_cast<std::size_t>(i)], (699 - i) % 251) << "row " << i;
}

TEST(BmpWrite, ReplacesTheOldFile) {
    TempFolder dir;
    const std::string path = dir / "Velnora.bmp";
    WriteBytes(path, Bytes(100000, 7));
    WriteBmpFile(path, Pattern(3, 2));
    EXPECT_EQ(fs::file_size(path), 54u + 12 * 2);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.Path()), fs::directory_iterator()), 1);
}

TEST(BmpWrite, ReportsAFileThatCannotBeCreated) {
    TempFolder dir;
    const Bitmap bitmap = Pattern(3, 2);
    const std::string missing = dir / "no such folder/Velnora.bmp";
    ExpectMessage([&] { WriteBmpFile(missing, bitmap); },
                  "Cannot create file \"" + missing + "\". No such file or directory");

    // A folder where the picture should go: the temporary file is made beside
    // it, the rename fails, and the temporary file goes again.
    const std::string folder = dir / "Velnora.bmp";
    fs::create_directory(folder);
    WriteBytes(folder + "/inside", Bytes(10, 1));
    ExpectMessage([&] { WriteBmpFile(folder, bitmap); },
                  "Cannot create file \"" + folder + "\". Is a directory");
    EXPECT_TRUE(fs::is_directory(folder));
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.Path()), fs::directory_iterator()), 1);
}

// A write that fails half-way (here the file-size limit, standing in for a full
// disk) leaves the old picture whole and no temporary file behind.
TEST(BmpWrite, AFailedWriteKeepsTheOldPicture) {
    TempFolder dir;
    const std::string path = dir / "Velnora.bmp";
    const Bytes old(5000, 42);
    WriteBytes(path, old);

    const Bitmap bitmap = Pattern(200, 100); // 60054 bytes
    rlimit saved;
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto previous = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 10000;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    ExpectMessage([&] { WriteBmpFile(path, bitmap); },
                  "Cannot create file \"" + path + "\". File too large");
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previous);

    EXPECT_EQ(ReadBytes(path), old);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.Path()), fs::directory_iterator()), 1);
}

} // namespace
