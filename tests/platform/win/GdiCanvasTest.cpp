// SPDX-License-Identifier: GPL-3.0-or-later
// The GDI canvas against the Linux canvas: calendar-1403-01-15.bmp is what the
// Linux build draws (scripts/make-test-pictures: velnora-cli render of
// photo24.bmp stretched to 320 x 260, 15 Farvardin 1403, the current month
// alone, every other choice as it comes), drawn here with GDI.

#include "BmpFile.h"
#include "Compose.h"
#include "GdiCanvas.h"
#include "Stretch.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <vector>

using namespace velnora;

namespace {

// The ink of a drawing: the pixels it changed in the picture drawn on, by more
// than InkLevel over the three channels (faint antialiasing fringes aside).
constexpr int InkLevel = 96;
using Ink = std::vector<std::vector<bool>>;

Ink InkOf(const Bitmap& drawn, const Bitmap& plain) {
    Ink ink(drawn.Height(), std::vector<bool>(drawn.Width()));
    for (int y = 0; y < drawn.Height(); ++y)
        for (int x = 0; x < drawn.Width(); ++x) {
            int change = 0;
            for (int c = 0; c < 3; ++c)
                change += std::abs(drawn.Row(y)[x * 3 + c] - plain.Row(y)[x * 3 + c]);
            ink[y][x] = change > InkLevel;
        }
    return ink;
}

// The share, in percent, of the ink of a that has no ink of b within Reach
// pixels. Both canvases draw Vazirmatn at the same cell height in the same
// places, but Qt's FreeType and Wine's GDI rasterise, hint and embolden on
// their own: strokes differ by a pixel or two in width and place, which
// leaves about 2 % of the Linux canvas's ink apart from GDI's. A text a few
// pixels off, a missing title or today's frame missing leaves more than
// MostApart (every text 3 pixels to the right: 10 % and 6 %).
constexpr int Reach = 2;
constexpr int MostApart = 3;

int PercentApart(const Ink& a, const Ink& b) {
    const int height = static_cast<int>(a.size()), width = static_cast<int>(a[0].size());
    int ink = 0, apart = 0;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            if (!a[y][x])
                continue;
            ++ink;
            bool near = false;
            for (int ny = std::max(0, y - Reach); ny <= std::min(height - 1, y + Reach); ++ny)
                for (int nx = std::max(0, x - Reach); nx <= std::min(width - 1, x + Reach); ++nx)
                    near = near || b[ny][nx];
            apart += !near;
        }
    return ink == 0 ? 100 : apart * 100 / ink;
}

TEST(GdiCanvas, DrawsTheMonthWhereTheLinuxCanvasDrawsIt) {
    Bitmap reference, plain, drawn;
    ASSERT_TRUE(ReadBmpFile(VELNORA_TEST_DATA "/pictures/calendar-1403-01-15.bmp", reference));
    ASSERT_TRUE(ReadBmpFile(VELNORA_TEST_DATA "/pictures/photo24.bmp", plain));
    ASSERT_TRUE(ReadBmpFile(VELNORA_TEST_DATA "/pictures/photo24.bmp", drawn));
    CalendarChoices choices;
    choices.desktopWidth = reference.Width();
    choices.desktopHeight = reference.Height();
    choices.placement.showPrev = choices.placement.showNext = false;
    StretchBitmap(plain, reference.Width(), reference.Height());
    ComposeCalendar(drawn, choices, FillMonthGrids(1403, 1, 15), MakeGdiCanvas);
    const Ink linux = InkOf(reference, plain), gdi = InkOf(drawn, plain);
    EXPECT_LE(PercentApart(linux, gdi), MostApart);
    EXPECT_LE(PercentApart(gdi, linux), MostApart);
}

} // namespace
