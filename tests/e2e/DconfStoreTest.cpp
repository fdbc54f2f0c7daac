// SPDX-License-Identifier: GPL-3.0-or-later
// The GNOME store on the real dconf: dconf-service on the session bus that
// dconf_store.sh starts, the user's database in a temporary HOME. Only what
// dconf-service commits may read back as held.
#include "../support/ExpectMessage.h"
#include "DesktopStore.h"
#include "Wallpaper.h"

#include <gio/gio.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <unistd.h>
#include <utility>

using namespace velnora;

namespace {

std::unique_ptr<DesktopStore> Open(StoreAccess access) {
    return OpenGnomeStore(access, SchemaFamily::Gnome, WallpaperStorePath());
}

std::string Wallpaper() {
    return Open(StoreAccess::Read)->Read("Wallpaper");
}

// The user's own wallpaper, set as another program sets it.
void SetUsersOwn() {
    const auto store = Open(StoreAccess::Write);
    store->Write("Wallpaper", "/home/u/sea.jpg");
    store->Write("PictureOptions", "zoom");
    store->Reload();
}

// The program's files and the shared backup, as the wallpaper layer uses them.
struct Program {
    Program() { std::filesystem::create_directories(folder); }

    std::string folder = std::string(g_get_home_dir()) + "/program";
    std::string picture = folder + "/Velnora.bmp";
    ProfileFile settings{folder + "/velnora.INI"};
    SharedBackup shared = CurrentSharedBackup();

    bool Install() { return InstallWallpaper(Bitmap(4, 3), picture, settings, shared, Open); }
    bool Restore() { return RestoreWallpaper(settings, shared, Open); }
};

// The user's database folder made read-only for the life of the object, as it is
// after "sudo gsettings" created it.
class ReadOnlyFolder {
  public:
    explicit ReadOnlyFolder(std::string path) : path_(std::move(path)) {
        std::filesystem::permissions(path_, std::filesystem::perms::owner_write,
                                     std::filesystem::perm_options::remove);
    }
    ~ReadOnlyFolder() {
        std::filesystem::permissions(path_, std::filesystem::perms::owner_write,
                                     std::filesystem::perm_options::add);
    }
    ReadOnlyFolder(const ReadOnlyFolder&) = delete;
    ReadOnlyFolder& operator=(const ReadOnlyFolder&) = delete;
    bool Writable() const { return access(path_.c_str(), W_OK) == 0; }

  private:
    std::string path_;
};

TEST(Dconf, TheBackendIsDconf) {
    ASSERT_NE(Open(StoreAccess::Read), nullptr) << "gsettings-desktop-schemas is not installed";
    GSettings* settings = g_settings_new("org.gnome.desktop.background");
    GObject* backend = nullptr;
    g_object_get(settings, "backend", &backend, nullptr);
    EXPECT_STREQ(G_OBJECT_TYPE_NAME(backend), "DConfSettingsBackend");
    g_object_unref(backend);
    g_object_unref(settings);
}

// Runs first, on the new user's empty database.
TEST(Dconf, KeysAtTheirDefaultsComeBackUnset) {
    const std::string allDefault = "picture-uri picture-uri-dark picture-options";
    ASSERT_EQ(Open(StoreAccess::Read)->Read("DefaultKeys"), allDefault);
    Program program;
    ASSERT_TRUE(program.Install());
    EXPECT_EQ(Open(StoreAccess::Read)->Read("DefaultKeys"), "");
    EXPECT_FALSE(program.Restore()); // each value read back as held, or it throws
    EXPECT_EQ(Open(StoreAccess::Read)->Read("DefaultKeys"), allDefault);
}

TEST(Dconf, WritableDatabaseHoldsInstallAndRestore) {
    SetUsersOwn();
    Program program;
    ASSERT_TRUE(program.Install());
    EXPECT_EQ(Wallpaper(), program.picture);
    EXPECT_FALSE(program.Restore());
    EXPECT_EQ(Wallpaper(), "/home/u/sea.jpg");
    EXPECT_EQ(Open(StoreAccess::Read)->Read("PictureOptions"), "zoom");
}

// The restore the read-only database refuses: SwitchOffTheDatabaseRefusesKeepsTheBackup.
TEST(Dconf, ReadOnlyDatabaseRefusesTheInstall) {
    SetUsersOwn(); // the database and its folder exist from here on
    Program program;
    ReadOnlyFolder readOnly(std::string(g_get_user_config_dir()) + "/dconf");
    if (readOnly.Writable())
        GTEST_SKIP() << "this user writes into read-only folders (root outside a user namespace)";
    ExpectMessage([&] { program.Install(); }, "Failed to set data for 'Wallpaper'");
    EXPECT_EQ(Wallpaper(), "/home/u/sea.jpg");
    EXPECT_FALSE(ProfileFile(program.shared.record).HasKey("gnome", "Wallpaper"));
}

// The wallpaper layer itself on a database that refuses the switch-off: the
// message, the backup kept, and the restore finished by the next start once
// dconf takes the values.
TEST(Dconf, SwitchOffTheDatabaseRefusesKeepsTheBackup) {
    SetUsersOwn();
    Program program;
    ASSERT_TRUE(program.Install());
    {
        ReadOnlyFolder readOnly(std::string(g_get_user_config_dir()) + "/dconf");
        if (readOnly.Writable())
            GTEST_SKIP()
                << "this user writes into read-only folders (root outside a user namespace)";
        ExpectMessage([&] { program.Restore(); }, "Failed to set data for 'Wallpaper'");
        EXPECT_TRUE(ProfileFile(program.shared.record).HasKey("gnome", "Wallpaper"));
        EXPECT_EQ(Wallpaper(), program.picture);
    }
    EXPECT_FALSE(CheckWallpaperAtStart(program.settings, program.shared, Open));
    EXPECT_FALSE(ProfileFile(program.shared.record).HasKey("gnome", "Wallpaper"));
    EXPECT_EQ(Wallpaper(), "/home/u/sea.jpg");
}

// Without a session bus reads come from the database file and writes are
// lost; GIO without a backend that stores settings keeps them in this process
// only. Either way the install does not hold and the desktop keeps its picture.
TEST(NoSessionBus, WritesDoNotHold) {
    const std::string before = Wallpaper();
    Program program;
    ExpectMessage([&] { program.Install(); }, "Failed to set data for 'Wallpaper'");
    EXPECT_EQ(Wallpaper(), before);
    EXPECT_FALSE(ProfileFile(program.shared.record).HasKey("gnome", "Wallpaper"));
}

TEST(MemoryBackend, WritesDoNotHold) {
    Program program;
    ExpectMessage([&] { program.Install(); }, "Failed to set data for 'Wallpaper'");
}

} // namespace
