// SPDX-License-Identifier: GPL-3.0-or-later

#include "DesktopStore.h"
#include "TestSupport.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using namespace velnora;

namespace {

using ::testing::HasSubstr;

TEST(FileStore, ValuesWrittenReadBackFromTheFile) {
    TempFolder folder;
    const std::string path = folder / "velnora/wallpaper.ini";
    const std::pair<const char*, const char*> values[] = {
        {"Wallpaper", "/home/user/My Pictures/it's \"here\" $HOME\\x.bmp"},
        {"TileWallpaper", "0"},
        {"WallpaperStyle", "1"},
        {"WallpaperOriginX", ""},
        {"WallpaperOriginY", "-12"},
    };
    {
        auto store = OpenFileStore(StoreAccess::Write, path);
        ASSERT_TRUE(store->IsOpen());
        for (const auto& [name, value] : values)
            store->Write(name, value);
        store->Reload(); // nothing to tell: must not disturb the file
    }
    EXPECT_THAT(ReadWholeFile(path), HasSubstr("[Control Panel\\Desktop]"));
    auto store = OpenFileStore(StoreAccess::Read, path);
    for (const auto& [name, value] : values)
        EXPECT_EQ(store->Read(name), value) << name;
    EXPECT_TRUE(store->ExtraNames().empty());
}

TEST(FileStore, MissingFileReadsAsAbsentValues) {
    TempFolder folder;
    auto store = OpenFileStore(StoreAccess::Read, folder / "none/wallpaper.ini");
    EXPECT_TRUE(store->IsOpen());
    for (const char* name : WallpaperValueNames)
        EXPECT_EQ(store->Read(name), "") << name;
    EXPECT_FALSE(std::filesystem::exists(folder / "none"));
}

TEST(FileStore, WriteOpenFailsWhenTheFolderCannotBeMade) {
    TempFolder folder;
    WriteWholeFile(folder / "plain", "a file where a folder should be");
    auto store = OpenFileStore(StoreAccess::Write, folder / "plain/velnora/wallpaper.ini");
    EXPECT_FALSE(store->IsOpen());
    EXPECT_EQ(store->Read("Wallpaper"), "");
    ExpectMessage([&] { store->Write("Wallpaper", "/x.bmp"); },
                  "Failed to set data for 'Wallpaper'");
}

TEST(FileStore, RefusedWriteNamesTheValue) {
    TempFolder folder;
    // The file's own name taken by a folder: the replacing rename is refused.
    std::filesystem::create_directories(folder / "wallpaper.ini");
    auto store = OpenFileStore(StoreAccess::Write, folder / "wallpaper.ini");
    ASSERT_TRUE(store->IsOpen());
    ExpectMessage([&] { store->Write("TileWallpaper", "0"); },
                  "Failed to set data for 'TileWallpaper'");
}

TEST(FileStore, LineBreakInValueIsRefusedAndFileKept) {
    TempFolder folder;
    const std::string path = folder / "wallpaper.ini";
    auto store = OpenFileStore(StoreAccess::Write, path);
    store->Write("Wallpaper", "/a.bmp");
    const std::string before = ReadWholeFile(path);
    ExpectMessage([&] { store->Write("Wallpaper", "/b.bmp\nTileWallpaper=1"); },
                  "Failed to set data for 'Wallpaper'");
    EXPECT_EQ(ReadWholeFile(path), before);
    EXPECT_EQ(store->Read("TileWallpaper"), "");
}

TEST(DesktopStoreChoice, NoKnownDesktopAndNoDisplayUsesTheFileStore) {
    TempFolder folder;
    ScopedEnv config("XDG_CONFIG_HOME", folder.Path());
    ScopedEnv desktop("XDG_CURRENT_DESKTOP", "KDE");
    ScopedEnv display("DISPLAY", std::nullopt);
    EXPECT_EQ(WallpaperStorePath(), folder / "velnora/wallpaper.ini");
    OpenDesktopStore(StoreAccess::Write)->Write("WallpaperStyle", "1");
    EXPECT_EQ(OpenFileStore(StoreAccess::Read, WallpaperStorePath())->Read("WallpaperStyle"), "1");
}

TEST(DesktopStoreChoice, ConfigHomeDefaultsBelowHome) {
    TempFolder folder;
    ScopedEnv home("HOME", folder.Path());
    ScopedEnv config("XDG_CONFIG_HOME", std::nullopt);
    EXPECT_EQ(WallpaperStorePath(), folder / ".config/velnora/wallpaper.ini");
    // A relative value is to be ignored by the XDG rules.
    ScopedEnv relative("XDG_CONFIG_HOME", "relative/config");
    EXPECT_EQ(WallpaperStorePath(), folder / ".config/velnora/wallpaper.ini");
}

} // namespace
