// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestSupport.h"
#include "QtPictureFile.h"
#include "WallpaperPackage.h"

#include <QImage>

using namespace velnora;

namespace {

// A package as KDE ships them, pictures of four shapes and two dark ones,
// in the folders of a user who has a kdeglobals of its own.
class WallpaperPackageTest : public ::testing::Test {
  protected:
    void SetUp() override {
        for (const char* name : {"images/1024x768.png", "images/1600x1200.png",
                                 "images/1920x1080.png", "images/1080x1920.png",
                                 "images_dark/1920x1080.png", "images_dark/1280x1024.png"}) {
            std::filesystem::create_directories(std::filesystem::path(Picture(name)).parent_path());
            WriteWholeFile(Picture(name), "");
        }
        std::filesystem::create_directories(home / "config");
    }
    std::string Picture(const std::string& name) const { return package + "/contents/" + name; }

    TempFolder home;
    const std::string package = home / "share/wallpapers/Sea";
    ScopedEnv config{"XDG_CONFIG_HOME", home / "config"};
    ScopedEnv data{"XDG_DATA_HOME", home / "share"};
    ScopedEnv dirs{"XDG_DATA_DIRS", home / "system"};
};

TEST_F(WallpaperPackageTest, PicksThePictureForTheScreen) {
    const struct {
        PictureSize screen;
        bool dark;
        const char* picked;
    } cases[] = {
        {{1920, 1080}, false, "images/1920x1080.png"}, // the screen's own size
        {{1280, 720}, false, "images/1920x1080.png"},  // the same shape, larger
        {{1400, 1050}, false, "images/1600x1200.png"}, // smallest of the shape that covers
        {{2048, 1536}, false, "images/1600x1200.png"}, // none covers: the largest
        {{720, 1280}, false, "images/1080x1920.png"},  // upright
        {{1920, 1080}, true, "images_dark/1920x1080.png"},
    };
    for (const auto& c : cases) {
        WriteWholeFile(home / "config/kdeglobals",
                       c.dark ? "[Colors:Window]\nBackgroundNormal=32,35,38\n" : "");
        EXPECT_EQ(PackagePictureFor(package + "/", c.screen), Picture(c.picked))
            << c.screen.width << "x" << c.screen.height;
    }
    EXPECT_EQ(PackagePictureFor(Picture("images/1024x768.png"), {}), std::nullopt);
}

TEST_F(WallpaperPackageTest, DefaultIsTheLookAndFeelsWallpaper) {
    EXPECT_EQ(PlasmaDefaultWallpaper(), ""); // neither Next nor a look-and-feel installed
    const std::string lookAndFeel = home / "system/plasma/look-and-feel/my.desktop/contents";
    std::filesystem::create_directories(lookAndFeel);
    WriteWholeFile(lookAndFeel + "/defaults", "[kdeglobals][General]\nColorScheme=X\n\n"
                                              "[Wallpaper]\nImage=Sea\n");
    WriteWholeFile(home / "config/kdeglobals", "[KDE]\nLookAndFeelPackage=my.desktop\n");
    EXPECT_EQ(PlasmaDefaultWallpaper(), package + "/");
}

TEST(Backdrop, TransparentPictureOverTheDesktopsColours) {
    // A picture transparent at the left, opaque white at the right,
    // over a vertical gradient from red to blue.
    QImage image(2, 3, QImage::Format_ARGB32);
    for (int y = 0; y < 3; ++y) {
        image.setPixel(0, y, qRgba(0, 0, 0, 0));
        image.setPixel(1, y, qRgba(255, 255, 255, 255));
    }
    TempFolder folder;
    ASSERT_TRUE(image.save(QString::fromStdString(folder / "p.png")));
    Bitmap out;
    ASSERT_TRUE(ReadQtPictureFile(folder / "p.png", out, {},
                                  {Colour::FromRgb(0xff0000), Colour::FromRgb(0x0000ff),
                                   Backdrop::Shading::Vertical}));
    const uint8_t expected[3][6] = {{0, 0, 255, 255, 255, 255},
                                    {128, 0, 128, 255, 255, 255},
                                    {255, 0, 0, 255, 255, 255}};
    for (int y = 0; y < 3; ++y)
        EXPECT_EQ(std::vector<uint8_t>(out.Row(y), out.Row(y) + 6),
                  std::vector<uint8_t>(expected[y], expected[y] + 6))
            << "row " << y;
}

} // namespace
