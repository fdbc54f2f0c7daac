// The GNOME store on the real dconf: dconf-service on the session bus that
// dconf_store.sh starts, the user's database in a temporary HOME. Only what
// dconf-service commits may read back as held.
#include "DesktopStore.h"

#include <gio/gio.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <unistd.h>
#include <utility>
#include <vector>

namespace {

using Values = std::vector<std::pair<std::string, std::string>>;
using Names = std::vector<std::string>;

const Values Installed{
    {"Wallpaper", "/opt/velnora/Velnora.bmp"}, {"TileWallpaper", "0"}, {"WallpaperStyle", "1"}};
const Values UsersOwn{{"Wallpaper", "/home/u/sea.jpg"}, {"PictureOptions", "zoom"}};

std::unique_ptr<DesktopStore> Open(StoreAccess access) {
    return OpenGnomeStore(access, SchemaFamily::Gnome, WallpaperStorePath());
}

// Writes the values and has the desktop take them up, as the wallpaper layer does.
void Put(const Values& values) {
    auto store = Open(StoreAccess::Write);
    for (const auto& [name, value] : values)
        store->Write(name, value);
    store->Reload();
}

// The names a new store does not read back as written.
Names NotHeld(const Values& values) {
    auto store = Open(StoreAccess::Read);
    Names names;
    for (const auto& [name, value] : values)
        if (!store->Holds(name, value))
            names.push_back(name);
    return names;
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

// The five values and the extras, as the wallpaper layer backs them up.
Values TakeBackup() {
    auto store = Open(StoreAccess::Read);
    Values backup;
    for (const char* name : WallpaperValueNames)
        backup.emplace_back(name, store->Read(name));
    for (const std::string& name : store->ExtraNames())
        backup.emplace_back(name, store->Read(name));
    return backup;
}

// Runs first, on the new user's empty database.
TEST(Dconf, KeysAtTheirDefaultsComeBackUnset) {
    const std::string allDefault = "picture-uri picture-uri-dark picture-options";
    ASSERT_EQ(Open(StoreAccess::Read)->Read("DefaultKeys"), allDefault);
    const Values backup = TakeBackup();
    Put(Installed);
    EXPECT_EQ(Open(StoreAccess::Read)->Read("DefaultKeys"), "");
    Put(backup);
    EXPECT_EQ(NotHeld(backup), Names{});
    EXPECT_EQ(Open(StoreAccess::Read)->Read("DefaultKeys"), allDefault);
}

TEST(Dconf, WritableDatabaseHoldsInstallAndRestore) {
    Put(UsersOwn);
    ASSERT_EQ(NotHeld(UsersOwn), Names{});
    const Values backup = TakeBackup();
    Put(Installed);
    EXPECT_EQ(NotHeld(Installed), Names{});
    EXPECT_EQ(Wallpaper(), "/opt/velnora/Velnora.bmp");
    Put(backup);
    EXPECT_EQ(NotHeld(backup), Names{});
    EXPECT_EQ(Wallpaper(), "/home/u/sea.jpg");
}

TEST(Dconf, ReadOnlyDatabaseHoldsNothing) {
    Put(UsersOwn); // the database and its folder exist from here on
    const Values backup = TakeBackup();
    const std::string folder = std::string(g_get_user_config_dir()) + "/dconf";
    {
        ReadOnlyFolder readOnly(folder);
        if (readOnly.Writable())
            GTEST_SKIP()
                << "this user writes into read-only folders (root outside a user namespace)";
        Put(Installed);
        EXPECT_EQ(NotHeld(Installed), (Names{"Wallpaper", "WallpaperStyle"}));
        EXPECT_EQ(Wallpaper(), "/home/u/sea.jpg");
    }
    Put(Installed);
    {
        ReadOnlyFolder readOnly(folder);
        Put(backup);
        EXPECT_EQ(NotHeld(backup), (Names{"Wallpaper", "WallpaperStyle", "PictureUri",
                                          "PictureUriDark", "PictureOptions"}));
        EXPECT_EQ(Wallpaper(), "/opt/velnora/Velnora.bmp");
    }
}

// Run without a session bus: reads come from the database file, writes are lost.
TEST(NoSessionBus, WritesDoNotHold) {
    const std::string before = Wallpaper();
    const Values write{{"Wallpaper", "/tmp/velnora-no-bus/Velnora.bmp"}};
    Put(write);
    EXPECT_EQ(NotHeld(write), Names{"Wallpaper"});
    EXPECT_EQ(Wallpaper(), before);
}

} // namespace
