// The wallpaper store of the GNOME family (GNOME, Unity, Budgie, Pantheon,
// Cinnamon, MATE) on GSettings.
//
// The five values map onto the desktop's keys like this:
//
//   Wallpaper         picture-uri (file:// URI) as a local path, "" for any other
//                     URI; MATE: picture-filename as it stands. Writing sets
//                     picture-uri and picture-uri-dark alike, so the picture
//                     shows in the dark style too.
//   TileWallpaper     \  read from picture-options:
//   WallpaperStyle    /    wallpaper  -> "1" "0"    (tiled)
//                          centered   -> "0" "0"
//                          stretched  -> "0" "2"
//                          scaled     -> "0" "6"    (fit)
//                          zoom       -> "0" "10"   (fill)
//                          spanned    -> "0" "22"   (span)
//                          none       -> "0" "0"    (no picture: centre is the nearest)
//                     written: tile "1" -> wallpaper; else style "0" centered,
//                     "1" spanned (the program's own picture is the size of all
//                     monitors together, and spanned shows it pixel for pixel),
//                     "2" stretched, "6" scaled, "10" zoom, "22" spanned; any other
//                     style leaves picture-options as it is. Each write combines
//                     the written value with the other one as read.
//   WallpaperOriginX/Y  no such keys: kept in the file store, so they read back
//                     as written.
//
// What the five cannot say comes back through the extra values, restored after
// the five: PictureUri (picture-uri as it stands, a remote or empty URI
// included), PictureUriDark (picture-uri-dark) and PictureOptions
// (picture-options, "none" included).
#include "GnomeStore.h"
#include "StoreBackends.h"
#include "StoreErrors.h"

#include <gio/gio.h>

#include <cstring>
#include <utility>

namespace {

struct StyleRow {
    const char* option;
    const char* tile;
    const char* style;
};

// Read direction, one row per option. The Windows styles are
// those of the "Control Panel\Desktop" key: 0 centre, 2 stretch, 6 fit,
// 10 fill, 22 span; TileWallpaper 1 tiles whatever the style.
constexpr StyleRow ReadRows[] = {
    {"wallpaper", "1", "0"}, {"centered", "0", "0"}, {"stretched", "0", "2"}, {"scaled", "0", "6"},
    {"zoom", "0", "10"},     {"spanned", "0", "22"}, {"none", "0", "0"},
};

// Write direction for an untiled picture; "1" is the program's own style.
constexpr std::pair<const char*, const char*> WriteRows[] = {
    {"0", "centered"}, {"1", "spanned"}, {"2", "stretched"},
    {"6", "scaled"},   {"10", "zoom"},   {"22", "spanned"},
};

// nullptr when the pair names no layout.
const char* OptionFor(const std::string& tile, const std::string& style) {
    if (tile == "1")
        return "wallpaper";
    for (const auto& [windowsStyle, option] : WriteRows)
        if (style == windowsStyle)
            return option;
    return nullptr;
}

const StyleRow* RowFor(const std::string& option) {
    for (const StyleRow& row : ReadRows)
        if (option == row.option)
            return &row;
    return nullptr;
}

std::string TakeString(gchar* text) {
    std::string result = text != nullptr ? text : "";
    g_free(text);
    return result;
}

class GSettingsStore : public DesktopStore {
  public:
    GSettingsStore(StoreAccess access, const GSettingsLayout& layout, GSettingsSchema* schema,
                   const std::string& originsPath)
        : layout_(layout), schema_(schema),
          settings_(g_settings_new_full(schema, nullptr, nullptr)),
          origins_(OpenFileStore(access, originsPath)) {}

    ~GSettingsStore() override {
        // Backends such as dconf write in the background; a program that ends
        // right after closing the store must not lose what it wrote.
        g_settings_sync();
        g_object_unref(settings_);
        g_settings_schema_unref(schema_);
    }

    bool IsOpen() const override { return true; }

    std::string Read(const std::string& name) override {
        if (name == "Wallpaper")
            return layout_.pictureIsUri ? PathOfUri(ReadKey(layout_.pictureKey, name))
                                        : ReadKey(layout_.pictureKey, name);
        if (name == "TileWallpaper" || name == "WallpaperStyle") {
            const StyleRow* row = RowFor(ReadKey(layout_.optionsKey, name));
            if (row == nullptr)
                return "";
            return name == "TileWallpaper" ? row->tile : row->style;
        }
        if (name == "WallpaperOriginX" || name == "WallpaperOriginY")
            return origins_->Read(name);
        if (const char* key = ExtraKey(name))
            return ReadKey(key, name);
        return "";
    }

    void Write(const std::string& name, const std::string& value) override {
        if (name == "Wallpaper") {
            const std::string picture = layout_.pictureIsUri ? UriOfPath(value, name) : value;
            WriteKey(layout_.pictureKey, name, picture);
            if (layout_.darkKey != nullptr)
                WriteKey(layout_.darkKey, name, picture);
        } else if (name == "TileWallpaper" || name == "WallpaperStyle") {
            // The other half of the pair as the desktop holds it now.
            const StyleRow* now = RowFor(OptionNow());
            const bool tile = name == "TileWallpaper";
            const char* option = OptionFor(tile ? value : (now ? now->tile : ""),
                                           tile ? (now ? now->style : "") : value);
            if (option != nullptr)
                WriteKey(layout_.optionsKey, name, option);
        } else if (name == "WallpaperOriginX" || name == "WallpaperOriginY") {
            origins_->Write(name, value);
        } else if (const char* key = ExtraKey(name)) {
            WriteKey(key, name, value);
        } else {
            throw WriteRefused(name);
        }
    }

    void Reload() override { g_settings_sync(); }

    std::vector<std::string> ExtraNames() const override {
        std::vector<std::string> names;
        if (layout_.pictureIsUri)
            names.push_back("PictureUri");
        if (layout_.darkKey != nullptr)
            names.push_back("PictureUriDark");
        names.push_back("PictureOptions");
        return names;
    }

  private:
    const char* ExtraKey(const std::string& name) const {
        if (name == "PictureUri" && layout_.pictureIsUri)
            return layout_.pictureKey;
        if (name == "PictureUriDark")
            return layout_.darkKey;
        if (name == "PictureOptions")
            return layout_.optionsKey;
        return nullptr;
    }

    enum class KeyKind { Missing, Text, Other };

    KeyKind KindOf(const char* key) const {
        if (key == nullptr || !g_settings_schema_has_key(schema_, key))
            return KeyKind::Missing;
        GSettingsSchemaKey* schemaKey = g_settings_schema_get_key(schema_, key);
        const bool text = g_variant_type_equal(g_settings_schema_key_get_value_type(schemaKey),
                                               G_VARIANT_TYPE_STRING);
        g_settings_schema_key_unref(schemaKey);
        return text ? KeyKind::Text : KeyKind::Other;
    }

    // A key the schema lacks reads as an absent value.
    std::string ReadKey(const char* key, const std::string& name) const {
        switch (KindOf(key)) {
        case KeyKind::Missing:
            return "";
        case KeyKind::Other:
            throw NotText(name);
        case KeyKind::Text:
            break;
        }
        return TakeString(g_settings_get_string(settings_, key));
    }

    // The layout as the desktop holds it now; "" when it cannot be read.
    std::string OptionNow() const {
        return KindOf(layout_.optionsKey) == KeyKind::Text
                   ? TakeString(g_settings_get_string(settings_, layout_.optionsKey))
                   : "";
    }

    void WriteKey(const char* key, const std::string& name, const std::string& value) {
        if (KindOf(key) != KeyKind::Text)
            throw WriteRefused(name);
        // GVariant strings are UTF-8 without NULs (g_utf8_validate refuses both),
        // and the range check keeps an enum key to its nicks: g_settings_set_string
        // would only log either.
        bool accepted = g_utf8_validate(value.data(), static_cast<gssize>(value.size()), nullptr);
        if (accepted) {
            GSettingsSchemaKey* schemaKey = g_settings_schema_get_key(schema_, key);
            GVariant* variant = g_variant_ref_sink(g_variant_new_string(value.c_str()));
            accepted = g_settings_schema_key_range_check(schemaKey, variant) &&
                       g_settings_set_value(settings_, key, variant);
            g_variant_unref(variant);
            g_settings_schema_key_unref(schemaKey);
        }
        if (!accepted)
            throw WriteRefused(name);
    }

    // "" for a URI that names no local file: the program can only draw on a file.
    static std::string PathOfUri(const std::string& uri) {
        gchar* host = nullptr;
        gchar* path = g_filename_from_uri(uri.c_str(), &host, nullptr);
        const bool local = host == nullptr || std::strcmp(host, "localhost") == 0;
        g_free(host);
        if (!local) {
            g_free(path);
            return "";
        }
        return TakeString(path);
    }

    // Only an absolute path makes a file URI; "" stays "" (no picture).
    static std::string UriOfPath(const std::string& path, const std::string& name) {
        if (path.empty())
            return "";
        gchar* uri = g_filename_to_uri(path.c_str(), nullptr, nullptr);
        if (uri == nullptr)
            throw WriteRefused(name);
        return TakeString(uri);
    }

    GSettingsLayout layout_;
    GSettingsSchema* schema_;
    GSettings* settings_;
    std::unique_ptr<DesktopStore> origins_;
};

} // namespace

GSettingsLayout LayoutOf(SchemaFamily family) {
    switch (family) {
    case SchemaFamily::Cinnamon:
        return {"org.cinnamon.desktop.background", "picture-uri", true, nullptr, "picture-options"};
    case SchemaFamily::Mate:
        return {"org.mate.background", "picture-filename", false, nullptr, "picture-options"};
    case SchemaFamily::Gnome:
        break;
    }
    return {"org.gnome.desktop.background", "picture-uri", true, "picture-uri-dark",
            "picture-options"};
}

std::unique_ptr<DesktopStore> OpenGSettingsStore(StoreAccess access, const GSettingsLayout& layout,
                                                 const std::string& originsPath) {
    GSettingsSchemaSource* source = g_settings_schema_source_get_default();
    GSettingsSchema* schema =
        source != nullptr ? g_settings_schema_source_lookup(source, layout.schema, TRUE) : nullptr;
    if (schema == nullptr)
        return nullptr;
    return std::make_unique<GSettingsStore>(access, layout, schema, originsPath);
}

std::unique_ptr<DesktopStore> OpenGnomeStore(StoreAccess access, SchemaFamily family,
                                             const std::string& originsPath) {
    return OpenGSettingsStore(access, LayoutOf(family), originsPath);
}

std::optional<SchemaFamily> SchemaFamilyFor(const std::string& currentDesktop) {
    // The names desktops put in XDG_CURRENT_DESKTOP (Ubuntu gives "ubuntu:GNOME",
    // Budgie "Budgie:GNOME", Cinnamon "X-Cinnamon"). The first entry of the list
    // that names a family wins.
    static const std::pair<const char*, SchemaFamily> Names[] = {
        {"gnome", SchemaFamily::Gnome},         {"unity", SchemaFamily::Gnome},
        {"ubuntu", SchemaFamily::Gnome},        {"budgie", SchemaFamily::Gnome},
        {"pantheon", SchemaFamily::Gnome},      {"cinnamon", SchemaFamily::Cinnamon},
        {"x-cinnamon", SchemaFamily::Cinnamon}, {"mate", SchemaFamily::Mate},
    };
    for (const std::string& entry : CurrentDesktopEntries(currentDesktop))
        for (const auto& [desktop, family] : Names)
            if (g_ascii_strcasecmp(entry.c_str(), desktop) == 0)
                return family;
    return std::nullopt;
}

const StoreBackend GnomeFamilyBackend = {
    "GNOME family",
    [](const DesktopSession& session) {
        return SchemaFamilyFor(session.currentDesktop).has_value();
    },
    [](StoreAccess access, const DesktopSession& session) {
        return OpenGnomeStore(access, *SchemaFamilyFor(session.currentDesktop),
                              WallpaperStorePath());
    },
};
