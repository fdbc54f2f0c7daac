// SPDX-License-Identifier: GPL-3.0-or-later
// The user's wallpaper is never lost: whatever copy of the program, whatever
// order, and whatever the desktop does with the values written to it, the
// wallpaper the user had is in the store, a backup or the shared record until
// a switch-off has put it back.
#include "Wallpaper.h"

#include "../support/BmpBytes.h"
#include "../support/ExpectMessage.h"
#include "../support/FakeDesktop.h"
#include "../support/TempFolder.h"
#include "ProgramCopy.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <string>
#include <tuple>
#include <vector>

#include <sys/wait.h>
#include <unistd.h>

using namespace velnora;

namespace fs = std::filesystem;

namespace {

using Values = std::map<std::string, std::string>;

class SharedBackupTest : public TempFolderTest {
  protected:
    void SetUp() override {
        TempFolderTest::SetUp();
        user_ = PathOf("user.bmp");
        WritePlainBmp(user_, 8, 6, 0x00336699);
        // Every value set, so that each one can be told from what the calendar writes.
        users_ = {{"Wallpaper", user_},
                  {"TileWallpaper", "1"},
                  {"WallpaperStyle", "2"},
                  {"WallpaperOriginX", "5"},
                  {"WallpaperOriginY", "-3"}};
        desktop_.values = users_;
        shared_ = SharedBackupIn(PathOf("state"));
    }

    ProgramCopy Copy(const std::string& name) {
        return ProgramCopy(PathOf(name), shared_, OpenerFor(desktop_));
    }

    // The five values as a backup section of file keeps them; absent ones left out.
    static Values Kept(const ProfileFile& file, const std::string& section = "file") {
        Values kept;
        for (const char* name : WallpaperValueNames)
            if (const auto value = file.ReadWhole(section, name))
                kept[name] = *value;
        return kept;
    }
    Values Shown() const {
        Values shown;
        for (const char* name : WallpaperValueNames)
            shown[name] = desktop_.values.count(name) ? desktop_.values.at(name) : "";
        return shown;
    }
    ProfileFile Record() const { return ProfileFile(shared_.record); }

    FakeDesktop desktop_;
    SharedBackup shared_;
    std::string user_;
    Values users_;
};

// --- Two copies, or a settings file lost while the calendar is on ---

// One step of the user's: a copy switched on or off, or its settings file deleted.
struct Step {
    char copy; // 'A' or 'B'
    char what; // '+' on, '-' off, 'x' settings file deleted
    bool operator<(const Step& other) const {
        return std::tie(copy, what) < std::tie(other.copy, other.what);
    }
};

// Every order of the steps in which each copy goes on before its settings file
// is deleted and before it goes off.
std::vector<std::vector<Step>> EveryOrder(std::vector<Step> steps) {
    const auto rank = [](char what) { return what == '+' ? 0 : what == 'x' ? 1 : 2; };
    std::vector<std::vector<Step>> orders;
    std::sort(steps.begin(), steps.end());
    do {
        bool possible = true;
        for (std::size_t i = 0; i < steps.size(); ++i)
            for (std::size_t j = i + 1; j < steps.size(); ++j)
                possible = possible && !(steps[i].copy == steps[j].copy &&
                                         rank(steps[i].what) > rank(steps[j].what));
        if (possible)
            orders.push_back(steps);
    } while (std::next_permutation(steps.begin(), steps.end()));
    return orders;
}

std::string Describe(const std::vector<Step>& order) {
    std::string text;
    for (const Step& step : order)
        text += std::string(1, step.copy) + step.what + " ";
    return text;
}

TEST_F(SharedBackupTest, TwoCopiesInEveryOrderGiveTheWallpaperBack) {
    const std::vector<std::vector<Step>> stepSets = {
        {{'A', '+'}, {'A', '-'}, {'B', '+'}, {'B', '-'}},
        {{'A', '+'}, {'A', 'x'}, {'A', '-'}, {'B', '+'}, {'B', '-'}},
        {{'A', '+'}, {'A', '-'}, {'B', '+'}, {'B', 'x'}, {'B', '-'}},
        {{'A', '+'}, {'A', 'x'}, {'A', '-'}, {'B', '+'}, {'B', 'x'}, {'B', '-'}},
    };
    int orders = 0;
    for (const std::vector<Step>& steps : stepSets)
        for (const std::vector<Step>& order : EveryOrder(steps)) {
            SCOPED_TRACE(Describe(order));
            ++orders;
            desktop_.values = users_;
            fs::remove_all(PathOf("A"));
            fs::remove_all(PathOf("B"));
            fs::remove_all(PathOf("state"));
            std::map<char, ProgramCopy> copies = {{'A', Copy("A")}, {'B', Copy("B")}};
            for (const Step& step : order) {
                ProgramCopy& copy = copies.at(step.copy);
                if (step.what == '+')
                    EXPECT_TRUE(copy.On());
                else if (step.what == '-')
                    copy.Off();
                else
                    fs::remove(copy.context.files.settingsFile);
                // Never an output picture in the backup.
                EXPECT_FALSE(IsOwnWallpaper(Record().ReadString("file", "Wallpaper", "")))
                    << " after " << step.copy << step.what;
            }
            EXPECT_EQ(Shown(), users_);
            EXPECT_FALSE(copies.at('A').Start());
            EXPECT_FALSE(copies.at('B').Start());
        }
    EXPECT_EQ(orders, 6 + 10 + 10 + 20);
}

TEST_F(SharedBackupTest, DeletedFolderOfTheFirstCopy) {
    // The copy in the build folder goes on, then the installed copy; the build
    // folder is deleted; the installed copy goes off.
    ProgramCopy portable = Copy("build");
    ProgramCopy installed = Copy("installed");
    EXPECT_TRUE(portable.On());
    EXPECT_TRUE(installed.On());
    EXPECT_EQ(Kept(Record()), users_);
    fs::remove_all(PathOf("build"));
    EXPECT_FALSE(installed.Off());
    EXPECT_EQ(Shown(), users_);
    EXPECT_FALSE(fs::exists(shared_.record));
}

TEST_F(SharedBackupTest, SourceOfACopyWithoutBackupIsTheUsersWallpaper) {
    ProgramCopy first = Copy("A");
    ProgramCopy second = Copy("B");
    first.On();
    const SourcePath source =
        ChooseSourcePath(false, "", second.Settings(), shared_, OpenerFor(desktop_));
    EXPECT_EQ(source.path, user_);
}

TEST_F(SharedBackupTest, WallpaperNotKnownAnywhereIsBackedUpAsNoPicture) {
    // A calendar picture on the desktop and no record of what was there before
    // (the state folder deleted too): the backup never names the picture.
    desktop_.values["Wallpaper"] = PathOf("gone/Velnora.bmp");
    // A desktop's own value that names the calendar picture as well.
    desktop_.extras = {"PictureUri"};
    desktop_.values["PictureUri"] = "file://" + PathOf("gone/Velnora.bmp");
    ProgramCopy copy = Copy("A");
    copy.choices.chooseFile = true;
    copy.choices.fileName = user_;
    EXPECT_TRUE(copy.On());
    EXPECT_EQ(Record().ReadString("file", "Wallpaper", "?"), "");
    EXPECT_FALSE(Record().HasKey("file", "PictureUri"));
    EXPECT_EQ(ChooseSourcePath(false, "",
                               ProgramCopy(PathOf("B"), shared_, OpenerFor(desktop_)).Settings(),
                               shared_, OpenerFor(desktop_))
                  .path,
              "");
}

TEST_F(SharedBackupTest, BackupOfAnEarlierVersionIsCarriedOver) {
    // Upgraded with the calendar on: one backup for every desktop, in the
    // record or (older still) only in the settings file; it goes to the store
    // in force, once.
    desktop_.name = "gnome";
    ProgramCopy old = Copy("A");
    // A run from cron reaches the file store, which shows no calendar.
    FakeDesktop cron;
    ProgramCopy fromCron(PathOf("A"), shared_, OpenerFor(cron));
    desktop_.values["Wallpaper"] = old.context.files.outputPicture;
    for (const std::string& earlier : {old.context.files.settingsFile, shared_.record}) {
        SCOPED_TRACE(earlier);
        fs::create_directories(fs::path(earlier).parent_path());
        ProfileFile file(earlier);
        for (const auto& [name, value] : users_)
            file.WriteString(BackupSection, name, value);
        EXPECT_FALSE(fromCron.Start());
        EXPECT_TRUE(old.Start());
        EXPECT_EQ(Kept(Record(), "gnome"), users_);
        EXPECT_FALSE(file.HasKey(BackupSection, "Wallpaper"));
        EXPECT_FALSE(old.Off());
        EXPECT_EQ(Shown(), users_);
        desktop_.values["Wallpaper"] = old.context.files.outputPicture;
    }
}

TEST_F(SharedBackupTest, AnotherUserOfTheSameFolderNeverGivesTheirWallpaper) {
    // User A switches on from a folder both users run the program from; user B
    // only opens and closes the window there; A switches off.
    FakeDesktop desktopOfB;
    desktopOfB.values = {{"Wallpaper", PathOf("b.jpg")}};
    ProgramCopy ofA = Copy("shared");
    ProgramCopy ofB(PathOf("shared"), SharedBackupIn(PathOf("stateB")), OpenerFor(desktopOfB));
    EXPECT_TRUE(ofA.On());
    EXPECT_FALSE(ofB.Start());
    EXPECT_FALSE(ofA.Off());
    EXPECT_EQ(Shown(), users_);
}

// --- A switch-off or switch-on the desktop did not take ---

TEST_F(SharedBackupTest, RestoreTheDesktopDroppedKeepsTheBackup) {
    ProgramCopy copy = Copy("A");
    copy.On();
    const Values backup = Kept(Record());
    // dconf accepts every write and may fail to commit it later.
    desktop_.dropped = {"WallpaperStyle"};
    ExpectMessage([&] { copy.Off(); }, "Failed to set data for 'WallpaperStyle'");
    EXPECT_EQ(Kept(Record()), backup);

    // The next start does not take the half-restored store for the user's.
    ExpectMessage([&] { copy.Start(); }, "Failed to set data for 'WallpaperStyle'");
    EXPECT_EQ(Kept(Record()), backup);
    desktop_.dropped.clear();
    EXPECT_FALSE(copy.Start());
    EXPECT_EQ(Shown(), users_);
    EXPECT_TRUE(Kept(Record()).empty());
}

TEST_F(SharedBackupTest, RestoreStoppedHalfwayIsFinishedNotBackedUp) {
    ProgramCopy copy = Copy("A");
    copy.On();
    desktop_.refused = {"TileWallpaper"};
    ExpectMessage([&] { copy.Off(); }, "Failed to set data for 'TileWallpaper'");
    EXPECT_EQ(desktop_.values.at("Wallpaper"), user_); // half of it is back
    desktop_.refused.clear();
    EXPECT_FALSE(copy.Start());
    EXPECT_EQ(Shown(), users_);
    EXPECT_TRUE(Kept(Record()).empty());
}

TEST_F(SharedBackupTest, SwitchingOnAgainAfterAHalfRestoreKeepsTheBackup) {
    ProgramCopy copy = Copy("A");
    copy.On();
    desktop_.refused = {"WallpaperStyle"};
    ExpectMessage([&] { copy.Off(); }, "Failed to set data for 'WallpaperStyle'");
    desktop_.refused.clear();
    EXPECT_TRUE(copy.On());
    EXPECT_EQ(Kept(Record()), users_);
    EXPECT_TRUE(copy.Start()); // on, and staying on
    EXPECT_FALSE(copy.Off());
    EXPECT_EQ(Shown(), users_);
}

TEST_F(SharedBackupTest, RestoreFromTheRecordStoppedHalfway) {
    ProgramCopy copy = Copy("A");
    copy.On();
    fs::remove(copy.context.files.settingsFile);
    desktop_.refused = {"WallpaperStyle"};
    ExpectMessage([&] { copy.Off(); }, "Failed to set data for 'WallpaperStyle'");
    desktop_.refused.clear();
    // The store shows the user's picture with the calendar's layout: switching
    // on again backs up the record, not that.
    EXPECT_TRUE(copy.On());
    EXPECT_EQ(Kept(Record()), users_);
    EXPECT_FALSE(copy.Off());
    EXPECT_EQ(Shown(), users_);
    EXPECT_FALSE(fs::exists(shared_.record));
}

TEST_F(SharedBackupTest, WallpaperSetAfterAHalfRestoreIsTheUsers) {
    ProgramCopy copy = Copy("A");
    copy.On();
    desktop_.refused = {"WallpaperStyle"};
    ExpectMessage([&] { copy.Off(); }, "Failed to set data for 'WallpaperStyle'");
    desktop_.refused.clear();
    // The user then sets a wallpaper through the desktop's own settings.
    const Values newer = {{"Wallpaper", PathOf("newer.jpg")},
                          {"TileWallpaper", "0"},
                          {"WallpaperStyle", "6"},
                          {"WallpaperOriginX", "0"},
                          {"WallpaperOriginY", "0"}};
    desktop_.values = newer;
    EXPECT_FALSE(copy.Start());
    EXPECT_EQ(Shown(), newer);
    EXPECT_EQ(Kept(Record()), newer);
    copy.choices.chooseFile = true;
    copy.choices.fileName = user_;
    EXPECT_TRUE(copy.On());
    EXPECT_FALSE(copy.Off());
    EXPECT_EQ(Shown(), newer);
}

TEST_F(SharedBackupTest, InstallTheDesktopDroppedLeavesTheCalendarOff) {
    ProgramCopy copy = Copy("A");
    desktop_.dropped = {"Wallpaper"};
    ExpectMessage([&] { copy.On(); }, "Failed to set data for 'Wallpaper'");
    EXPECT_TRUE(Kept(Record()).empty());
    EXPECT_EQ(Shown(), users_);
    EXPECT_FALSE(copy.Start());
}

// --- Long values ---

TEST_F(SharedBackupTest, ValuesComeBackExactly) {
    // A wallpaper under a long Persian path: its file URI is 2449 characters.
    std::string uri = "file:///home/u/";
    while (uri.size() < 2449)
        uri += "%D9%BE";
    uri.resize(2449);
    desktop_.extras = {"picture-uri"};
    desktop_.values["picture-uri"] = uri;
    ProgramCopy copy = Copy("A");
    copy.On();
    desktop_.values["picture-uri"] = "file:///calendar";
    EXPECT_FALSE(copy.Off());
    EXPECT_EQ(desktop_.values.at("picture-uri"), uri);

    // Blanks at the ends and quotes around a value, which an INI reader takes off.
    desktop_.values["WallpaperOriginX"] = " 5";
    desktop_.values["WallpaperStyle"] = "\"2\"";
    const Values before = Shown();
    copy.On();
    EXPECT_FALSE(copy.Off());
    EXPECT_EQ(Shown(), before);
}

// --- The lock ---

TEST_F(SharedBackupTest, AnotherCopyHoldingTheLockIsReported) {
    int ready[2];
    int release[2];
    ASSERT_EQ(::pipe(ready), 0);
    ASSERT_EQ(::pipe(release), 0);
    const pid_t holder = ::fork();
    ASSERT_GE(holder, 0);
    if (holder == 0) {
        {
            const WallpaperLock lock(shared_);
            char byte = 1;
            (void)!::write(ready[1], &byte, 1);
            (void)!::read(release[0], &byte, 1);
        }
        ::_exit(0);
    }
    char byte = 0;
    ASSERT_EQ(::read(ready[0], &byte, 1), 1);
    shared_.lockWait = std::chrono::milliseconds(100);
    ProgramCopy copy = Copy("A");
    ExpectMessage([&] { copy.On(); }, WallpaperBusy);
    EXPECT_EQ(Shown(), users_);
    EXPECT_FALSE(fs::exists(copy.context.files.settingsFile));
    (void)!::write(release[1], &byte, 1);
    int status = 0;
    ::waitpid(holder, &status, 0);
    EXPECT_TRUE(copy.On());

    // Within one process a nested use does not wait for itself.
    const WallpaperLock outer(shared_);
    EXPECT_FALSE(copy.Off());
    for (int fd : {ready[0], ready[1], release[0], release[1]})
        ::close(fd);
}

} // namespace
