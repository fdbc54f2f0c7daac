// SPDX-License-Identifier: GPL-3.0-or-later

#include "CliProcess.h"

#include "../support/TempFolder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

using namespace velnora;

namespace fs = std::filesystem;

namespace {

using SettingsCommandTest = TempFolderTest;

const char* const Defaults = "distance/leftright=30\n"
                             "distance/topbottom=30\n"
                             "distance/leftright=30\n"
                             "distance/topbottom=30\n"
                             "color/back=0\n"
                             "color/today=255\n"
                             "months/previous=1\n"
                             "months/next=1\n"
                             "image/position=1\n"
                             "image/choose=0\n"
                             "image/current=1\n"
                             "image/stretch=1\n"
                             "image/path=\n"
                             "calendar/rule=arithmetic\n"
                             "calendar/scale=auto\n"
                             "color/outline=none\n"
                             "color/holiday=-1\n"
                             "calendar/otherdates=none\n"
                             "calendar/monthnames=iranian\n"
                             "image/keepproportions=1\n"
                             "distance/workarea=1\n";

TEST_F(SettingsCommandTest, ShowsEveryChoiceAsTheProgramReadsIt) {
    const std::string file = Write("velnora.INI", "; written on Windows\r\n"
                                                  "[distance]\r\n"
                                                  "leftright=250\r\n"
                                                  "topbottom=abc\r\n"
                                                  "[color]\r\n"
                                                  "back=0xFF\r\n"
                                                  "today=-1\r\n"
                                                  "[months]\r\n"
                                                  "previous=yes\r\n"
                                                  "next=0\r\n"
                                                  "[Image]\r\n"
                                                  "Position = 7\r\n"
                                                  "choose=1\r\n"
                                                  "path=\"C:\\My Pictures\\sea.jpg\"\r\n"
                                                  "[calendar]\r\n"
                                                  "rule=official\r\n"
                                                  "[oldwallpaper]\r\n"
                                                  "Wallpaper=C:\\Windows\\web.jpg\r\n"
                                                  "TileWallpaper=0\r\n"
                                                  "WallpaperStyle=2\r\n");
    const CliResult result = RunCli({"settings", file});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out, "distance/leftright=250\n"
                          "distance/topbottom=30\n"
                          "distance/leftright=250\n"
                          "distance/topbottom=abc\n"
                          "color/back=255\n"
                          "color/today=-1\n"
                          "months/previous=1\n"
                          "months/next=0\n"
                          "image/position=7\n"
                          "image/choose=1\n"
                          "image/current=1\n"
                          "image/stretch=1\n"
                          "image/path=C:\\My Pictures\\sea.jpg\n"
                          "calendar/rule=official\n"
                          "calendar/scale=auto\n"
                          "color/outline=none\n"
                          "color/holiday=-1\n"
                          "calendar/otherdates=none\n"
                          "calendar/monthnames=iranian\n"
                          "image/keepproportions=1\n"
                          "distance/workarea=1\n"
                          "oldwallpaper/Wallpaper=C:\\Windows\\web.jpg\n"
                          "oldwallpaper/TileWallpaper=0\n"
                          "oldwallpaper/WallpaperStyle=2\n");
}

TEST_F(SettingsCommandTest, MissingFileAndMissingBackup) {
    const CliResult missing = RunCli({"settings", PathOf("absent.INI")});
    EXPECT_EQ(missing.status, 0);
    EXPECT_EQ(missing.out, Defaults);
    EXPECT_FALSE(fs::exists(PathOf("absent.INI")));

    // Without its Wallpaper key the section is no backup.
    const CliResult noBackup =
        RunCli({"settings", Write("b.INI", "[oldwallpaper]\nTileWallpaper=0\n")});
    EXPECT_EQ(noBackup.out, Defaults);

    const CliResult emptyBackup =
        RunCli({"settings", Write("e.INI", "[oldwallpaper]\nwallpaper=\n")});
    EXPECT_EQ(emptyBackup.out, std::string(Defaults) + "oldwallpaper/wallpaper=\n");
}

TEST_F(SettingsCommandTest, DefaultsToTheProgramsOwnFile) {
    // A copy of the command in a folder of its own, with the program's
    // settings file beside it.
    fs::copy_file(std::string(VELNORA_BIN_DIR) + "/velnora-cli", PathOf("velnora-cli"));
    Write("velnora.INI", "[color]\ntoday=65280\n");
    std::string command = "'";
    command += PathOf("velnora-cli") + "' settings > '" + PathOf("out.txt") + "'";
    ASSERT_EQ(std::system(command.c_str()), 0);
    const std::string out = ReadWholeFile(PathOf("out.txt"));
    EXPECT_NE(out.find("\ncolor/today=65280\n"), std::string::npos) << out;
}

TEST_F(SettingsCommandTest, TooManyArguments) {
    EXPECT_EQ(RunCli({"settings", "a", "b"}).status, 2);
}

// The reading rules themselves are the settings file reader's, tested with it.
TEST_F(SettingsCommandTest, IniPrintsOneValue) {
    const std::string file = Write("v.INI", "[ Image ]\n  path =  \"/pics/a b.jpg\"  \nempty=\n");
    struct Case {
        const char* section;
        const char* key;
        int status;
        std::string out;
    };
    const Case cases[] = {
        {"image", "PATH", 0, "/pics/a b.jpg\n"},
        {"image", "empty", 0, "\n"},
        {"image", "absent", 1, ""},
        {"absent", "path", 1, ""},
    };
    for (const Case& c : cases) {
        const CliResult result = RunCli({"ini", file, c.section, c.key});
        EXPECT_EQ(result.status, c.status) << c.key;
        EXPECT_EQ(result.out, c.out) << c.key;
        EXPECT_EQ(result.err, "") << c.key;
    }
    EXPECT_EQ(RunCli({"ini", PathOf("absent.INI"), "image", "path"}).status, 1);
    EXPECT_EQ(RunCli({"ini", file, "image"}).status, 2);
}

} // namespace
