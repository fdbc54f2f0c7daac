// SPDX-License-Identifier: GPL-3.0-or-later
// Against the registry of the Wine prefix the tests run in.

#include "RegistryStore.h"

#include "../../support/BmpBytes.h"
#include "../../support/TempFolder.h"

#include <gtest/gtest.h>

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

} // namespace
