// SPDX-License-Identifier: GPL-3.0-or-later
// One user, two desktops: each keeps its own backup and its own switch-off,
// and the logon entry, the timer and the files go with the last calendar.
// The unattended run: what it draws from, saves and registers.
#include "Session.h"

#include "../support/BmpBytes.h"
#include "../support/FakeDesktop.h"
#include "../support/TempFolder.h"
#include "ProgramCopy.h"

#include <gtest/gtest.h>

#include <array>
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
    const auto off = [](ProgramCopy& copy) { return SwitchCalendarOff(copy.session); };
    EXPECT_TRUE(inGnome.On());
    EXPECT_TRUE(inXfce.On());

    EXPECT_EQ(off(inXfce).stillOn, std::vector<std::string>{"gnome"});
    EXPECT_EQ(xfce.values.at("Wallpaper"), PathOf("xfce.bmp"));
    // Set in Xfce's own settings with the calendar on: the user's, kept.
    EXPECT_TRUE(inXfce.On());
    xfce.values["Wallpaper"] = PathOf("newer.jpg");
    off(inXfce);
    EXPECT_EQ(xfce.values.at("Wallpaper"), PathOf("newer.jpg"));
    EXPECT_TRUE(inGnome.logonRedrawModes->empty() && inXfce.logonRedrawModes->empty());
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
    EXPECT_EQ(*inGnome.logonRedrawModes, std::vector<unsigned>{0});
    EXPECT_EQ(*inXfce.logonRedrawModes, std::vector<unsigned>{0});
    for (const std::string& gone : {inGnome.context.files.outputPicture, shared.record,
                                    shared.lock, shared.storeFile})
        EXPECT_FALSE(fs::exists(gone)) << gone;
}

struct StartRow {
    const char* name;
    bool installed;
    const char* settings;
    UnattendedResult result;
    std::vector<std::array<const char*, 3>> saved; // section, key, value; none: file unchanged
    std::vector<unsigned> logonRedraw;
};

// The choices are saved as the window's controls hold them once shown.
TEST_F(SessionTest, UnattendedRunRedrawsAndSavesAsTheWindowHoldsTheChoices) {
    const StartRow rows[] = {
        {"not installed", false, "[distance]\nleftright=12\n", UnattendedResult::NotInstalled, {}, {}},
        {"distances limited", true, "[distance]\nleftright=250\ntopbottom=abc\n",
         UnattendedResult::Redrawn, {{"distance", "leftright", "100"}, {"distance", "topbottom", "30"}},
         {1}},
        {"negative and hexadecimal", true, "[distance]\nleftright=-5\ntopbottom=$1F\n",
         UnattendedResult::Redrawn, {{"distance", "leftright", "0"}, {"distance", "topbottom", "31"}},
         {1}},
        {"past 16 bits", true, "[distance]\nleftright=65566\n", UnattendedResult::Redrawn,
         {{"distance", "leftright", "30"}}, {1}},
        {"no such corner", true, "[image]\nposition=7\n", UnattendedResult::Redrawn,
         {{"image", "position", "0"}}, {1}},
        {"both sources on", true, "[image]\nchoose=1\ncurrent=1\npath=/nonexistent.bmp\n",
         UnattendedResult::Redrawn,
         {{"image", "choose", "0"}, {"image", "current", "1"}, {"image", "path", ""}}, {1}},
        {"chosen file missing", true, "[image]\nchoose=1\ncurrent=0\npath=/nonexistent.bmp\n",
         UnattendedResult::ChosenFileMissing, {}, {0, 1}},
    };
    WritePlainBmp(PathOf("user.bmp"), 8, 6, 0x00336699);
    for (const StartRow& row : rows) {
        fs::remove_all(PathOf("state"));
        FakeDesktop desktop;
        desktop.values = {{"Wallpaper", PathOf("user.bmp")}};
        ProgramCopy copy(PathOf(row.name), SharedBackupIn(PathOf("state")), OpenerFor(desktop));
        if (row.installed) {
            ASSERT_TRUE(copy.On()) << row.name;
        }
        const std::string settings = Write(std::string(row.name) + "/velnora.INI", row.settings);

        EXPECT_EQ(RedrawAtStart(copy.session, 46000), row.result) << row.name;
        const bool redrawn = row.result == UnattendedResult::Redrawn;
        EXPECT_EQ(desktop.values.at("Wallpaper"),
                  redrawn ? copy.context.files.outputPicture : PathOf("user.bmp"))
            << row.name;
        EXPECT_EQ(*copy.logonRedrawModes, row.logonRedraw) << row.name;
        if (!redrawn) {
            EXPECT_EQ(ReadWholeFile(settings), row.settings) << row.name;
        }
        for (const auto& [section, key, value] : row.saved)
            EXPECT_EQ(copy.Settings().Read(section, key), value) << row.name << " " << key;
    }
}

} // namespace
