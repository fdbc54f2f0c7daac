// SPDX-License-Identifier: GPL-3.0-or-later
// Against the registry of the Wine prefix the tests run in.

#include "QtPictureFile.h"
#include "RegistryStore.h"

#include "../../support/BmpBytes.h"
#include "../../support/TempFolder.h"

#include <gtest/gtest.h>

#include <windows.h>

using namespace velnora;

namespace {

using RegistryStoreTest = TempFolderTest;

// The five values come back as written, the path under a Persian name, and
// the reload leaves the picture's path in place (Windows writes it back).
TEST_F(RegistryStoreTest, ValuesReadBackAfterTheReload) {
    const std::filesystem::path picture = folder_ / L"\u062A\u0635\u0648\u06CC\u0631.bmp";
    WritePlainBmp(picture, 4, 2, 0x336699);
    const std::u8string path = picture.u8string();
    const std::pair<const char*, std::string> values[] = {
        {"Wallpaper", std::string(path.begin(), path.end())},
        {"TileWallpaper", "0"}, {"WallpaperStyle", "10"},
        {"WallpaperOriginX", "-7"}, {"WallpaperOriginY", "12"}};
    {
        const auto store = OpenRegistryStore(StoreAccess::Write);
        ASSERT_TRUE(store->IsOpen());
        for (const auto& [name, value] : values)
            store->Write(name, value);
        store->Reload();
    }
    const auto store = OpenRegistryStore(StoreAccess::Read);
    for (const auto& [name, value] : values)
        EXPECT_EQ(store->Read(name), value) << name;
}


// A transparent picture shows the desktop's colour through (its left edge is
// transparent), red, green and blue in their places.
TEST(RegistryStoreColours, TransparentPictureOverTheDesktopColour) {
    const int element = COLOR_DESKTOP;
    const COLORREF before = GetSysColor(element), colour = RGB(0x20, 0x80, 0xC0);
    ASSERT_TRUE(SetSysColors(1, &element, &colour));
    Bitmap picture;
    const bool read = ReadQtPictureFile(VELNORA_TEST_DATA "/pictures/alpha.png", picture, {},
                                        OpenRegistryStore(StoreAccess::Read)->BackgroundColours());
    SetSysColors(1, &element, &before);
    ASSERT_TRUE(read);
    EXPECT_EQ(picture.Row(0)[0], 0xC0);
    EXPECT_EQ(picture.Row(0)[1], 0x80);
    EXPECT_EQ(picture.Row(0)[2], 0x20);
}

} // namespace
