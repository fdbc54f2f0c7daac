// SPDX-License-Identifier: GPL-3.0-or-later
// The drawing choices of the settings file, from their texts to the pixels of
// the picture: the calendar's scale, the halo around its texts and the colour
// of Fridays and holidays, through the mapping the window, the unattended run
// and velnora-cli render share.
#include "../support/BmpBytes.h"
#include "../support/TempFolder.h"
#include "DesktopScale.h"
#include "QtCanvas.h"
#include "Settings.h"
#include "Choices.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <memory>
#include <optional>
#include <string>

using namespace velnora;

namespace {

constexpr Pixel White{255, 255, 255};
constexpr Pixel Black{0, 0, 0};
constexpr Pixel PureRed{0, 0, 255};
constexpr Pixel PureGreen{0, 0xC0, 0};

TEST(DrawingSettings, TheReadersTakeTheirTextsOrTheDefault) {
    struct {
        const char* text;
        std::optional<int> percent;
    } const scales[] = {
        {"auto", std::nullopt}, {"100", 100},           {"150", 150},
        {"400", 400},           {" 200", 200},          {"$C8", 200},
        {"99", std::nullopt},   {"401", std::nullopt},  {"", std::nullopt},
        {"2x", std::nullopt},   {"150%", std::nullopt}, {"AUTO", std::nullopt},
    };
    for (const auto& c : scales) {
        Settings settings;
        settings.scale = c.text;
        EXPECT_EQ(ScalePercentOf(settings), c.percent) << c.text;
    }
    struct {
        const char* text;
        TextOutline::Kind kind;
        uint32_t colour;
    } const outlines[] = {
        {"none", TextOutline::Kind::None, 0},    {"auto", TextOutline::Kind::Auto, 0},
        {"0", TextOutline::Kind::Colour, 0},     {"16777215", TextOutline::Kind::Colour, 0xFFFFFF},
        {"255", TextOutline::Kind::Colour, 255}, {"$FF00", TextOutline::Kind::Colour, 0xFF00},
        {"-1", TextOutline::Kind::None, 0},      {"16777216", TextOutline::Kind::None, 0},
        {"white", TextOutline::Kind::None, 0},   {"", TextOutline::Kind::None, 0},
    };
    for (const auto& c : outlines) {
        Settings settings;
        settings.outline = c.text;
        const TextOutline outline = OutlineOf(settings);
        EXPECT_EQ(outline.kind, c.kind) << c.text;
        if (c.kind == TextOutline::Kind::Colour) {
            EXPECT_EQ(outline.colour.value, c.colour) << c.text;
        }
    }
    struct {
        int32_t value;
        std::optional<Colour> colour;
    } const holidays[] = {
        {-1, std::nullopt},        {0, Colour{0}}, {255, Colour{255}}, {0xFFFFFF, Colour{0xFFFFFF}},
        {-2, std::nullopt},        {0x1000000, std::nullopt},
    };
    for (const auto& c : holidays) {
        Settings settings;
        settings.holiday = c.value;
        EXPECT_EQ(HolidayColourOf(settings), c.colour) << c.value;
    }
}

using DrawingSettingsFile = TempFolderTest;

// Loading keeps the texts the readers take and turns the rest into defaults,
// so the window and "velnora-cli settings" show what will be drawn.
TEST_F(DrawingSettingsFile, LoadingNormalisesTheTexts) {
    struct {
        const char* file;
        const char* scale;
        const char* outline;
        int32_t holiday;
    } const cases[] = {
        {"", "auto", "none", -1},
        {"[calendar]\nscale=150\n[color]\noutline=auto\nholiday=192\n", "150", "auto", 192},
        {"[calendar]\nscale= $C8\n[color]\noutline=0x0000FF\n", "200", "255", -1},
        {"[calendar]\nscale=big\n[color]\noutline=halo\nholiday=-5\n", "auto", "none", -1},
        {"[calendar]\nscale=50\n[color]\noutline=-1\nholiday=99999999\n", "auto", "none", -1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        const Settings read = LoadSettings(ProfileFile(Write("case.INI", c.file)));
        EXPECT_EQ(read.scale, c.scale);
        EXPECT_EQ(read.outline, c.outline);
        EXPECT_EQ(read.holiday, c.holiday);
    }
}

TEST(DrawingSettings, PictureChoicesCarryThem) {
    Settings settings;
    CalendarChoices choices = PictureChoicesFor(settings).calendar;
    EXPECT_EQ(choices.scalePercent, DesktopScalePercent());
    EXPECT_EQ(choices.outline.kind, TextOutline::Kind::None);
    EXPECT_EQ(choices.holidayColour, std::nullopt);

    settings.scale = "250";
    settings.outline = "auto";
    settings.holiday = 0x00C000;
    choices = PictureChoicesFor(settings).calendar;
    EXPECT_EQ(choices.scalePercent, 250);
    EXPECT_EQ(choices.outline.kind, TextOutline::Kind::Auto);
    EXPECT_EQ(choices.holidayColour, Colour{0x00C000});
}

// Pictures composed as the program composes them, from the settings' texts.
class DrawingChoicesPicture : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { gui_ = std::make_unique<OffscreenGui>(); }
    static void TearDownTestSuite() { gui_.reset(); }

    // The calendar of 1389/1/15 (day 1 a Sunday, today in column 5, row 3) at
    // the top right of a picture of the given size and colour, 30 pixels in.
    static Bitmap Composed(const Settings& settings, int width, int height, Pixel fill) {
        Bitmap bitmap(width, height);
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                std::memcpy(bitmap.Row(y) + 3 * x, &fill, 3);
        Settings choices = settings;
        choices.stretch = false;
        ComposeCalendar(bitmap, PictureChoicesFor(choices).calendar, FillMonthGrids(1389, 1, 15),
                        MakeQtCanvas);
        return bitmap;
    }

    static Pixel At(const Bitmap& bitmap, int x, int y) {
        const uint8_t* p = bitmap.Row(y) + 3 * x;
        return {p[0], p[1], p[2]};
    }

    // How many pixels of a 23-pixel cell of the current month (slot at 614,
    // 30 on a 1024-pixel picture, at 100 %) are of a colour.
    static int CountInCell(const Bitmap& bitmap, int column, int row, Pixel colour) {
        int count = 0;
        for (int y = 53 + 24 * row; y < 53 + 24 * row + 23; ++y)
            for (int x = 614 + 24 * column; x < 614 + 24 * column + 23; ++x)
                count += At(bitmap, x, y) == colour;
        return count;
    }

    // Pixels of a cell where a colour shows clearly: each channel within 64 of it.
    static int CountNear(const Bitmap& bitmap, int column, int row, Pixel colour) {
        int count = 0;
        for (int y = 53 + 24 * row; y < 53 + 24 * row + 23; ++y)
            for (int x = 614 + 24 * column; x < 614 + 24 * column + 23; ++x) {
                const Pixel p = At(bitmap, x, y);
                count += std::abs(p.blue - colour.blue) < 64 &&
                         std::abs(p.green - colour.green) < 64 && std::abs(p.red - colour.red) < 64;
            }
        return count;
    }

    static std::unique_ptr<OffscreenGui> gui_;
};

std::unique_ptr<OffscreenGui> DrawingChoicesPicture::gui_;

// With the new choices at their defaults the picture is the one drawn at
// 100 %, with no halo and no holiday colour: what the program drew before.
TEST_F(DrawingChoicesPicture, TheDefaultsDrawAsDesigned) {
    if (DesktopScalePercent() != 100)
        GTEST_SKIP() << "this desktop is scaled";
    Settings explicitly;
    explicitly.scale = "100";
    explicitly.outline = "none";
    explicitly.holiday = -1;
    const Bitmap defaults = Composed(Settings{}, 1024, 768, White);
    const Bitmap designed = Composed(explicitly, 1024, 768, White);
    EXPECT_EQ(std::memcmp(defaults.Data(), designed.Data(), defaults.SizeBytes()), 0);
}

// At 200 % today's frame (column 5, row 3 of the current month) lies where
// every length doubled puts it: slots of 380 from 1400 - 3 x 380 - 60, so the
// current month at 580, 60; the frame 820..865 x 250..295, two pixels thick.
TEST_F(DrawingChoicesPicture, TheFrameAt200Percent) {
    Settings settings;
    settings.scale = "200";
    const Bitmap picture = Composed(settings, 1400, 800, White);
    for (int inward : {0, 1}) {
        SCOPED_TRACE(inward);
        EXPECT_EQ(At(picture, 843, 250 + inward), PureRed);
        EXPECT_EQ(At(picture, 843, 295 - inward), PureRed);
        EXPECT_EQ(At(picture, 820 + inward, 273), PureRed);
        EXPECT_EQ(At(picture, 865 - inward, 273), PureRed);
    }
    EXPECT_EQ(At(picture, 843, 249), White);
    EXPECT_EQ(At(picture, 866, 273), White);
    EXPECT_EQ(At(picture, 819, 273), White);
    EXPECT_EQ(At(picture, 820, 250), White); // the corner is round
    // At 100 % the same picture has the frame 1110..1132 x 125..147.
    settings.scale = "100";
    const Bitmap designed = Composed(settings, 1400, 800, White);
    EXPECT_EQ(At(designed, 1121, 125), PureRed);
    EXPECT_EQ(At(designed, 1110, 136), PureRed);
    EXPECT_EQ(At(picture, 1121, 125), White);
}

// Fridays (column 0: the initial and 6, 13, 20, 27) and the fixed holidays
// (1 to 4, 12 and 13 Farvardin) in the holiday colour; other days not.
TEST_F(DrawingChoicesPicture, FridaysAndHolidaysInTheirColour) {
    Settings settings;
    settings.holiday = 0x00C000;
    const Bitmap picture = Composed(settings, 1024, 768, White);
    struct {
        const char* day;
        int column, row;
        bool holiday;
    } const cells[] = {
        {"Friday's initial", 0, 0, true},
        {"6", 0, 1, true},
        {"27", 0, 4, true},
        {"1", 5, 1, true},
        {"4", 2, 1, true},
        {"12", 1, 2, true},
        {"5", 1, 1, false},
        {"8", 5, 2, false},
        {"Saturday's initial", 6, 0, false},
        {"14", 6, 3, false},
    };
    for (const auto& c : cells) {
        SCOPED_TRACE(c.day);
        if (c.holiday) {
            EXPECT_GT(CountInCell(picture, c.column, c.row, PureGreen), 5);
        } else {
            EXPECT_EQ(CountInCell(picture, c.column, c.row, PureGreen), 0);
            EXPECT_GT(CountInCell(picture, c.column, c.row, Black), 5);
        }
    }
    const Bitmap plain = Composed(Settings{}, 1024, 768, White);
    for (int column = 0; column < 7; ++column)
        for (int row = 0; row < 7; ++row)
            EXPECT_EQ(CountInCell(plain, column, row, PureGreen), 0) << column << "," << row;
}

// The halo of day 5 (column 1, row 1): on a white picture a red halo one pixel
// wide all round, the digit's ink grown by one pixel on every side; on a black
// picture the black digit can only be seen through its automatic white halo.
TEST_F(DrawingChoicesPicture, TheHaloAroundADigit) {
    const auto inkBox = [](const Bitmap& picture, Pixel background) {
        struct {
            int left = 10000, top = 10000, right = -1, bottom = -1;
        } box;
        for (int y = 77; y < 100; ++y)
            for (int x = 638; x < 661; ++x)
                if (!(At(picture, x, y) == background)) {
                    box.left = std::min(box.left, x);
                    box.top = std::min(box.top, y);
                    box.right = std::max(box.right, x);
                    box.bottom = std::max(box.bottom, y);
                }
        return box;
    };
    Settings settings;
    settings.today = 0xFF0000; // blue, so that red is the halo's alone
    const Bitmap plain = Composed(settings, 1024, 768, White);
    settings.outline = "255";
    const Bitmap haloed = Composed(settings, 1024, 768, White);
    EXPECT_EQ(CountNear(plain, 1, 1, PureRed), 0);
    EXPECT_GT(CountNear(haloed, 1, 1, PureRed), 10);
    const auto digit = inkBox(plain, White);
    const auto withHalo = inkBox(haloed, White);
    ASSERT_GE(digit.right, digit.left);
    EXPECT_EQ(withHalo.left, digit.left - 1);
    EXPECT_EQ(withHalo.top, digit.top - 1);
    EXPECT_EQ(withHalo.right, digit.right + 1);
    EXPECT_EQ(withHalo.bottom, digit.bottom + 1);
    // Every red pixel touches the digit's ink.
    for (int y = 77; y < 100; ++y)
        for (int x = 638; x < 661; ++x) {
            if (!(At(haloed, x, y) == PureRed))
                continue;
            bool touches = false;
            for (int dy = -1; dy <= 1; ++dy)
                for (int dx = -1; dx <= 1; ++dx)
                    touches = touches || !(At(plain, x + dx, y + dy) == White);
            EXPECT_TRUE(touches) << x << "," << y;
        }

    Settings dark;
    EXPECT_EQ(CountNear(Composed(dark, 1024, 768, Black), 1, 1, White), 0);
    dark.outline = "auto";
    EXPECT_GT(CountNear(Composed(dark, 1024, 768, Black), 1, 1, White), 10);
}

} // namespace
