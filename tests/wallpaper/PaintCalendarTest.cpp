// SPDX-License-Identifier: GPL-3.0-or-later

#include "Wallpaper.h"

#include "../support/BmpBytes.h"
#include "../support/FakeDesktop.h"
#include "../support/TempFolder.h"
#include "BmpFile.h"
#include "ProgramCopy.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <stdexcept>

using namespace velnora;

namespace fs = std::filesystem;

namespace {

class PaintCalendarTest : public TempFolderTest {
  protected:
    void SetUp() override {
        TempFolderTest::SetUp();
        context_.files = {PathOf("velnora"), PathOf("velnora.INI"), PathOf("Velnora.bmp")};
        context_.shared.record = PathOf("state/velnora/oldwallpaper.ini");
        context_.shared.lock = PathOf("state/velnora/wallpaper.lock");
        context_.openStore = OpenerFor(desktop_);
        context_.makeCanvas = [](Bitmap&) { return std::make_unique<NullCanvas>(); };
        context_.desktop = {16, 12};
        choices_.calendar.stretch = false;
    }

    std::string Picture(const std::string& name, int width, int height) {
        WritePlainBmp(PathOf(name), width, height, 0x00808080);
        return PathOf(name);
    }

    PaintResult Paint(bool preview) {
        work_ = Bitmap();
        return PaintCalendar(work_, preview, choices_, MonthGrids{}, context_);
    }

    FakeDesktop desktop_;
    PaintContext context_;
    PictureChoices choices_;
    Bitmap work_;
};

TEST_F(PaintCalendarTest, PreviewWritesNothing) {
    desktop_.values = {{"Wallpaper", Picture("sea.bmp", 8, 6)}, {"WallpaperStyle", "2"}};
    const auto before = desktop_.values;
    for (const bool chooseFile : {false, true}) {
        choices_.chooseFile = chooseFile;
        choices_.fileName = PathOf("sea.bmp");
        const PaintResult result = Paint(true);
        EXPECT_FALSE(result.chosenFileMissing);
        EXPECT_FALSE(result.installed);
        EXPECT_EQ(work_.Width(), 8);
        EXPECT_FALSE(fs::exists(context_.files.outputPicture));
        EXPECT_FALSE(fs::exists(context_.shared.record));
        EXPECT_EQ(desktop_.values, before);
        EXPECT_EQ(desktop_.reloads, 0);
    }
}

TEST_F(PaintCalendarTest, ChosenFileMissingStopsBeforeLoading) {
    Write("velnora.INI", "[oldwallpaper]\nWallpaper=/pics/sea.jpg\n");
    choices_.chooseFile = true;
    choices_.fileName = PathOf("gone.jpg");
    for (const bool preview : {true, false}) {
        const PaintResult result = Paint(preview);
        EXPECT_TRUE(result.chosenFileMissing);
        EXPECT_FALSE(result.installed);
        EXPECT_TRUE(work_.Empty());
        EXPECT_FALSE(fs::exists(context_.files.outputPicture));
        EXPECT_EQ(ReadWholeFile(context_.files.settingsFile),
                  "[oldwallpaper]\nWallpaper=/pics/sea.jpg\n");
    }
}

TEST_F(PaintCalendarTest, InstallsAndKeepsDrawingOnTheBackedUpPicture) {
    const std::string sea = Picture("sea.bmp", 8, 6);
    desktop_.values = {{"Wallpaper", sea}};
    const PaintResult first = Paint(false);
    EXPECT_TRUE(first.installed);
    EXPECT_FALSE(first.chosenFileMissing);
    EXPECT_EQ(desktop_.values.at("Wallpaper"), context_.files.outputPicture);
    EXPECT_EQ(ProfileFile(context_.shared.record).ReadString("file", "Wallpaper", ""), sea);
    Bitmap saved;
    ASSERT_TRUE(ReadBmpFile(context_.files.outputPicture, saved));
    EXPECT_EQ(saved.Width(), 8);

    // The desktop now shows the calendar; the next redraw still starts from the
    // picture in the backup, not from the calendar picture.
    Picture("sea.bmp", 5, 4);
    EXPECT_TRUE(Paint(false).installed);
    EXPECT_EQ(work_.Width(), 5);
    ASSERT_TRUE(ReadBmpFile(context_.files.outputPicture, saved));
    EXPECT_EQ(saved.Width(), 5);
}

TEST_F(PaintCalendarTest, StretchUsesTheDesktopSizeOfTheContext) {
    desktop_.values = {{"Wallpaper", Picture("sea.bmp", 8, 6)}};
    choices_.calendar.stretch = true;
    choices_.calendar.desktopWidth = 999; // the context's size is the one in force
    Paint(true);
    EXPECT_EQ(work_.Width(), 16);
    EXPECT_EQ(work_.Height(), 12);
}

// A desktop that shows no picture (colours only, one no backend knows, or a
// default picture of a package not installed): the calendar goes on a picture
// of its colours at the desktop's size, and the backup keeps the value as it was.
TEST_F(PaintCalendarTest, NoPictureDrawsOnTheDesktopsColours) {
    desktop_.backdrop = {Colour::FromRgb(0x102030), Colour::FromRgb(0x102030),
                         Backdrop::Shading::Solid};
    for (const std::string& wallpaper : {std::string(), PathOf("mate/Stripes.png")}) {
        fs::remove(context_.shared.record);
        desktop_.values = {{"Wallpaper", wallpaper}, {"WallpaperStyle", "2"}};
        EXPECT_TRUE(Paint(false).installed) << wallpaper;
        Bitmap saved;
        ASSERT_TRUE(ReadBmpFile(context_.files.outputPicture, saved));
        ASSERT_EQ(saved.Width(), 16);
        ASSERT_EQ(saved.Height(), 12);
        EXPECT_EQ(std::vector<uint8_t>(saved.Row(11) + 45, saved.Row(11) + 48),
                  (std::vector<uint8_t>{0x30, 0x20, 0x10}));
        EXPECT_EQ(ProfileFile(context_.shared.record).ReadString("file", "Wallpaper", "?"),
                  wallpaper);
    }
}

TEST_F(PaintCalendarTest, SourceThatDoesNotLoadChangesNothing) {
    Write("notapicture.jpg", "text");
    choices_.chooseFile = true;
    choices_.fileName = PathOf("notapicture.jpg");
    EXPECT_THROW(Paint(false), std::runtime_error);
    EXPECT_FALSE(fs::exists(context_.files.outputPicture));
    EXPECT_FALSE(fs::exists(context_.shared.record));
    EXPECT_EQ(desktop_.reloads, 0);
}

} // namespace
