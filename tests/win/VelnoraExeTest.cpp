// SPDX-License-Identifier: GPL-3.0-or-later
// velnora.exe under Wine, against the prefix's registry, Run key and files:
// the logon run ("start") redraws a calendar that is on, and "off" gives the
// user's wallpaper back. The calendar is put on as the window does, through
// the same library calls, over a source picture with a Persian file name.

#include "GdiCanvas.h"
#include "ProgramPaths.h"
#include "RegistryStore.h"
#include "RunKey.h"
#include "Session.h"
#include "WidePath.h"

#include "../support/TempFolder.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <map>

#include <windows.h>

using namespace velnora;

namespace {

using Values = std::map<std::string, std::string>;

Values DesktopValues() {
    const auto store = OpenRegistryStore(StoreAccess::Read);
    Values values;
    for (const char* name : WallpaperValueNames)
        values[name] = store->Read(name);
    return values;
}

// The Run value, or nullopt when there is none.
std::optional<std::string> RunValue() {
    wchar_t value[1024];
    DWORD bytes = sizeof value;
    if (RegGetValueW(HKEY_CURRENT_USER, L"Software\\Microsoft\\Windows\\CurrentVersion\\Run",
                     L"Velnora", RRF_RT_REG_SZ, nullptr, value, &bytes) != ERROR_SUCCESS)
        return std::nullopt;
    return Utf8Text(value, wcslen(value));
}

std::string Utf8(const std::filesystem::path& path) {
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

class VelnoraExeTest : public TempFolderTest {
  protected:
    void SetUp() override {
        TempFolderTest::SetUp();
        std::filesystem::create_directories(folder_ / "program");
        exe_ = folder_ / "program" / "velnora.exe";
        std::filesystem::copy_file(VELNORA_BIN_DIR "/velnora.exe", exe_);
        picture_ = folder_ / L"\u062A\u0635\u0648\u06CC\u0631.jpg"; // تصویر.jpg
        std::filesystem::copy_file(VELNORA_TEST_DATA "/pictures/photo.jpg", picture_);
        const auto store = OpenRegistryStore(StoreAccess::Write);
        const Values users = {{"Wallpaper", Utf8(picture_)}, {"TileWallpaper", "0"},
                              {"WallpaperStyle", "2"}, {"WallpaperOriginX", "0"},
                              {"WallpaperOriginY", "0"}};
        for (const auto& [name, value] : users)
            store->Write(name, value);
        store->Reload();
    }

    // Runs velnora.exe with the argument; its exit status, and its standard
    // output in *said.
    int Run(const std::string& argument, std::string* said = nullptr) {
        const std::wstring command = L"\"" + exe_.wstring() + L"\" " + WidePath(argument);
        std::FILE* output = _wpopen(command.c_str(), L"rb");
        char buffer[512];
        std::string text;
        for (std::size_t got; (got = std::fread(buffer, 1, sizeof buffer, output)) > 0;)
            text.append(buffer, got);
        if (said)
            *said = text;
        return _pclose(output);
    }

    std::filesystem::path exe_, picture_;
};

TEST_F(VelnoraExeTest, StartRedrawsAndOffGivesTheWallpaperBack) {
    const Values before = DesktopValues();
    const std::string userPicture = ReadWholeFile(Utf8(picture_));
    // On, as the window's show box puts it on.
    const Session on{ProgramFilesFor(Utf8(exe_)), CurrentSharedBackup(), OpenRegistryStore,
                     MakeGdiCanvas, VirtualDesktopSize, SetRunKeyValue};
    ASSERT_TRUE(Redraw(on, Settings{}, GridsForDay(45000, Settings{})).installed);
    const std::string output = Utf8(folder_ / "program" / "Velnora.bmp");
    ASSERT_TRUE(std::filesystem::remove(output));

    EXPECT_EQ(Run("start"), 0);
    EXPECT_TRUE(FileExists(output));
    EXPECT_EQ(DesktopValues().at("Wallpaper"), output);
    EXPECT_EQ(RunValue(), "\"" + Utf8(exe_) + "\" start");

    std::string said;
    EXPECT_EQ(Run("off", &said), 0);
    // The C runtime's text mode ends the line as Windows does.
    EXPECT_EQ(said, "velnora: the calendar is off and the wallpaper is restored; the logon entry "
                    "and the refresh timer are removed\r\n");
    EXPECT_EQ(DesktopValues(), before);
    EXPECT_EQ(RunValue(), std::nullopt);
    EXPECT_FALSE(FileExists(output));
    EXPECT_EQ(ReadWholeFile(Utf8(picture_)), userPicture);
}

} // namespace
