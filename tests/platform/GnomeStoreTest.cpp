// The GNOME-family store on the real GSettings library, with the keyfile
// backend in a temporary folder. Cinnamon's and MATE's schemas are not
// installable here: copies of their wallpaper keys are compiled for the test.
#include "GnomeStore.h"
#include "DesktopStore.h"
#include "TestSupport.h"

#include <gio/gio.h>
#include <gtest/gtest.h>

#include <map>
#include <vector>

namespace {

constexpr const char* StyleEnum = R"(
  <enum id="org.velnora.test.Style">
    <value nick="none" value="0"/><value nick="wallpaper" value="1"/>
    <value nick="centered" value="2"/><value nick="scaled" value="3"/>
    <value nick="stretched" value="4"/><value nick="zoom" value="5"/>
    <value nick="spanned" value="6"/>
  </enum>)";

constexpr const char* TestSchemas = R"(
  <schema id="org.cinnamon.desktop.background" path="/org/cinnamon/desktop/background/">
    <key name="picture-uri" type="s"><default>'file:///usr/share/c.jpg'</default></key>
    <key name="picture-options" enum="org.velnora.test.Style"><default>'zoom'</default></key>
  </schema>
  <schema id="org.mate.background" path="/org/mate/desktop/background/">
    <key name="picture-filename" type="s"><default>'/usr/share/m.jpg'</default></key>
    <key name="picture-options" enum="org.velnora.test.Style"><default>'zoom'</default></key>
  </schema>
  <schema id="org.velnora.test.broken" path="/org/velnora/test/broken/">
    <key name="picture-uri" type="i"><default>7</default></key>
    <key name="picture-uri-dark" type="s"><default>''</default></key>
  </schema>)";

// GIO reads its environment once, when it first starts: so this is set before
// main, and XDG_CONFIG_HOME is fixed for GIO at once (other tests move it later).
struct GioEnvironment {
    std::string root;

    GioEnvironment() {
        std::string pattern = "/tmp/velnora-gio-XXXXXX";
        if (mkdtemp(pattern.data()) == nullptr)
            std::abort();
        root = pattern;
        std::filesystem::create_directories(root + "/schemas");
        std::filesystem::create_directories(root + "/config");
        WriteWholeFile(root + "/schemas/velnora-test.gschema.xml",
                       std::string("<schemalist>") + StyleEnum + TestSchemas + "</schemalist>");
        const std::string compile = "glib-compile-schemas " + root + "/schemas";
        if (std::system(compile.c_str()) != 0)
            std::abort();
        setenv("GSETTINGS_SCHEMA_DIR", (root + "/schemas").c_str(), 1);
        setenv("GSETTINGS_BACKEND", "keyfile", 1);
        setenv("XDG_CONFIG_HOME", (root + "/config").c_str(), 1);
        g_get_user_config_dir();
    }
    ~GioEnvironment() {
        std::error_code ignored;
        std::filesystem::remove_all(root, ignored);
    }
};
const GioEnvironment gio;

// The desktop's own view of its keys, as another program would set them.
class RawSettings {
  public:
    explicit RawSettings(const char* schemaId) {
        GSettingsSchema* schema =
            g_settings_schema_source_lookup(g_settings_schema_source_get_default(), schemaId, TRUE);
        settings_ = g_settings_new_full(schema, nullptr, nullptr);
        g_settings_schema_unref(schema);
    }
    ~RawSettings() { g_object_unref(settings_); }
    RawSettings(const RawSettings&) = delete;
    RawSettings& operator=(const RawSettings&) = delete;

    void Set(const char* key, const std::string& value) {
        ASSERT_TRUE(g_settings_set_string(settings_, key, value.c_str())) << key;
    }
    std::string Get(const char* key) {
        gchar* value = g_settings_get_string(settings_, key);
        std::string result = value;
        g_free(value);
        return result;
    }

  private:
    GSettings* settings_;
};

std::unique_ptr<DesktopStore> Open(StoreAccess access, SchemaFamily family) {
    // The origins' file follows the test's own folder via XDG_CONFIG_HOME.
    auto store = OpenGnomeStore(access, family, WallpaperStorePath());
    if (store == nullptr)
        throw std::runtime_error("schema not found");
    return store;
}

// What the wallpaper layer does: the five values then the extras, in order.
using Backup = std::vector<std::pair<std::string, std::string>>;

Backup TakeBackup(SchemaFamily family) {
    auto store = Open(StoreAccess::Read, family);
    Backup backup;
    for (const char* name : WallpaperValueNames)
        backup.emplace_back(name, store->Read(name));
    for (const std::string& name : store->ExtraNames())
        backup.emplace_back(name, store->Read(name));
    return backup;
}

void Restore(SchemaFamily family, const Backup& backup) {
    auto store = Open(StoreAccess::Write, family);
    for (const auto& [name, value] : backup)
        store->Write(name, value);
    store->Reload();
}

void Install(SchemaFamily family, const std::string& picture) {
    auto store = Open(StoreAccess::Write, family);
    store->Write("Wallpaper", picture);
    store->Write("TileWallpaper", "0");
    store->Write("WallpaperStyle", "1");
    store->Reload();
}

constexpr const char* AllOptions[] = {"none",      "wallpaper", "centered", "scaled",
                                      "stretched", "zoom",      "spanned"};

class GSettingsStoreTest : public ::testing::Test {
  protected:
    TempFolder folder;
    ScopedEnv config{"XDG_CONFIG_HOME", folder.Path()};
};

TEST_F(GSettingsStoreTest, ReadsTheLayoutAsTileAndStyle) {
    const struct {
        const char* option;
        const char* tile;
        const char* style;
    } rows[] = {
        {"wallpaper", "1", "0"}, {"centered", "0", "0"}, {"stretched", "0", "2"},
        {"scaled", "0", "6"},    {"zoom", "0", "10"},    {"spanned", "0", "22"},
        {"none", "0", "0"},
    };
    RawSettings raw("org.gnome.desktop.background");
    for (const auto& row : rows) {
        raw.Set("picture-options", row.option);
        auto store = Open(StoreAccess::Read, SchemaFamily::Gnome);
        EXPECT_EQ(store->Read("TileWallpaper"), row.tile) << row.option;
        EXPECT_EQ(store->Read("WallpaperStyle"), row.style) << row.option;
    }
}

TEST_F(GSettingsStoreTest, WritesTileAndStyleAsTheLayout) {
    const struct {
        const char* before;
        const char* name;
        const char* value;
        const char* after;
    } rows[] = {
        {"zoom", "WallpaperStyle", "1", "spanned"}, // the program's own picture
        {"zoom", "WallpaperStyle", "0", "centered"},
        {"zoom", "WallpaperStyle", "2", "stretched"},
        {"zoom", "WallpaperStyle", "6", "scaled"},
        {"spanned", "WallpaperStyle", "10", "zoom"},
        {"zoom", "WallpaperStyle", "22", "spanned"},
        {"wallpaper", "WallpaperStyle", "2", "wallpaper"}, // tiling wins over any style
        {"zoom", "TileWallpaper", "1", "wallpaper"},
        {"wallpaper", "TileWallpaper", "0", "centered"},
        {"zoom", "TileWallpaper", "0", "zoom"},
        {"scaled", "WallpaperStyle", "5", "scaled"}, // no such style: left as it is
        {"scaled", "WallpaperStyle", "", "scaled"},
    };
    RawSettings raw("org.gnome.desktop.background");
    for (const auto& row : rows) {
        raw.Set("picture-options", row.before);
        Open(StoreAccess::Write, SchemaFamily::Gnome)->Write(row.name, row.value);
        EXPECT_EQ(raw.Get("picture-options"), row.after)
            << row.before << " " << row.name << "=" << row.value;
    }
}

TEST_F(GSettingsStoreTest, WallpaperIsThePictureAsAPath) {
    const struct {
        const char* uri;
        const char* path;
    } rows[] = {
        {"file:///home/user/My%20Pictures/sea.jpg", "/home/user/My Pictures/sea.jpg"},
        {"file://localhost/srv/a.png", "/srv/a.png"},
        {"https://example.org/a.jpg", ""},  // not a file the program can draw on
        {"file://otherhost/srv/a.png", ""}, // not a local file
        {"", ""},
    };
    RawSettings raw("org.gnome.desktop.background");
    for (const auto& row : rows) {
        raw.Set("picture-uri", row.uri);
        EXPECT_EQ(Open(StoreAccess::Read, SchemaFamily::Gnome)->Read("Wallpaper"), row.path)
            << row.uri;
    }
}

TEST_F(GSettingsStoreTest, WallpaperWrittenAsUriForBothStyles) {
    RawSettings raw("org.gnome.desktop.background");
    auto store = Open(StoreAccess::Write, SchemaFamily::Gnome);
    store->Write("Wallpaper", "/tmp/a b/Velnora.bmp");
    EXPECT_EQ(raw.Get("picture-uri"), "file:///tmp/a%20b/Velnora.bmp");
    EXPECT_EQ(raw.Get("picture-uri-dark"), "file:///tmp/a%20b/Velnora.bmp");
    store->Write("Wallpaper", "");
    EXPECT_EQ(raw.Get("picture-uri"), "");
    ExpectMessage([&] { store->Write("Wallpaper", "relative/Velnora.bmp"); },
                  "Failed to set data for 'Wallpaper'");
}

TEST_F(GSettingsStoreTest, OriginsReadBackAsWritten) {
    Open(StoreAccess::Write, SchemaFamily::Gnome)->Write("WallpaperOriginX", "5");
    auto store = Open(StoreAccess::Read, SchemaFamily::Gnome);
    EXPECT_EQ(store->Read("WallpaperOriginX"), "5");
    EXPECT_EQ(store->Read("WallpaperOriginY"), "");
    EXPECT_TRUE(std::filesystem::exists(WallpaperStorePath()));
}

TEST_F(GSettingsStoreTest, ExtraNamesPerFamily) {
    using Names = std::vector<std::string>;
    EXPECT_EQ(Open(StoreAccess::Read, SchemaFamily::Gnome)->ExtraNames(),
              (Names{"PictureUri", "PictureUriDark", "PictureOptions"}));
    EXPECT_EQ(Open(StoreAccess::Read, SchemaFamily::Cinnamon)->ExtraNames(),
              (Names{"PictureUri", "PictureOptions"}));
    EXPECT_EQ(Open(StoreAccess::Read, SchemaFamily::Mate)->ExtraNames(), (Names{"PictureOptions"}));
}

// Every layout the desktop can hold, with pictures the five values cannot
// name, comes back exactly after the calendar was put on and taken off.
struct RestoreCase {
    const char* label;
    SchemaFamily family;
    const char* schema;
    const char* pictureKey;
    const char* picture;
    const char* dark; // nullptr: the family has no dark picture
};

void PrintTo(const RestoreCase& c, std::ostream* out) {
    *out << c.label;
}

class GSettingsRestoreTest : public GSettingsStoreTest,
                             public ::testing::WithParamInterface<RestoreCase> {};

TEST_P(GSettingsRestoreTest, RestoreGivesTheDesktopBackExactly) {
    const RestoreCase& c = GetParam();
    RawSettings raw(c.schema);
    for (const char* option : AllOptions) {
        raw.Set(c.pictureKey, c.picture);
        if (c.dark != nullptr)
            raw.Set("picture-uri-dark", c.dark);
        raw.Set("picture-options", option);
        Open(StoreAccess::Write, c.family)->Write("WallpaperOriginY", "3");

        const Backup backup = TakeBackup(c.family);
        Install(c.family, "/opt/velnora/Velnora.bmp");
        EXPECT_EQ(raw.Get("picture-options"), "spanned");
        EXPECT_EQ(Open(StoreAccess::Read, c.family)->Read("Wallpaper"), "/opt/velnora/Velnora.bmp");
        if (c.dark != nullptr) {
            EXPECT_EQ(raw.Get("picture-uri-dark"), "file:///opt/velnora/Velnora.bmp");
        }

        Restore(c.family, backup);
        EXPECT_EQ(raw.Get(c.pictureKey), c.picture) << option;
        if (c.dark != nullptr) {
            EXPECT_EQ(raw.Get("picture-uri-dark"), c.dark) << option;
        }
        EXPECT_EQ(raw.Get("picture-options"), option);
        EXPECT_EQ(Open(StoreAccess::Read, c.family)->Read("WallpaperOriginY"), "3");
    }
}

INSTANTIATE_TEST_SUITE_P(
    Families, GSettingsRestoreTest,
    ::testing::Values(
        RestoreCase{"GnomeLocalFiles", SchemaFamily::Gnome, "org.gnome.desktop.background",
                    "picture-uri", "file:///usr/share/backgrounds/gnome/adwaita-l.webp",
                    "file:///usr/share/backgrounds/gnome/adwaita-d.webp"},
        RestoreCase{"GnomeRemoteUri", SchemaFamily::Gnome, "org.gnome.desktop.background",
                    "picture-uri", "https://example.org/remote.jpg", ""},
        RestoreCase{"GnomeDarkOnly", SchemaFamily::Gnome, "org.gnome.desktop.background",
                    "picture-uri", "", "file:///home/u/dark%20sky.png"},
        RestoreCase{"Cinnamon", SchemaFamily::Cinnamon, "org.cinnamon.desktop.background",
                    "picture-uri", "file:///usr/share/c%C3%A9.jpg", nullptr},
        RestoreCase{"Mate", SchemaFamily::Mate, "org.mate.background", "picture-filename",
                    "/usr/share/backgrounds/mate/a b.jpg", nullptr}),
    [](const ::testing::TestParamInfo<RestoreCase>& info) { return info.param.label; });

TEST_F(GSettingsStoreTest, MatePictureIsAPlainPath) {
    RawSettings raw("org.mate.background");
    auto store = Open(StoreAccess::Write, SchemaFamily::Mate);
    store->Write("Wallpaper", "/tmp/x y/Velnora.bmp");
    EXPECT_EQ(raw.Get("picture-filename"), "/tmp/x y/Velnora.bmp");
    // GSettings holds UTF-8 text only.
    ExpectMessage([&] { store->Write("Wallpaper", "/tmp/\xff.bmp"); },
                  "Failed to set data for 'Wallpaper'");
}

TEST_F(GSettingsStoreTest, RefusedValues) {
    auto store = Open(StoreAccess::Write, SchemaFamily::Gnome);
    ExpectMessage([&] { store->Write("PictureOptions", "sideways"); },
                  "Failed to set data for 'PictureOptions'");
    ExpectMessage([&] { store->Write("Desktop", "x"); }, "Failed to set data for 'Desktop'");
}

TEST_F(GSettingsStoreTest, KeysOfTheWrongKindOrMissing) {
    const GSettingsLayout broken{"org.velnora.test.broken", "picture-uri", true, "picture-uri-dark",
                                 "picture-options"};
    auto store = OpenGSettingsStore(StoreAccess::Write, broken, WallpaperStorePath());
    ASSERT_NE(store, nullptr);
    ExpectMessage([&] { store->Read("Wallpaper"); }, "Invalid data type for 'Wallpaper'");
    ExpectMessage([&] { store->Write("Wallpaper", "/a.bmp"); },
                  "Failed to set data for 'Wallpaper'");
    EXPECT_EQ(store->Read("TileWallpaper"), ""); // no layout key: an absent value
    ExpectMessage([&] { store->Write("WallpaperStyle", "1"); },
                  "Failed to set data for 'WallpaperStyle'");
}

TEST_F(GSettingsStoreTest, MissingSchemaOpensNothing) {
    const GSettingsLayout absent{"org.velnora.test.absent", "picture-uri", true, nullptr,
                                 "picture-options"};
    EXPECT_EQ(OpenGSettingsStore(StoreAccess::Read, absent, WallpaperStorePath()), nullptr);
}

TEST(SchemaFamilyChoice, CurrentDesktopNames) {
    const struct {
        const char* desktop;
        std::optional<SchemaFamily> family;
    } rows[] = {
        {"GNOME", SchemaFamily::Gnome},
        {"ubuntu:GNOME", SchemaFamily::Gnome},
        {"Unity:Unity7:ubuntu", SchemaFamily::Gnome},
        {"Budgie:GNOME", SchemaFamily::Gnome},
        {"Pantheon", SchemaFamily::Gnome},
        {"X-Cinnamon", SchemaFamily::Cinnamon},
        {"MATE", SchemaFamily::Mate},
        {"gnome-flashback:GNOME", SchemaFamily::Gnome},
        {"KDE", std::nullopt},
        {"XFCE", std::nullopt},
        {"", std::nullopt},
        {"::", std::nullopt},
        {"GNOMEish", std::nullopt},
    };
    for (const auto& row : rows)
        EXPECT_EQ(SchemaFamilyFor(row.desktop), row.family) << row.desktop;
}

TEST_F(GSettingsStoreTest, SessionDesktopChoosesTheFamily) {
    const struct {
        const char* desktop;
        std::size_t extras;
    } rows[] = {{"ubuntu:GNOME", 3}, {"X-Cinnamon", 2}, {"MATE", 1}, {"KDE", 0}};
    ScopedEnv display("DISPLAY", std::nullopt);
    for (const auto& row : rows) {
        ScopedEnv desktop("XDG_CURRENT_DESKTOP", row.desktop);
        EXPECT_EQ(OpenDesktopStore(StoreAccess::Read)->ExtraNames().size(), row.extras)
            << row.desktop;
    }
}

} // namespace
