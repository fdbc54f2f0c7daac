// SPDX-License-Identifier: GPL-3.0-or-later

#include "Wallpaper.h"

#include "../support/ExpectMessage.h"
#include "../support/FakeDesktop.h"
#include "../support/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <stdexcept>

using namespace velnora;

namespace fs = std::filesystem;

namespace {

using Values = std::map<std::string, std::string>;

class WallpaperTest : public TempFolderTest {
  protected:
    void SetUp() override {
        TempFolderTest::SetUp();
        settingsPath_ = PathOf("velnora.INI");
        output_ = PathOf("Velnora.bmp");
        shared_.record = PathOf("state/velnora/oldwallpaper.ini");
        shared_.lock = PathOf("state/velnora/wallpaper.lock");
        fs::create_directories(PathOf("state/velnora"));
    }

    bool Install() {
        ProfileFile settings(settingsPath_);
        return InstallWallpaper(work_, output_, settings, shared_, OpenerFor(desktop_));
    }
    bool Restore() {
        ProfileFile settings(settingsPath_);
        return RestoreWallpaper(settings, shared_, OpenerFor(desktop_));
    }
    bool CheckAtStart() {
        ProfileFile settings(settingsPath_);
        return CheckWallpaperAtStart(settings, shared_, OpenerFor(desktop_));
    }
    std::string SettingsText() const { return ReadWholeFile(settingsPath_); }
    // The per-user record as written, or "" without one.
    std::string RecordText() const { return ReadWholeFile(shared_.record); }
    void WriteRecord(const std::string& text) const { Write("state/velnora/oldwallpaper.ini", text); }

    FakeDesktop desktop_;
    SharedBackup shared_;
    Bitmap work_{4, 3};
    std::string settingsPath_;
    std::string output_;
};

// The wallpaper in force before the calendar: TileWallpaper absent on purpose.
const Values Before = {{"Wallpaper", "/pics/sea.jpg"},
                       {"WallpaperStyle", "2"},
                       {"WallpaperOriginX", "5"},
                       {"WallpaperOriginY", "-3"}};
const char* const BackupOfBefore = "[file]\n"
                                   "TileWallpaper=\n"
                                   "WallpaperStyle=2\n"
                                   "WallpaperOriginX=5\n"
                                   "WallpaperOriginY=-3\n"
                                   "Wallpaper=/pics/sea.jpg\n";

TEST_F(WallpaperTest, OwnWallpaperByFileNameOnly) {
    struct Case {
        const char* value;
        bool own;
    };
    const Case cases[] = {
        {"/home/u/velnora/Velnora.bmp", true},
        {"/another/copy/Velnora.bmp", true},
        {"C:\\Tools\\Velnora.bmp", true},
        {"D:Velnora.bmp", true},
        {"Velnora.bmp", true},
        {"/home/u/velnora.bmp", false},
        {"/home/u/VELNORA.BMP", false},
        {"/home/u/Velnora.bmp.jpg", false},
        {"/home/u/Velnora.bmp/", false},
        {"/home/u/xVelnora.bmp", false},
        {"", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(IsOwnWallpaper(c.value), c.own) << c.value;
}

TEST_F(WallpaperTest, InstallRedrawDisplaceRestore) {
    desktop_.values = Before;

    // Not installed: nothing to show at start, the file is left alone.
    EXPECT_FALSE(CheckAtStart());
    EXPECT_FALSE(fs::exists(settingsPath_));

    // First install: the backup takes the values in force, absent ones empty;
    // the store names the picture, tiling off, style 1, origins kept.
    EXPECT_TRUE(Install());
    EXPECT_EQ(RecordText(), BackupOfBefore);
    const Values installed = {{"Wallpaper", output_},
                              {"TileWallpaper", "0"},
                              {"WallpaperStyle", "1"},
                              {"WallpaperOriginX", "5"},
                              {"WallpaperOriginY", "-3"}};
    EXPECT_EQ(desktop_.values, installed);
    EXPECT_EQ(desktop_.reloads, 1);
    EXPECT_TRUE(fs::is_regular_file(output_));

    // Installed: shown at start, and a redraw leaves the backup alone.
    EXPECT_TRUE(CheckAtStart());
    fs::remove(output_);
    EXPECT_TRUE(Install());
    EXPECT_EQ(RecordText(), BackupOfBefore);
    EXPECT_EQ(desktop_.values, installed);
    EXPECT_EQ(desktop_.reloads, 2);
    EXPECT_TRUE(fs::is_regular_file(output_));

    // Displaced: someone else set a wallpaper; every start refreshes the backup.
    desktop_.values["Wallpaper"] = "/pics/forest.png";
    desktop_.values["WallpaperStyle"] = "10";
    const char* const backupOfForest = "[file]\n"
                                       "TileWallpaper=0\n"
                                       "WallpaperStyle=10\n"
                                       "WallpaperOriginX=5\n"
                                       "WallpaperOriginY=-3\n"
                                       "Wallpaper=/pics/forest.png\n";
    EXPECT_FALSE(CheckAtStart());
    EXPECT_EQ(RecordText(), backupOfForest);
    desktop_.values["WallpaperOriginX"] = "7";
    EXPECT_FALSE(CheckAtStart());
    EXPECT_EQ(desktop_.values.at("WallpaperOriginX"), "7");
    EXPECT_EQ(ProfileFile(shared_.record).ReadString("file", "WallpaperOriginX", "?"), "7");

    // Displaced, show box on: the backup is refreshed before the store is pointed at us.
    desktop_.values["WallpaperOriginX"] = "5";
    EXPECT_TRUE(Install());
    EXPECT_EQ(RecordText(), backupOfForest);
    EXPECT_EQ(desktop_.values.at("Wallpaper"), output_);
    EXPECT_EQ(desktop_.values.at("WallpaperStyle"), "1");

    // Take-off: the values return exactly as backed up, the backup goes, the picture stays.
    EXPECT_FALSE(Restore());
    EXPECT_EQ(desktop_.values, (Values{{"Wallpaper", "/pics/forest.png"},
                                       {"TileWallpaper", "0"},
                                       {"WallpaperStyle", "10"},
                                       {"WallpaperOriginX", "5"},
                                       {"WallpaperOriginY", "-3"}}));
    EXPECT_EQ(RecordText(), "");
    EXPECT_TRUE(fs::is_regular_file(output_));
    const int reloads = desktop_.reloads;

    // Not installed again: taking off once more tells the desktop nothing.
    EXPECT_FALSE(Restore());
    EXPECT_EQ(desktop_.reloads, reloads);
    EXPECT_FALSE(CheckAtStart());
}

TEST_F(WallpaperTest, TakeOffReturnsAnAbsentValueAsEmpty) {
    desktop_.values = Before;
    Install();
    Restore();
    EXPECT_EQ(desktop_.values.at("TileWallpaper"), "");
    EXPECT_EQ(desktop_.values.at("Wallpaper"), "/pics/sea.jpg");
}

TEST_F(WallpaperTest, RestoreUsesDefaultsForMissingBackupKeys) {
    Write("velnora.INI", "[image]\npath=\n\n[OldWallpaper]\nwallpaper=\"/pics/a b.jpg\"\n");
    desktop_.values = {{"Wallpaper", output_}, {"WallpaperOriginX", "9"}};
    EXPECT_FALSE(Restore());
    EXPECT_EQ(desktop_.values, (Values{{"Wallpaper", "/pics/a b.jpg"},
                                       {"TileWallpaper", "0"},
                                       {"WallpaperStyle", "1"},
                                       {"WallpaperOriginX", "0"},
                                       {"WallpaperOriginY", "0"}}));
    EXPECT_EQ(SettingsText(), "[image]\npath=\n");
    EXPECT_EQ(desktop_.reloads, 1);
}

TEST_F(WallpaperTest, EmptyBackupWallpaperCountsAsPresent) {
    WriteRecord("[file]\nWallpaper=\n");
    desktop_.values = {{"Wallpaper", "/elsewhere/Velnora.bmp"}};
    EXPECT_TRUE(CheckAtStart());
    EXPECT_EQ(RecordText(), "[file]\nWallpaper=\n");

    // Only the Wallpaper key makes a backup.
    WriteRecord("[file]\nTileWallpaper=0\n");
    EXPECT_FALSE(CheckAtStart());
    EXPECT_FALSE(Restore());
    EXPECT_EQ(desktop_.reloads, 0);
}

TEST_F(WallpaperTest, CaseOnlyDifferenceIsDisplaced) {
    WriteRecord("[file]\nWallpaper=/pics/sea.jpg\n");
    desktop_.values = {{"Wallpaper", "/home/u/velnora.bmp"}};
    EXPECT_FALSE(CheckAtStart());
    EXPECT_EQ(ProfileFile(shared_.record).ReadString("file", "Wallpaper", ""),
              "/home/u/velnora.bmp");
}

TEST_F(WallpaperTest, ExtraValuesRideAlongAfterTheFive) {
    desktop_.values = Before;
    desktop_.values["picture-uri-dark"] = "file:///pics/night.jpg";
    desktop_.extras = {"picture-uri-dark"};
    Install();
    EXPECT_EQ(RecordText(), "[file]\nTileWallpaper=\nWallpaperStyle=2\nWallpaperOriginX=5\n"
                            "WallpaperOriginY=-3\npicture-uri-dark=file:///pics/night.jpg\n"
                            "Wallpaper=/pics/sea.jpg\n");
    desktop_.values["picture-uri-dark"] = "file:///changed.jpg";
    Restore();
    EXPECT_EQ(desktop_.values.at("picture-uri-dark"), "file:///pics/night.jpg");

    // A backup taken without the extra value leaves the store's as it is.
    WriteRecord(BackupOfBefore);
    desktop_.values["picture-uri-dark"] = "file:///now.jpg";
    Restore();
    EXPECT_EQ(desktop_.values.at("picture-uri-dark"), "file:///now.jpg");
}

TEST_F(WallpaperTest, SourcePathChoice) {
    const std::string chosen = Write("chosen.jpg", "x");
    const std::string before = Write("before.jpg", "x");
    fs::create_directory(PathOf("folder.jpg"));
    desktop_.values = {{"Wallpaper", "/now/Velnora.bmp"}};
    struct Case {
        const char* what;
        bool chooseFile;
        std::string fileName;
        std::string record; // "": no record
        bool missing;
        std::string path;
    };
    const Case cases[] = {
        {"chosen file", true, chosen, "[file]\nWallpaper=/old.jpg\n", false, chosen},
        {"chosen file missing", true, PathOf("gone.jpg"), "", true, ""},
        {"a folder is no file", true, PathOf("folder.jpg"), "", true, ""},
        {"empty name is no file", true, "", "", true, ""},
        {"backup wins over the desktop's calendar", false, chosen,
         "[file]\nWallpaper=" + before + "\n", false, before},
        {"backed-up picture since removed", false, "", "[file]\nWallpaper=/old.jpg\n", false, ""},
        {"empty backup value", false, "", "[file]\nWallpaper=\n", false, ""},
        // A calendar picture is never the source; with no record of the user's
        // wallpaper, none is known.
        {"no backup, the desktop's calendar", false, "", "", false, ""},
    };
    for (const Case& c : cases) {
        fs::remove(shared_.record);
        if (!c.record.empty())
            WriteRecord(c.record);
        const SourcePath source = ChooseSourcePath(
            c.chooseFile, c.fileName, ProfileFile(settingsPath_), shared_, OpenerFor(desktop_));
        EXPECT_EQ(source.chosenFileMissing, c.missing) << c.what;
        EXPECT_EQ(source.path, c.path) << c.what;
    }
    desktop_.values = {{"Wallpaper", before}};
    EXPECT_EQ(
        ChooseSourcePath(false, "", ProfileFile(settingsPath_), shared_, OpenerFor(desktop_)).path,
        before);
    desktop_.openable = false;
    fs::remove(shared_.record);
    EXPECT_EQ(
        ChooseSourcePath(false, "", ProfileFile(settingsPath_), shared_, OpenerFor(desktop_)).path,
        "");
}

// Failures: each stops at its step and leaves what was done before.

TEST_F(WallpaperTest, StoreThatCannotBeOpenedAtInstall) {
    desktop_.openable = false;
    ExpectMessage([&] { Install(); }, "Failed to set data for 'Wallpaper'");
    EXPECT_TRUE(fs::is_regular_file(output_));
    // Nothing reached the desktop, so the backup this install took goes again:
    // the calendar is off, not taken for on.
    EXPECT_EQ(RecordText(), "");
    EXPECT_EQ(desktop_.reloads, 0);
    EXPECT_FALSE(CheckAtStart());
}

TEST_F(WallpaperTest, StoreThatCannotBeOpenedAtRestore) {
    desktop_.values = Before;
    Install();
    desktop_.openable = false;
    ExpectMessage([&] { Restore(); }, "Failed to set data for 'Wallpaper'");
    // The backup stays, marked as a restore to finish.
    EXPECT_EQ(RecordText(), std::string(BackupOfBefore) + "Restoring=1\n");
    EXPECT_EQ(desktop_.reloads, 1);
}

TEST_F(WallpaperTest, StoreRefusingOneValue) {
    desktop_.values = Before;
    desktop_.refused = {"TileWallpaper"};
    ExpectMessage([&] { Install(); }, "Failed to set data for 'TileWallpaper'");
    // The picture was written before the refusal, so the install put the
    // backup back; that stopped at the same value, so the backup stays marked
    // as a restore to finish.
    EXPECT_EQ(RecordText(), std::string(BackupOfBefore) + "Restoring=1\n");
    EXPECT_EQ(desktop_.values.at("Wallpaper"), "/pics/sea.jpg");
    EXPECT_EQ(desktop_.values.at("WallpaperStyle"), "2");
    EXPECT_EQ(desktop_.reloads, 0);

    desktop_.refused = {"WallpaperStyle"};
    ExpectMessage([&] { Restore(); }, "Failed to set data for 'WallpaperStyle'");
    EXPECT_EQ(desktop_.values.at("Wallpaper"), "/pics/sea.jpg");
    EXPECT_EQ(RecordText(), std::string(BackupOfBefore) + "Restoring=1\n");
}

TEST_F(WallpaperTest, StoreValueThatIsNotText) {
    desktop_.values = Before;
    desktop_.notText = {"WallpaperStyle"};
    ExpectMessage([&] { Install(); }, "Invalid data type for 'WallpaperStyle'");
    EXPECT_EQ(RecordText(), "");
    EXPECT_EQ(desktop_.values, Before);
}

TEST_F(WallpaperTest, RecordThatCannotBeWritten) {
    desktop_.values = Before;
    fs::create_directories(shared_.record);
    ExpectMessage([&] { Install(); }, "Unable to write to " + shared_.record + ". Is a directory");
    EXPECT_TRUE(fs::is_regular_file(output_));
    EXPECT_EQ(desktop_.values, Before);
    EXPECT_EQ(desktop_.reloads, 0);
}

TEST_F(WallpaperTest, ReadOnlyRecordAtRestoreKeepsTheBackup) {
    desktop_.values = Before;
    Install();
    fs::permissions(shared_.record, fs::perms::owner_read | fs::perms::group_read);
    ExpectMessage([&] { Restore(); },
                  "Unable to write to " + shared_.record + ". Permission denied");
    // The mark of a restore in progress is written before the store, so nothing
    // changed: the calendar stays on, the backup whole.
    EXPECT_EQ(desktop_.values.at("Wallpaper"), output_);
    EXPECT_EQ(RecordText(), BackupOfBefore);
    EXPECT_EQ(desktop_.reloads, 1);
}

TEST_F(WallpaperTest, ReadOnlyRecordWhenDisplacedAtStart) {
    WriteRecord("[file]\nWallpaper=/pics/sea.jpg\n");
    fs::permissions(shared_.record, fs::perms::owner_read);
    desktop_.values = {{"Wallpaper", "/pics/forest.png"}};
    ExpectMessage([&] { CheckAtStart(); },
                  "Unable to write to " + shared_.record + ". Permission denied");
}

TEST_F(WallpaperTest, OutputPictureThatCannotBeCreated) {
    desktop_.values = Before;
    output_ = PathOf("picture-folder");
    fs::create_directory(output_);
#ifdef _WIN32
    // Windows refuses to put a file in a folder's place as a denied access.
    const std::string why = "Permission denied";
#else
    const std::string why = "Is a directory";
#endif
    ExpectMessage([&] { Install(); }, "Cannot create file \"" + output_ + "\". " + why);
    EXPECT_FALSE(fs::exists(shared_.record));
    EXPECT_EQ(desktop_.values, Before);
}

// The same round on the file store the program falls back to.
TEST_F(WallpaperTest, RoundTripOnTheFileStore) {
    const std::string storePath = PathOf("config/velnora/wallpaper.ini");
    const StoreOpener open = [&](StoreAccess access) { return OpenFileStore(access, storePath); };
    const auto valuesOf = [&] {
        Values values;
        const auto store = open(StoreAccess::Read);
        for (const char* name : WallpaperValueNames)
            values[name] = store->Read(name);
        return values;
    };
    {
        const auto store = open(StoreAccess::Write);
        for (const auto& [name, value] : Before)
            store->Write(name, value);
    }
    ProfileFile settings(settingsPath_);
    EXPECT_TRUE(InstallWallpaper(work_, output_, settings, shared_, open));
    EXPECT_EQ(RecordText(), BackupOfBefore);
    EXPECT_EQ(valuesOf(), (Values{{"Wallpaper", output_},
                                  {"TileWallpaper", "0"},
                                  {"WallpaperStyle", "1"},
                                  {"WallpaperOriginX", "5"},
                                  {"WallpaperOriginY", "-3"}}));
    EXPECT_TRUE(CheckWallpaperAtStart(settings, shared_, open));

    open(StoreAccess::Write)->Write("Wallpaper", "/pics/forest.png");
    EXPECT_FALSE(CheckWallpaperAtStart(settings, shared_, open));
    EXPECT_EQ(ProfileFile(shared_.record).ReadString("file", "Wallpaper", ""), "/pics/forest.png");

    EXPECT_FALSE(RestoreWallpaper(settings, shared_, open));
    EXPECT_EQ(valuesOf(), (Values{{"Wallpaper", "/pics/forest.png"},
                                  {"TileWallpaper", "0"},
                                  {"WallpaperStyle", "1"},
                                  {"WallpaperOriginX", "5"},
                                  {"WallpaperOriginY", "-3"}}));
    EXPECT_EQ(RecordText(), "");
}

} // namespace
