// SPDX-License-Identifier: GPL-3.0-or-later
// The GNOME-family store on the real GSettings library, with the keyfile
// backend in a temporary folder. Cinnamon's and MATE's schemas are not
// installable here: copies of their wallpaper keys are compiled for the test, and
// so is GNOME's before version 42 (gsettings-desktop-schemas 41), which had no
// picture-uri-dark.
#include "GnomeStore.h"
#include "DesktopStore.h"
#include "TestSupport.h"

#include <gio/gio.h>
#include <gtest/gtest.h>

#include <map>
#include <sstream>
#include <utility>
#include <vector>

using namespace velnora;

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
  <schema id="org.velnora.test.gnome41" path="/org/velnora/test/gnome41/">
    <key name="picture-uri" type="s"><default>'file:///usr/share/g41.jpg'</default></key>
    <key name="picture-options" enum="org.velnora.test.Style"><default>'zoom'</default></key>
  </schema>
  <schema id="org.velnora.test.broken" path="/org/velnora/test/broken/">
    <key name="picture-uri" type="i"><default>7</default></key>
    <key name="picture-uri-dark" type="s"><default>''</default></key>
  </schema>)";

// GIO reads its environment once, when it first starts: so this is set before
// main, and XDG_CONFIG_HOME is fixed for GIO at once (other tests move it later).
struct GioEnvironment {
    TempFolder folder;
    std::string root = folder.Path();

    GioEnvironment() {
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
    void Reset(const char* key) { g_settings_reset(settings_, key); }
    bool HasUserValue(const char* key) {
        GVariant* value = g_settings_get_user_value(settings_, key);
        if (value != nullptr)
            g_variant_unref(value);
        return value != nullptr;
    }

  private:
    GSettings* settings_;
};

const GSettingsLayout Gnome41{"org.velnora.test.gnome41", "picture-uri", true, "picture-uri-dark",
                              "picture-options"};

std::unique_ptr<DesktopStore> Open(StoreAccess access, const GSettingsLayout& layout) {
    // The origins' file follows the test's own folder via XDG_CONFIG_HOME.
    auto store = OpenGSettingsStore(access, layout, WallpaperStorePath());
    if (store == nullptr)
        throw std::runtime_error("schema not found");
    return store;
}

std::unique_ptr<DesktopStore> Open(StoreAccess access, SchemaFamily family) {
    return Open(access, LayoutOf(family));
}

using Names = std::vector<std::string>;
using StoreValues = std::vector<std::pair<std::string, std::string>>;

// The store's side of a backup and restore: the five values and the extra
// names read, then written back in that order and taken up by the desktop, a
// new store holding each.
const StoreValues InstalledValues{
    {"Wallpaper", "/opt/velnora/Velnora.bmp"}, {"TileWallpaper", "0"}, {"WallpaperStyle", "1"}};

StoreValues ReadAll(const GSettingsLayout& layout) {
    const auto store = Open(StoreAccess::Read, layout);
    StoreValues values;
    for (const char* name : WallpaperValueNames)
        values.emplace_back(name, store->Read(name));
    for (const std::string& name : store->ExtraNames())
        values.emplace_back(name, store->Read(name));
    return values;
}

void WriteAll(const GSettingsLayout& layout, const StoreValues& values) {
    const auto store = Open(StoreAccess::Write, layout);
    for (const auto& [name, value] : values)
        store->Write(name, value);
    store->Reload();
}

Names NotHeld(const GSettingsLayout& layout, const StoreValues& values) {
    const auto store = Open(StoreAccess::Read, layout);
    Names names;
    for (const auto& [name, value] : values)
        if (!store->Holds(name, value))
            names.push_back(name);
    return names;
}

Names Words(const std::string& text) {
    std::istringstream in(text);
    Names words;
    for (std::string word; in >> word;)
        words.push_back(word);
    return words;
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
    EXPECT_EQ(Open(StoreAccess::Read, SchemaFamily::Gnome)->ExtraNames(),
              (Names{"PictureUri", "PictureUriDark", "PictureOptions", "DefaultKeys"}));
    EXPECT_EQ(Open(StoreAccess::Read, Gnome41)->ExtraNames(),
              (Names{"PictureUri", "PictureOptions", "DefaultKeys"}));
    EXPECT_EQ(Open(StoreAccess::Read, SchemaFamily::Cinnamon)->ExtraNames(),
              (Names{"PictureUri", "PictureOptions", "DefaultKeys"}));
    EXPECT_EQ(Open(StoreAccess::Read, SchemaFamily::Mate)->ExtraNames(),
              (Names{"PictureOptions", "DefaultKeys"}));
}

// Every layout the desktop can hold, with pictures the five values cannot
// name, comes back exactly after the calendar was put on and taken off, and
// each step reads back as written.
struct RestoreCase {
    const char* label;
    GSettingsLayout layout;
    const char* picture;
    const char* dark; // nullptr: the schema has no dark picture
};

void PrintTo(const RestoreCase& c, std::ostream* out) {
    *out << c.label;
}

class GSettingsRestoreTest : public GSettingsStoreTest,
                             public ::testing::WithParamInterface<RestoreCase> {};

TEST_P(GSettingsRestoreTest, RestoreGivesTheDesktopBackExactly) {
    const RestoreCase& c = GetParam();
    RawSettings raw(c.layout.schema);
    for (const char* option : AllOptions) {
        raw.Set(c.layout.pictureKey, c.picture);
        if (c.dark != nullptr)
            raw.Set("picture-uri-dark", c.dark);
        raw.Set("picture-options", option);
        Open(StoreAccess::Write, c.layout)->Write("WallpaperOriginY", "3");

        const StoreValues backup = ReadAll(c.layout);
        WriteAll(c.layout, InstalledValues);
        EXPECT_EQ(NotHeld(c.layout, InstalledValues), Names{}) << option;
        EXPECT_EQ(raw.Get("picture-options"), "spanned");
        EXPECT_EQ(Open(StoreAccess::Read, c.layout)->Read("Wallpaper"), "/opt/velnora/Velnora.bmp");
        if (c.dark != nullptr) {
            EXPECT_EQ(raw.Get("picture-uri-dark"), "file:///opt/velnora/Velnora.bmp");
        }

        WriteAll(c.layout, backup);
        EXPECT_EQ(NotHeld(c.layout, backup), Names{}) << option;
        EXPECT_EQ(raw.Get(c.layout.pictureKey), c.picture) << option;
        if (c.dark != nullptr) {
            EXPECT_EQ(raw.Get("picture-uri-dark"), c.dark) << option;
        }
        EXPECT_EQ(raw.Get("picture-options"), option);
        EXPECT_EQ(Open(StoreAccess::Read, c.layout)->Read("WallpaperOriginY"), "3");
    }
}

INSTANTIATE_TEST_SUITE_P(
    Families, GSettingsRestoreTest,
    ::testing::Values(RestoreCase{"GnomeLocalFiles", LayoutOf(SchemaFamily::Gnome),
                                  "file:///usr/share/backgrounds/gnome/adwaita-l.webp",
                                  "file:///usr/share/backgrounds/gnome/adwaita-d.webp"},
                      RestoreCase{"GnomeRemoteUri", LayoutOf(SchemaFamily::Gnome),
                                  "https://example.org/remote.jpg", ""},
                      RestoreCase{"GnomeDarkOnly", LayoutOf(SchemaFamily::Gnome), "",
                                  "file:///home/u/dark%20sky.png"},
                      RestoreCase{"GnomeBefore42", Gnome41, "file:///usr/share/g41%20b.jpg",
                                  nullptr},
                      RestoreCase{"Cinnamon", LayoutOf(SchemaFamily::Cinnamon),
                                  "file:///usr/share/c%C3%A9.jpg", nullptr},
                      RestoreCase{"Mate", LayoutOf(SchemaFamily::Mate),
                                  "/usr/share/backgrounds/mate/a b.jpg", nullptr}),
    [](const ::testing::TestParamInfo<RestoreCase>& info) { return info.param.label; });

// Keys the user never set come back unset, so the desktop follows the system's
// default picture again, even one that changed while the calendar was on.
TEST_F(GSettingsStoreTest, KeysAtTheirDefaultsAreResetOnRestore) {
    const struct {
        GSettingsLayout layout;
        const char* keys;     // the keys at their defaults, as backed up
        const char* userKeys; // ... once the user has set picture-options
    } rows[] = {
        {LayoutOf(SchemaFamily::Gnome), "picture-uri picture-uri-dark picture-options",
         "picture-uri picture-uri-dark"},
        {Gnome41, "picture-uri picture-options", "picture-uri"},
        {LayoutOf(SchemaFamily::Cinnamon), "picture-uri picture-options", "picture-uri"},
        {LayoutOf(SchemaFamily::Mate), "picture-filename picture-options", "picture-filename"},
    };
    for (const auto& row : rows) {
        RawSettings raw(row.layout.schema);
        for (const std::string& key : Words(row.keys))
            raw.Reset(key.c_str());
        StoreValues backup = ReadAll(row.layout);
        EXPECT_EQ(backup.back(), (std::pair<std::string, std::string>{"DefaultKeys", row.keys}));
        const std::string defaultPicture = raw.Get(row.layout.pictureKey);

        // The backup as it was taken under an older default picture.
        for (auto& [name, value] : backup)
            if (name == "Wallpaper" || name == "PictureUri")
                value = name == "Wallpaper" ? "/usr/share/old.jpg" : "file:///usr/share/old.jpg";
        WriteAll(row.layout, InstalledValues);
        WriteAll(row.layout, backup);
        EXPECT_EQ(NotHeld(row.layout, backup), Names{}) << row.layout.schema;
        for (const std::string& key : Words(row.keys))
            EXPECT_FALSE(raw.HasUserValue(key.c_str())) << row.layout.schema << " " << key;
        EXPECT_EQ(raw.Get(row.layout.pictureKey), defaultPicture);

        // A user's own value, even one equal to the default, stays the user's.
        raw.Set("picture-options", raw.Get("picture-options"));
        EXPECT_EQ(Open(StoreAccess::Read, row.layout)->Read("DefaultKeys"), row.userKeys);
    }
}

// An install or restore that the desktop did not take (dconf drops a refused
// commit: the keys read as before) is not reported as held.
TEST_F(GSettingsStoreTest, ValuesTheDesktopDroppedDoNotHold) {
    const GSettingsLayout gnome = LayoutOf(SchemaFamily::Gnome);
    RawSettings raw(gnome.schema);
    raw.Set("picture-uri", "file:///home/u/sea.jpg");
    raw.Set("picture-uri-dark", "file:///home/u/sea.jpg");
    raw.Set("picture-options", "zoom");
    WriteAll(gnome, InstalledValues);
    raw.Set("picture-uri", "file:///home/u/sea.jpg");
    raw.Set("picture-uri-dark", "file:///home/u/sea.jpg");
    raw.Set("picture-options", "zoom");
    EXPECT_EQ(NotHeld(gnome, InstalledValues), (Names{"Wallpaper", "WallpaperStyle"}));

    // After a restore that reset keys, an install dropped by the desktop leaves
    // them at their defaults: still not held.
    raw.Reset("picture-uri");
    raw.Reset("picture-uri-dark");
    raw.Reset("picture-options");
    const StoreValues backup = ReadAll(gnome);
    WriteAll(gnome, InstalledValues);
    WriteAll(gnome, backup);
    ASSERT_EQ(NotHeld(gnome, backup), Names{});
    WriteAll(gnome, InstalledValues);
    raw.Reset("picture-uri");
    raw.Reset("picture-uri-dark");
    raw.Reset("picture-options");
    EXPECT_EQ(NotHeld(gnome, InstalledValues), (Names{"Wallpaper", "WallpaperStyle"}));
    EXPECT_EQ(NotHeld(gnome, {{"DefaultKeys", "picture-uri"}}), Names{});
    raw.Set("picture-uri", "file:///x.jpg");
    EXPECT_EQ(NotHeld(gnome, {{"DefaultKeys", "picture-uri"}}), Names{"DefaultKeys"});
}

// The style pair holds when the desktop shows the layout its write makes.
TEST_F(GSettingsStoreTest, StyleHoldsAsTheLayoutItMakes) {
    const struct {
        const char* option;
        const char* name;
        const char* value;
        bool holds;
    } rows[] = {
        {"spanned", "WallpaperStyle", "1", true}, // the program's own style reads back as "22"
        {"spanned", "WallpaperStyle", "22", true},
        {"zoom", "WallpaperStyle", "1", false},
        {"zoom", "WallpaperStyle", "10", true},
        {"zoom", "TileWallpaper", "0", true},
        {"wallpaper", "TileWallpaper", "0", false},
        {"wallpaper", "TileWallpaper", "1", true},
        {"zoom", "TileWallpaper", "1", false},
        {"wallpaper", "WallpaperStyle", "2", true}, // tiling wins over any style
        {"none", "TileWallpaper", "0", true},
        {"none", "WallpaperStyle", "0", true},
        {"scaled", "WallpaperStyle", "5", true}, // no such style: the write left it
    };
    RawSettings raw("org.gnome.desktop.background");
    for (const auto& row : rows) {
        raw.Set("picture-options", row.option);
        EXPECT_EQ(Open(StoreAccess::Read, SchemaFamily::Gnome)->Holds(row.name, row.value),
                  row.holds)
            << row.option << " " << row.name << "=" << row.value;
    }
}

// The calendar is drawn on the picture the desktop shows: the dark one when
// the user chose the dark style. Either picture holds, so a restore holds
// although the style was switched while the calendar was on.
TEST_F(GSettingsStoreTest, WallpaperIsThePictureOfTheChosenStyle) {
    const struct {
        const char* scheme;
        const char* dark;
        const char* shown;
    } rows[] = {
        {"prefer-dark", "file:///d/night.png", "/d/night.png"},
        {"prefer-dark", "", "/d/day.png"},
        {"prefer-light", "file:///d/night.png", "/d/day.png"},
        {"default", "file:///d/night.png", "/d/day.png"},
    };
    RawSettings background("org.gnome.desktop.background");
    RawSettings interface("org.gnome.desktop.interface");
    background.Set("picture-uri", "file:///d/day.png");
    for (const auto& row : rows) {
        interface.Set("color-scheme", row.scheme);
        background.Set("picture-uri-dark", row.dark);
        auto store = Open(StoreAccess::Read, SchemaFamily::Gnome);
        EXPECT_EQ(store->Read("Wallpaper"), row.shown) << row.scheme << " " << row.dark;
        EXPECT_TRUE(store->Holds("Wallpaper", "/d/day.png"));
        EXPECT_EQ(store->Holds("Wallpaper", "/d/night.png"), row.dark[0] != '\0');
    }
    interface.Reset("color-scheme");
}

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
    // Only the store's own keys are reset, and none when one is not.
    RawSettings raw("org.gnome.desktop.background");
    raw.Set("picture-uri", "file:///a.jpg");
    ExpectMessage([&] { store->Write("DefaultKeys", "picture-uri color-scheme"); },
                  "Failed to set data for 'DefaultKeys'");
    EXPECT_TRUE(raw.HasUserValue("picture-uri"));
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
    } rows[] = {{"ubuntu:GNOME", 4}, {"X-Cinnamon", 3}, {"MATE", 2}, {"KDE", 0}};
    ScopedEnv display("DISPLAY", std::nullopt);
    for (const auto& row : rows) {
        ScopedEnv desktop("XDG_CURRENT_DESKTOP", row.desktop);
        EXPECT_EQ(OpenDesktopStore(StoreAccess::Read)->ExtraNames().size(), row.extras)
            << row.desktop;
    }
}

} // namespace
