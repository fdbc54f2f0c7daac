// SPDX-License-Identifier: GPL-3.0-or-later
// One user, two desktops: each keeps its own backup and its own switch-off,
// and the logon entry, the timer and the files go with the last calendar.
#include "Session.h"

#include "../support/BmpBytes.h"
#include "../support/FakeDesktop.h"
#include "../support/TempFolder.h"
#include "ProgramCopy.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

using namespace velnora;

namespace fs = std::filesystem;

namespace {

class SessionTest : public TempFolderTest {};

TEST_F(SessionTest, SwitchingOffOneDesktopLeavesTheOther) {
    const SharedBackup shared = SharedBackupIn(PathOf("state"));
    FakeDesktop gnome;
    FakeDesktop xfce;
    gnome.name = "gnome";
    gnome.values = {{"Wallpaper", PathOf("gnome.bmp")}};
    xfce.name = "xfce";
    xfce.values = {{"Wallpaper", PathOf("xfce.bmp")}};
    WritePlainBmp(PathOf("gnome.bmp"), 8, 6, 0x00336699);
    WritePlainBmp(PathOf("xfce.bmp"), 8, 6, 0x00996633);
    fs::create_directories(PathOf("state/config/velnora"));
    Write("state/config/velnora/wallpaper.ini", "[Control Panel\\Desktop]\nWallpaperOriginX=\n");
    ProgramCopy inGnome(PathOf("program"), shared, OpenerFor(gnome));
    ProgramCopy inXfce(PathOf("program"), shared, OpenerFor(xfce));
    std::vector<unsigned> autoRun;
    const auto off = [&](ProgramCopy& copy) {
        return SwitchCalendarOff(copy.context.files, shared, copy.context.openStore,
                                 [&](const std::string&, unsigned mode) { autoRun.push_back(mode); });
    };
    EXPECT_TRUE(inGnome.On());
    EXPECT_TRUE(inXfce.On());

    EXPECT_EQ(off(inXfce).stillOn, std::vector<std::string>{"gnome"});
    EXPECT_EQ(xfce.values.at("Wallpaper"), PathOf("xfce.bmp"));
    // Set in Xfce's own settings with the calendar on: the user's, kept.
    EXPECT_TRUE(inXfce.On());
    xfce.values["Wallpaper"] = PathOf("newer.jpg");
    off(inXfce);
    EXPECT_EQ(xfce.values.at("Wallpaper"), PathOf("newer.jpg"));
    EXPECT_TRUE(autoRun.empty());
    EXPECT_FALSE(inXfce.Start()); // a logon in Xfce redraws nothing
    EXPECT_TRUE(inGnome.Start());
    // A desktop that reads as no picture (not answering yet) is no reason to
    // give up the backup of a real one.
    gnome.values["Wallpaper"] = "";
    EXPECT_FALSE(inGnome.Start());
    gnome.values["Wallpaper"] = inGnome.context.files.outputPicture;

    EXPECT_TRUE(off(inGnome).restored);
    EXPECT_EQ(gnome.values.at("Wallpaper"), PathOf("gnome.bmp"));
    EXPECT_FALSE(off(inXfce).restored);
    EXPECT_EQ(autoRun, (std::vector<unsigned>{0, 0}));
    for (const std::string& gone : {inGnome.context.files.outputPicture, shared.record,
                                    shared.lock, shared.storeFile})
        EXPECT_FALSE(fs::exists(gone)) << gone;
}

} // namespace
