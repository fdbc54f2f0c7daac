// SPDX-License-Identifier: GPL-3.0-or-later

#include "QtCanvas.h"

#include <QFont>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

using namespace velnora;

namespace {

constexpr Colour Red{0x000000FF}; // 0x00BBGGRR
constexpr Colour Blue{0x00FF0000};
// A number width no face exceeds: the face at its full size.
constexpr int NoLimit = 1000;

struct Pixel {
    uint8_t blue, green, red;
    bool operator==(const Pixel&) const = default;
};

constexpr Pixel White{255, 255, 255};
constexpr Pixel PureRed{0, 0, 255};
constexpr Pixel PureBlue{255, 0, 0};

class QtCanvasTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { gui_ = std::make_unique<OffscreenGui>(); }
    static void TearDownTestSuite() { gui_.reset(); }

    static Bitmap Filled(int width, int height, Pixel colour) {
        Bitmap bitmap(width, height);
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                std::memcpy(bitmap.Row(y) + 3 * x, &colour, 3);
        return bitmap;
    }

    static Pixel At(const Bitmap& bitmap, int x, int y) {
        const uint8_t* p = bitmap.Row(y) + 3 * x;
        return {p[0], p[1], p[2]};
    }

    static std::unique_ptr<OffscreenGui> gui_;
};

std::unique_ptr<OffscreenGui> QtCanvasTest::gui_;

// The grid font: whatever face is found, its cell (ascent + descent) is the
// 22 pixels the placement arithmetic is built on.
TEST_F(QtCanvasTest, FontCellHeightIsAsAsked) {
    Bitmap bitmap = Filled(16, 16, White);
    const auto canvas = MakeQtCanvas(bitmap);
    for (const char* face :
         {"v_Mitra", "Nazli", "Noto Naskh Arabic", "DejaVu Sans", "No Such Face"}) {
        for (bool bold : {true, false}) {
            SCOPED_TRACE(std::string(face) + (bold ? " bold" : ""));
            canvas->SetFont(face, 22, bold, NoLimit);
            EXPECT_EQ(canvas->MeasureText("15").height, 22);
            EXPECT_EQ(canvas->MeasureText("\xDD\xD1\xE6\xD1\xCF\xED\xE4 1389").height, 22);
        }
    }
    // Where no whole pixel size gives the cell exactly, the largest not taller.
    canvas->SetFont("v_Mitra", 40, true, NoLimit);
    EXPECT_LE(canvas->MeasureText("7").height, 40);
    EXPECT_GE(canvas->MeasureText("7").height, 38);
}

TEST_F(QtCanvasTest, WidthsGrowWithTheText) {
    Bitmap bitmap = Filled(16, 16, White);
    const auto canvas = MakeQtCanvas(bitmap);
    canvas->SetFont("v_Mitra", 22, true, NoLimit);
    EXPECT_EQ(canvas->MeasureText("").width, 0);
    const int one = canvas->MeasureText("1").width;
    EXPECT_GT(one, 0);
    EXPECT_LT(one, 23);
    EXPECT_GT(canvas->MeasureText("11").width, one);
}

// Where neither v_Mitra nor Mitra is installed the canvas draws with the face
// shipped in the resources, at the largest pixel size whose cell is 22 pixels
// or less. Each text drawn by the canvas is that face's drawing of the
// expected Unicode text and visibly not the drawing of the unlike one: ASCII
// digits become the Persian digits, the code page's Arabic yeh and kaf the
// Persian yeh and keheh.
TEST_F(QtCanvasTest, DigitsAndLettersAreDrawnInTheirPersianForms) {
    if (QFontDatabase::hasFamily("v_Mitra") || QFontDatabase::hasFamily("Mitra"))
        GTEST_SKIP() << "the comparison is made with the shipped face";
    Bitmap scratch = Filled(4, 4, White);
    MakeQtCanvas(scratch)->SetFont("v_Mitra", 22, true, NoLimit); // registers the face
    ASSERT_TRUE(QFontDatabase::hasFamily("Vazirmatn"));
    QFont shipped("Vazirmatn");
    shipped.setBold(true);
    int size = 40;
    do
        shipped.setPixelSize(--size);
    while (QFontMetrics(shipped).ascent() + QFontMetrics(shipped).descent() > 22);

    const auto drawnByQt = [&](const QString& text) {
        Bitmap bitmap = Filled(60, 30, White);
        QImage image(bitmap.Data(), 60, 30, static_cast<qsizetype>(bitmap.Stride()),
                     QImage::Format_BGR888);
        QPainter painter(&image);
        painter.setLayoutDirection(Qt::RightToLeft);
        painter.setFont(shipped);
        painter.setPen(QColor(255, 0, 0));
        painter.drawText(QPoint(4, 3 + QFontMetrics(shipped).ascent()), text);
        painter.end();
        return bitmap;
    };
    const auto drawnByCanvas = [&](const std::string& text) {
        Bitmap bitmap = Filled(60, 30, White);
        const auto canvas = MakeQtCanvas(bitmap);
        canvas->SetFont("v_Mitra", 22, true, NoLimit);
        canvas->DrawTextAt(4, 3, text, Red);
        return bitmap;
    };
    const auto same = [](const Bitmap& a, const Bitmap& b) {
        return std::memcmp(a.Data(), b.Data(), a.SizeBytes()) == 0;
    };
    struct {
        std::string bytes;
        QString drawn, unlike;
    } const cases[] = {
        {"5", QString::fromUtf16(u"\u06F5"), "5"},
        {"4", QString::fromUtf16(u"\u06F4"), QString::fromUtf16(u"\u0664")},
        {"1389", QString::fromUtf16(u"\u06F1\u06F3\u06F8\u06F9"), "1389"},
        // Sunday's initial, the month Dey, and kaf alone and at a word's end (its
        // joined forms before a letter look alike).
        {"\xED", QString::fromUtf16(u"\u06CC"), QString::fromUtf16(u"\u064A")},
        {"\xCF\xED", QString::fromUtf16(u"\u062F\u06CC"), QString::fromUtf16(u"\u062F\u064A")},
        {"\xDF", QString::fromUtf16(u"\u06A9"), QString::fromUtf16(u"\u0643")},
        {"\xC8\xDF", QString::fromUtf16(u"\u0628\u06A9"), QString::fromUtf16(u"\u0628\u0643")},
    };
    for (int digit = 0; digit <= 9; ++digit) {
        SCOPED_TRACE(digit);
        EXPECT_TRUE(same(drawnByCanvas(std::to_string(digit)),
                         drawnByQt(QString(QChar(char16_t(0x06F0 + digit))))));
    }
    for (const auto& c : cases) {
        SCOPED_TRACE(c.bytes);
        const Bitmap canvas = drawnByCanvas(c.bytes);
        EXPECT_TRUE(same(canvas, drawnByQt(c.drawn)));
        EXPECT_FALSE(same(canvas, drawnByQt(c.unlike)));
    }
}

// Day numbers fit their 23-pixel cell in every face of the chain (DejaVu Sans
// at the cell's height would run them into their neighbours), and their texts
// still measure the 22 pixels the placement is built on. In the face the
// canvas falls back to, the two digits of every number stand apart: a column
// without solid ink (more than half a pixel covered) lies between them.
TEST_F(QtCanvasTest, DayNumbersFitTheirCellsWithTheirDigitsApart) {
    for (const char* face : {"v_Mitra", "Nazli", "Noto Naskh Arabic", "DejaVu Sans"}) {
        SCOPED_TRACE(face);
        Bitmap bitmap = Filled(40, 30, White);
        const auto canvas = MakeQtCanvas(bitmap);
        canvas->SetFont(face, 22, true, 23);
        for (int day = 1; day <= 31; ++day) {
            const TextSize size = canvas->MeasureText(std::to_string(day));
            EXPECT_LE(size.width, 23) << day;
            EXPECT_EQ(size.height, 22) << day;
        }
    }
    for (int day = 10; day <= 31; ++day) {
        SCOPED_TRACE(day);
        Bitmap bitmap = Filled(40, 30, White);
        const auto canvas = MakeQtCanvas(bitmap);
        canvas->SetFont("v_Mitra", 22, true, 23);
        canvas->DrawTextAt(8, 4, std::to_string(day), Blue);
        std::string columns; // '#' for a column with solid ink
        for (int x = 0; x < 40; ++x) {
            bool ink = false;
            for (int y = 0; y < 30; ++y)
                ink = ink || At(bitmap, x, y).green < 128;
            columns += ink ? '#' : '.';
        }
        const std::size_t first = columns.find('#'), last = columns.rfind('#');
        ASSERT_NE(first, std::string::npos);
        EXPECT_LE(last - first + 1, 23u) << columns;
        EXPECT_NE(columns.substr(first, last - first).find('.'), std::string::npos) << columns;
    }
}

// Too narrow a width for the face: smaller glyphs, centred in the cell the
// larger face measured, so the text still stands where it stood.
TEST_F(QtCanvasTest, ANarrowerFaceKeepsItsTextsPlace) {
    Bitmap bitmap = Filled(60, 40, White);
    const auto canvas = MakeQtCanvas(bitmap);
    canvas->SetFont("v_Mitra", 22, true, 12);
    EXPECT_LE(canvas->MeasureText("28").width, 12);
    EXPECT_EQ(canvas->MeasureText("28").height, 22);
    canvas->DrawTextAt(10, 8, "28", Blue);
    int top = 40, bottom = -1;
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 60; ++x)
            if (!(At(bitmap, x, y) == White)) {
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
    EXPECT_GE(top, 8 + 2);
    EXPECT_LE(bottom, 8 + 22 - 2);
}

// Text ink is in the given colour, blended only with what lay beneath: no
// background box, and it starts at the given left and top.
TEST_F(QtCanvasTest, TextIsDrawnInItsColourOnATransparentBackground) {
    const Pixel green{0, 255, 0};
    Bitmap bitmap = Filled(60, 40, green);
    const auto canvas = MakeQtCanvas(bitmap);
    canvas->SetFont("v_Mitra", 22, true, NoLimit);
    const TextSize size = canvas->MeasureText("28");
    canvas->DrawTextAt(10, 8, "28", Blue);

    int ink = 0, pure = 0;
    int inkLeft = 60, inkRight = -1, inkTop = 40, inkBottom = -1;
    for (int y = 0; y < 40; ++y) {
        for (int x = 0; x < 60; ++x) {
            const Pixel p = At(bitmap, x, y);
            if (p == green)
                continue;
            ++ink;
            pure += p == PureBlue;
            // A blend of blue over green: no red, green and blue adding up.
            EXPECT_EQ(p.red, 0) << x << "," << y;
            EXPECT_NEAR(p.blue + p.green, 255, 2) << x << "," << y;
            inkLeft = std::min(inkLeft, x);
            inkRight = std::max(inkRight, x);
            inkTop = std::min(inkTop, y);
            inkBottom = std::max(inkBottom, y);
        }
    }
    EXPECT_GT(pure, 0);
    // Antialiased: some ink only partly covers its pixel.
    EXPECT_GT(ink, pure);
    // Far less ink than the text's box: nothing was filled behind the text.
    EXPECT_LT(ink, size.width * size.height / 2);
    EXPECT_GE(inkLeft, 10 - 1);
    EXPECT_LE(inkLeft, 10 + 3);
    EXPECT_LE(inkRight, 10 + size.width);
    EXPECT_GE(inkTop, 8);
    EXPECT_LT(inkBottom, 8 + 22);
}

// A Persian reader reads the title from the right: month name, then year. So
// the year is the left part of the drawn title, and the left end of the title
// is drawn exactly as the year alone.
TEST_F(QtCanvasTest, TitleRunsFromRightToLeft) {
    const std::string year = "1389";
    const std::string title = "\xDD\xD1\xE6\xD1\xCF\xED\xE4 " + year;
    const auto drawn = [](const std::string& text, int* width) {
        Bitmap bitmap = Filled(200, 30, White);
        const auto canvas = MakeQtCanvas(bitmap);
        canvas->SetFont("v_Mitra", 22, true, NoLimit);
        *width = canvas->MeasureText(text).width;
        canvas->DrawTextAt(5, 4, text, Blue);
        return bitmap;
    };
    int yearWidth = 0, titleWidth = 0;
    const Bitmap yearAlone = drawn(year, &yearWidth);
    const Bitmap whole = drawn(title, &titleWidth);
    ASSERT_GT(titleWidth, yearWidth + 10);
    int inkInYear = 0;
    for (int y = 0; y < 30; ++y) {
        for (int x = 0; x < 5 + yearWidth; ++x) {
            EXPECT_EQ(At(whole, x, y), At(yearAlone, x, y)) << x << "," << y;
            inkInYear += !(At(whole, x, y) == White);
        }
    }
    EXPECT_GT(inkInYear, 0);
    // And the name is drawn to the right of it, within the measured width.
    int inkRight = -1;
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 200; ++x)
            if (!(At(whole, x, y) == White))
                inkRight = std::max(inkRight, x);
    EXPECT_GT(inkRight, 5 + yearWidth + 10);
    EXPECT_LE(inkRight, 5 + titleWidth + 1);
}

// Today's frame of a 23-pixel cell with 20 x 20 corners, as drawn: right and
// bottom edges exclusive, the corners cut round, the inside untouched.
TEST_F(QtCanvasTest, FramePixelsAreGdiRoundRect) {
    const char* const expected[] = {
        "..........###..........", "......####...####......", "....##...........##....",
        "...#...............#...", "..#.................#..", "..#.................#..",
        ".#...................#.", ".#...................#.", ".#...................#.",
        ".#...................#.", "#.....................#", "#.....................#",
        "#.....................#", ".#...................#.", ".#...................#.",
        ".#...................#.", ".#...................#.", "..#.................#..",
        "..#.................#..", "...#...............#...", "....##...........##....",
        "......####...####......", "..........###..........",
    };
    Bitmap bitmap = Filled(33, 33, White);
    MakeQtCanvas(bitmap)->RoundRect(5, 5, 28, 28, 20, 20, Red, 1);
    for (int y = 0; y < 33; ++y) {
        std::string row;
        for (int x = 0; x < 33; ++x) {
            const Pixel p = At(bitmap, x, y);
            ASSERT_TRUE(p == White || p == PureRed) << "not antialiased at " << x << "," << y;
            const bool inBox = x >= 5 && x < 28 && y >= 5 && y < 28;
            if (!inBox)
                EXPECT_EQ(p, White) << "outside the frame at " << x << "," << y;
            else
                row += p == PureRed ? '#' : '.';
        }
        if (y >= 5 && y < 28) {
            EXPECT_EQ(row, expected[y - 5]) << "row " << y - 5;
        }
    }
}

TEST_F(QtCanvasTest, FrameShapesForOtherSizes) {
    struct {
        int width, height, ellipse;
        std::vector<std::string> rows;
    } const cases[] = {
        // No rounding: a plain rectangle.
        {4, 3, 0, {"####", "#..#", "####"}},
        {5, 5, 3, {".###.", "#...#", "#...#", "#...#", ".###."}},
        // A corner ellipse larger than the box is held to the box.
        {3, 3, 20, {".#.", "#.#", ".#."}},
        {1, 1, 20, {"#"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.width) + "x" + std::to_string(c.height));
        Bitmap bitmap = Filled(10, 10, White);
        MakeQtCanvas(bitmap)->RoundRect(2, 2, 2 + c.width, 2 + c.height, c.ellipse, c.ellipse, Red,
                                        1);
        for (int y = 0; y < 10; ++y) {
            for (int x = 0; x < 10; ++x) {
                const bool inBox = x >= 2 && x < 2 + c.width && y >= 2 && y < 2 + c.height;
                const bool marked = inBox && c.rows[y - 2][x - 2] == '#';
                EXPECT_EQ(At(bitmap, x, y), marked ? PureRed : White) << x << "," << y;
            }
        }
    }
}

// A frame at 200 %: a 46-pixel cell, 40 x 40 corners, a pen of 2 pixels all
// within the box; the straight edges are two pixels thick, the inside and the
// corners' outside untouched.
TEST_F(QtCanvasTest, AWiderPenThickensTheFrameInward) {
    Bitmap bitmap = Filled(60, 60, White);
    MakeQtCanvas(bitmap)->RoundRect(5, 5, 51, 51, 40, 40, Red, 2);
    for (int offset : {0, 1}) {
        SCOPED_TRACE(offset);
        EXPECT_EQ(At(bitmap, 28, 5 + offset), PureRed);  // top
        EXPECT_EQ(At(bitmap, 28, 50 - offset), PureRed); // bottom
        EXPECT_EQ(At(bitmap, 5 + offset, 28), PureRed);  // left
        EXPECT_EQ(At(bitmap, 50 - offset, 28), PureRed); // right
    }
    EXPECT_EQ(At(bitmap, 28, 7), White);
    EXPECT_EQ(At(bitmap, 28, 4), White);
    EXPECT_EQ(At(bitmap, 51, 28), White);
    EXPECT_EQ(At(bitmap, 5, 5), White);   // the corner is cut round
    EXPECT_EQ(At(bitmap, 28, 28), White); // not filled
    // Every row crossing the frame has red at both sides, with no gap between
    // the outer and inner line: two pixels of red at least on each side.
    for (int y = 5; y <= 50; ++y) {
        int red = 0;
        for (int x = 0; x < 60; ++x)
            red += At(bitmap, x, y) == PureRed;
        EXPECT_GE(red, 4) << y;
    }
}

// Whatever lies off the picture is clipped away without error, and the padding
// at the end of each row is left alone.
TEST_F(QtCanvasTest, DrawingOffThePictureIsClipped) {
    Bitmap bitmap = Filled(10, 10, White);
    for (int y = 0; y < 10; ++y)
        std::memset(bitmap.Row(y) + 30, 0xAB, bitmap.Stride() - 30);
    {
        const auto canvas = MakeQtCanvas(bitmap);
        canvas->SetFont("v_Mitra", 22, true, NoLimit);
        canvas->DrawTextAt(-5, -18, "\xDD\xD1\xE6\xD1\xCF\xED\xE4 1389", Blue);
        canvas->DrawTextAt(1 << 20, -(1 << 20), "28", Blue);
        canvas->RoundRect(-30, -30, 8, 30, 20, 20, Red, 1);
        canvas->RoundRect(-100, 5, 200, 100, 20, 20, Red, 1);
        canvas->RoundRect(-(1 << 20), -(1 << 20), 1 << 20, 1 << 20, 20, 20, Red, 1);
    }
    // The right edge of the first frame runs down column 7 near the top.
    EXPECT_EQ(At(bitmap, 7, 0), PureRed);
    // The top edge of the second frame crosses the whole row 5.
    for (int x = 0; x < 10; ++x)
        EXPECT_EQ(At(bitmap, x, 5), PureRed) << x;
    for (int y = 0; y < 10; ++y)
        for (std::size_t i = 30; i < bitmap.Stride(); ++i)
            EXPECT_EQ(bitmap.Row(y)[i], 0xAB);
}

TEST_F(QtCanvasTest, AnEmptyPictureCannotBeDrawnOn) {
    Bitmap empty;
    EXPECT_THROW(MakeQtCanvas(empty), std::runtime_error);
}

} // namespace
