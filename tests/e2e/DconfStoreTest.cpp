// SPDX-License-Identifier: GPL-3.0-or-later
// The GNOME store on the real dconf: dconf-service on the session bus that
// dconf_store.sh starts, the user's database in a temporary HOME. Only what
// dconf-service commits may read back as held.
#include "../support/ExpectMessage.h"
#include "../support/StoreSteps.h"
#include "DesktopStore.h"
#include "Wallpaper.h"

#include <gio/gio.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <unistd.h>
#include <utility>
#include <vector>

using namespace velnora;

namespace {

using Names = std::vector<std::string>;

const StoreValues UsersOwn{{"Wallpaper", "/home/u/sea.jpg"}, {"PictureOptions", "zoom"}};

std::unique_ptr<DesktopStore> Open(StoreAccess access) {
    return OpenGnomeStore(access, SchemaFamily::Gnome, WallpaperStorePath());
}

std::string Wallpaper() {
    return Open(StoreAccess::Read)->Read("Wallpaper");
}

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
    const StoreValues backup = TakeBackup(Open);
    Put(Open, InstalledValues);
    EXPECT_EQ(Open(StoreAccess::Read)->Read("DefaultKeys"), "");
    Put(Open, backup);
    EXPECT_EQ(NotHeld(Open, backup), Names{});
    EXPECT_EQ(Open(StoreAccess::Read)->Read("DefaultKeys"), allDefault);
}

TEST(Dconf, WritableDatabaseHoldsInstallAndRestore) {
    Put(Open, UsersOwn);
    ASSERT_EQ(NotHeld(Open, UsersOwn), Names{});
    const StoreValues backup = TakeBackup(Open);
    Put(Open, InstalledValues);
    EXPECT_EQ(NotHeld(Open, InstalledValues), Names{});
    EXPECT_EQ(Wallpaper(), "/opt/velnora/Velnora.bmp");
    Put(Open, backup);
    EXPECT_EQ(NotHeld(Open, backup), Names{});
    EXPECT_EQ(Wallpaper(), "/home/u/sea.jpg");
}

TEST(Dconf, ReadOnlyDatabaseHoldsNothing) {
    Put(Open, UsersOwn); // the database and its folder exist from here on
    const StoreValues backup = TakeBackup(Open);
    const std::string folder = std::string(g_get_user_config_dir()) + "/dconf";
    {
        ReadOnlyFolder readOnly(folder);
        if (readOnly.Writable())
            GTEST_SKIP()
                << "this user writes into read-only folders (root outside a user namespace)";
        Put(Open, InstalledValues);
        EXPECT_EQ(NotHeld(Open, InstalledValues), (Names{"Wallpaper", "WallpaperStyle"}));
        EXPECT_EQ(Wallpaper(), "/home/u/sea.jpg");
    }
    Put(Open, InstalledValues);
    {
        ReadOnlyFolder readOnly(folder);
        Put(Open, backup);
        EXPECT_EQ(NotHeld(Open, backup), (Names{"Wallpaper", "WallpaperStyle", "PictureUri",
                                                "PictureUriDark", "PictureOptions"}));
        EXPECT_EQ(Wallpaper(), "/opt/velnora/Velnora.bmp");
    }
}

// The wallpaper layer itself on a database that refuses the switch-off: the
// message, the backup kept, and the restore finished by the next start once
// dconf takes the values.
TEST(Dconf, SwitchOffTheDatabaseRefusesKeepsTheBackup) {
    Put(Open, UsersOwn);
    const std::string program = std::string(g_get_home_dir()) + "/program";
    std::filesystem::create_directories(program);
    ProfileFile settings(program + "/velnora.INI");
    const SharedBackup shared = CurrentSharedBackup();
    ASSERT_TRUE(InstallWallpaper(Bitmap(4, 3), program + "/Velnora.bmp", settings, shared, Open));
    {
        ReadOnlyFolder readOnly(std::string(g_get_user_config_dir()) + "/dconf");
        if (readOnly.Writable())
            GTEST_SKIP()
                << "this user writes into read-only folders (root outside a user namespace)";
        ExpectMessage([&] { RestoreWallpaper(settings, shared, Open); },
                      "Failed to set data for 'Wallpaper'");
        EXPECT_TRUE(ProfileFile(shared.record).HasKey("gnome", "Wallpaper"));
        EXPECT_EQ(Wallpaper(), program + "/Velnora.bmp");
    }
    EXPECT_FALSE(CheckWallpaperAtStart(settings, shared, Open));
    EXPECT_FALSE(ProfileFile(shared.record).HasKey("gnome", "Wallpaper"));
    EXPECT_EQ(Wallpaper(), "/home/u/sea.jpg");
}

// Run without a session bus: reads come from the database file, writes are lost.
TEST(NoSessionBus, WritesDoNotHold) {
    const std::string before = Wallpaper();
    const StoreValues write{{"Wallpaper", "/tmp/velnora-no-bus/Velnora.bmp"}};
    Put(Open, write);
    EXPECT_EQ(NotHeld(Open, write), Names{"Wallpaper"});
    EXPECT_EQ(Wallpaper(), before);
}

// GIO without a backend that stores settings keeps them in this process only.
TEST(MemoryBackend, WritesDoNotHold) {
    Put(Open, InstalledValues);
    EXPECT_EQ(NotHeld(Open, InstalledValues),
              (Names{"Wallpaper", "TileWallpaper", "WallpaperStyle"}));
}

} // namespace
