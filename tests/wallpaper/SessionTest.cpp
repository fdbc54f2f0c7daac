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

namespace fs = std::filesystem;

namespace {

class SessionTest : public TempFolderTest {
  protected:
    void SetUp() override {
        TempFolderTest::SetUp();
        gnome_.name = "gnome";
        gnome_.values = {{"Wallpaper", PathOf("gnome.bmp")}};
        xfce_.name = "xfce";
        xfce_.values = {{"Wallpaper", PathOf("xfce.bmp")}};
        for (const char* picture : {"gnome.bmp", "xfce.bmp"})
            WritePlainBmp(PathOf(picture), 8, 6, 0x00336699);
        shared_ = SharedBackupIn(PathOf("state"));
    }

    ProgramCopy In(FakeDesktop& desktop) {
        return ProgramCopy(PathOf("program"), shared_, OpenerFor(desktop));
    }
    SwitchOffResult Off(ProgramCopy& copy) {
        return SwitchCalendarOff(copy.context.files, shared_, copy.context.openStore,
                                 [this](const std::string&, unsigned mode) { autoRun_.push_back(mode); });
    }

    FakeDesktop gnome_;
    FakeDesktop xfce_;
    SharedBackup shared_;
    std::vector<unsigned> autoRun_;
};

TEST_F(SessionTest, SwitchingOffOneDesktopLeavesTheOther) {
    ProgramCopy inGnome = In(gnome_);
    ProgramCopy inXfce = In(xfce_);
    EXPECT_TRUE(inGnome.On());
    EXPECT_TRUE(inXfce.On());
    EXPECT_EQ(ChooseSourcePath(false, "", inXfce.Settings(), shared_, OpenerFor(xfce_)).path,
              PathOf("xfce.bmp"));

    const SwitchOffResult xfceOff = Off(inXfce);
    EXPECT_TRUE(xfceOff.restored);
    EXPECT_EQ(xfceOff.stillOn, std::vector<std::string>{"gnome"});
    EXPECT_EQ(xfce_.values.at("Wallpaper"), PathOf("xfce.bmp"));
    EXPECT_TRUE(autoRun_.empty());
    EXPECT_FALSE(inXfce.Start()); // a logon in Xfce redraws nothing
    EXPECT_TRUE(inGnome.Start());
    EXPECT_TRUE(fs::exists(inGnome.context.files.outputPicture));

    // A desktop that reads as no picture (not answering yet) is no reason to
    // give up the backup of a real one.
    gnome_.values["Wallpaper"] = "";
    EXPECT_FALSE(inGnome.Start());
    gnome_.values["Wallpaper"] = inGnome.context.files.outputPicture;

    const SwitchOffResult gnomeOff = Off(inGnome);
    EXPECT_TRUE(gnomeOff.restored);
    EXPECT_TRUE(gnomeOff.stillOn.empty());
    EXPECT_EQ(gnome_.values.at("Wallpaper"), PathOf("gnome.bmp"));
    EXPECT_EQ(autoRun_, std::vector<unsigned>{0});
    for (const std::string& gone :
         {inGnome.context.files.outputPicture, shared_.record, shared_.lock})
        EXPECT_FALSE(fs::exists(gone)) << gone;
}

TEST_F(SessionTest, SwitchingOffWhereTheCalendarIsNotOnRemovesTheEntryOnlyWhenNoneIs) {
    ProgramCopy inGnome = In(gnome_);
    ProgramCopy inXfce = In(xfce_);
    inGnome.On();
    EXPECT_FALSE(Off(inXfce).restored);
    EXPECT_TRUE(autoRun_.empty());
    Off(inGnome);
    EXPECT_FALSE(Off(inXfce).restored);
    EXPECT_EQ(autoRun_, (std::vector<unsigned>{0, 0}));
}

TEST_F(SessionTest, EmptyStoreFileGoesWithTheCalendar) {
    fs::create_directories(PathOf("state/config/velnora"));
    Write("state/config/velnora/wallpaper.ini",
          "[Control Panel\\Desktop]\nWallpaperOriginX=\nWallpaperOriginY=\n");
    ProgramCopy inGnome = In(gnome_);
    inGnome.On();
    Off(inGnome);
    EXPECT_FALSE(fs::exists(shared_.storeFile));
}

} // namespace
