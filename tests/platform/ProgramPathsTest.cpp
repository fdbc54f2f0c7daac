// SPDX-License-Identifier: GPL-3.0-or-later

#include "ProgramPaths.h"
#include "TestSupport.h"

#include <QGuiApplication>

#include <gtest/gtest.h>

using namespace velnora;

namespace {

TEST(SettingsPathFor, ExtensionOfTheFileNameBecomesINI) {
    const struct {
        const char* executable;
        const char* settings;
    } rows[] = {
        {"/opt/tools/cal.exe", "/opt/tools/cal.INI"},
        {"/usr/bin/velnora", "/usr/bin/velnora.INI"},
        {"/home/a.b/c", "/home/a.b/c.INI"}, // a dot in a folder's name is no extension
        {"/home/u/my.cal.app", "/home/u/my.cal.INI"},
        {"cal.exe", "cal.INI"},
        {"velnora", "velnora.INI"},
        {"/x/name.", "/x/name.INI"},
        {"/x/.hidden", "/x/.INI"},
    };
    for (const auto& row : rows)
        EXPECT_EQ(SettingsPathFor(row.executable), row.settings) << row.executable;
}

TEST(FileExists, OnlyEntriesThatAreNotFolders) {
    TempFolder folder;
    WriteWholeFile(folder / "picture.jpg", "x");
    std::filesystem::create_directories(folder / "sub.jpg");
    std::filesystem::create_symlink(folder / "picture.jpg", folder / "link.jpg");
    std::filesystem::create_symlink(folder / "gone.jpg", folder / "dangling.jpg");
    std::filesystem::create_symlink(folder / "sub.jpg", folder / "folderlink.jpg");
    const struct {
        std::string path;
        bool exists;
    } rows[] = {
        {folder / "picture.jpg", true},   {folder / "sub.jpg", false},
        {folder / "missing.jpg", false},  {"", false},
        {folder / "*.jpg", false},        {folder / "link.jpg", true},
        {folder / "dangling.jpg", false}, {folder / "folderlink.jpg", false},
        {folder.Path(), false},
    };
    for (const auto& row : rows)
        EXPECT_EQ(FileExists(row.path), row.exists) << row.path;
}

// A copy in an unpacked folder or a build tree keeps its files beside itself;
// one installed into a prefix's bin folder, a folder on PATH, does not, even
// where it could write there (cmake --install --prefix ~/.local).
TEST(ProgramFilesFor, PortableCopiesKeepTheirFilesBesideThemInstalledOnesDoNot) {
    TempFolder folder;
    ScopedEnv config("XDG_CONFIG_HOME", folder / "config");
    ScopedEnv data("XDG_DATA_HOME", folder / "data");
    std::filesystem::create_directories(folder / "build/bin");
    WriteWholeFile(folder / "build/CMakeCache.txt", "");
    const struct {
        const char* program;
        bool beside;
    } rows[] = {
        {"velnora-1.0/velnora", true}, // an unpacked archive
        {"build/bin/velnora", true},   // the build tree's
        {"bin-old/velnora", true},
        {"bin/velnora/velnora", true}, // a folder inside a bin folder
        {"home/.local/bin/velnora", false},
        {"usr/local/bin/velnora", false},
        {"opt/velnora/bin/velnora", false},
        {"bin/velnora", false},
    };
    for (const auto& row : rows) {
        const std::string program = folder / row.program;
        const std::string programFolder = program.substr(0, program.rfind('/'));
        std::filesystem::create_directories(programFolder);
        const ProgramFiles files = ProgramFilesFor(program);
        EXPECT_EQ(files.executable, program);
        if (row.beside) {
            EXPECT_EQ(files.settingsFile, programFolder + "/velnora.INI") << row.program;
            EXPECT_EQ(files.outputPicture, programFolder + "/Velnora.bmp") << row.program;
        } else {
            EXPECT_EQ(files.settingsFile, folder / "config/velnora/velnora.INI") << row.program;
            EXPECT_EQ(files.outputPicture, folder / "data/velnora/Velnora.bmp") << row.program;
        }
    }
}

TEST(ProgramFilesFor, InstalledProgramUsesTheXdgFolders) {
    TempFolder folder;
    ScopedEnv config("XDG_CONFIG_HOME", folder / "config");
    ScopedEnv data("XDG_DATA_HOME", folder / "data");
    // A folder that no user, root included, may write to.
    const ProgramFiles files = ProgramFilesFor("/proc/self/velnora");
    EXPECT_EQ(files.settingsFile, folder / "config/velnora/velnora.INI");
    EXPECT_EQ(files.outputPicture, folder / "data/velnora/Velnora.bmp");
    // Made ahead, so that the first write of either file can succeed.
    EXPECT_TRUE(std::filesystem::is_directory(folder / "config/velnora"));
    EXPECT_TRUE(std::filesystem::is_directory(folder / "data/velnora"));
}

TEST(ProgramFilesFor, DataHomeDefaultsBelowHome) {
    TempFolder folder;
    ScopedEnv home("HOME", folder.Path());
    ScopedEnv config("XDG_CONFIG_HOME", std::nullopt);
    ScopedEnv data("XDG_DATA_HOME", std::nullopt);
    const ProgramFiles files = ProgramFilesFor("/proc/self/velnora");
    EXPECT_EQ(files.settingsFile, folder / ".config/velnora/velnora.INI");
    EXPECT_EQ(files.outputPicture, folder / ".local/share/velnora/Velnora.bmp");
}

TEST(VirtualDesktopSize, NoApplicationMeansNoSize) {
    ASSERT_EQ(qGuiApp, nullptr);
    const DesktopSize size = VirtualDesktopSize();
    EXPECT_EQ(size.width, 0);
    EXPECT_EQ(size.height, 0);
}

// Two monitors side by side, the right one at twice the density. The offscreen
// platform, like Wayland, gives screens in device-independent pixels with a
// density of their own: the right one is 2560 x 2048 of its own pixels.
TEST(VirtualDesktopSize, BoundingBoxOfAllScreensInPhysicalPixels) {
    TempFolder folder;
    WriteWholeFile(folder / "screens.json", R"({"screens": [
        {"name": "left", "x": 0, "y": 100, "width": 800, "height": 600, "dpr": 1},
        {"name": "right", "x": 800, "y": 0, "width": 1280, "height": 1024, "dpr": 2}]})");
    ScopedEnv platform("QT_QPA_PLATFORM", "offscreen:configfile=" + (folder / "screens.json"));
    int argc = 1;
    char name[] = "test_platform";
    char* argv[] = {name, nullptr};
    {
        QGuiApplication application(argc, argv);
        ASSERT_EQ(QGuiApplication::screens().size(), 2);
        const DesktopSize size = VirtualDesktopSize();
        EXPECT_EQ(size.width, 800 + 1280 * 2);
        EXPECT_EQ(size.height, 1024 * 2);
        // Each monitor where it lies on that box, for the calendar's corner.
        std::vector<std::vector<int>> screens;
        for (const Monitor& monitor : size.monitors)
            screens.push_back({monitor.screen.x, monitor.screen.y, monitor.screen.width,
                               monitor.screen.height});
        EXPECT_EQ(screens, (std::vector<std::vector<int>>{{0, 100, 800, 600},
                                                          {800, 0, 2560, 2048}}));
    }
}

} // namespace
