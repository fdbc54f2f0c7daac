// SPDX-License-Identifier: GPL-3.0-or-later
// The wallpaper store of the GNOME family (GNOME, Unity, Budgie, Pantheon,
// Cinnamon, MATE) on GSettings.
//
// The five values map onto the desktop's keys like this:
//
//   Wallpaper         the picture the desktop shows now as a local path, "" for a
//                     URI that names no local file: picture-uri (a file:// URI),
//                     or picture-uri-dark when org.gnome.desktop.interface's
//                     color-scheme is 'prefer-dark' and that key is not empty;
//                     MATE: picture-filename as it stands. Writing sets
//                     picture-uri and picture-uri-dark alike (the latter only
//                     where the schema has it: GNOME before 42 lacks it), so the
//                     picture shows in either style.
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
// The background colours (primary-color, secondary-color, color-shading-type)
// are read for the picture's backdrop and never written.
//
// What the five cannot say comes back through the extra values, restored after
// the five and in this order: PictureUri (picture-uri as it stands, a remote or
// empty URI included), PictureUriDark (picture-uri-dark, where the schema has
// it), PictureOptions (picture-options, "none" included) and, last,
// DefaultKeys: the keys that were at their defaults (no value of the user's own),
// separated by blanks. Writing DefaultKeys resets those keys, so a restored
// desktop follows the system's default picture again instead of holding a copy
// of it.
//
// Whether the desktop took a write: GSettings accepts every write at once and
// dconf commits it later, in dconf-service; a refused commit (no session bus,
// a ~/.config/dconf folder the user cannot write) only logs a warning. Tried
// on the real dconf (0.40): once g_settings_sync() returns, the engine has had
// the service's answer and has dropped a refused change, so every read in this
// process, through this GSettings or a new one, gives what the database holds.
// So Reload syncs, and Holds syncs and reads.
#include "GnomeStore.h"
#include "StoreBackends.h"
#include "StoreErrors.h"
#include "WallpaperLayout.h"

#include <gio/gio.h>

#include <algorithm>
#include <cstring>
#include <utility>
#include <vector>

namespace velnora {

namespace {

// picture-options (GDesktopBackgroundStyle's nicks), numbered by their place
// here for the layout table.
constexpr const char* Options[] = {"none",      "wallpaper", "centered", "scaled",
                                   "stretched", "zoom",      "spanned"};
enum {
    OptionNone,
    OptionWallpaper,
    OptionCentered,
    OptionScaled,
    OptionStretched,
    OptionZoom,
    OptionSpanned
};

// No picture reads as centred, the nearest; the program's own layout is
// written as spanned, which shows its picture pixel for pixel.
constexpr std::pair<int, WallpaperLayout> OptionsShown[] = {
    {OptionWallpaper, WallpaperLayout::Tile},    {OptionCentered, WallpaperLayout::Centre},
    {OptionStretched, WallpaperLayout::Stretch}, {OptionScaled, WallpaperLayout::Fit},
    {OptionZoom, WallpaperLayout::Fill},         {OptionSpanned, WallpaperLayout::Span},
    {OptionNone, WallpaperLayout::Centre},
};
constexpr std::pair<WallpaperLayout, int> OptionsMade[] = {
    {WallpaperLayout::Tile, OptionWallpaper}, {WallpaperLayout::Centre, OptionCentered},
    {WallpaperLayout::Own, OptionSpanned},    {WallpaperLayout::Stretch, OptionStretched},
    {WallpaperLayout::Fit, OptionScaled},     {WallpaperLayout::Fill, OptionZoom},
    {WallpaperLayout::Span, OptionSpanned},
};
constexpr LayoutTable OptionTable = {OptionsShown, OptionsMade};

std::string TakeString(gchar* text) {
    std::string result = text != nullptr ? text : "";
    g_free(text);
    return result;
}

// The blank-separated words of text, and back.
std::vector<std::string> Words(const std::string& text) {
    std::vector<std::string> words;
    std::size_t start = 0;
    while ((start = text.find_first_not_of(' ', start)) != std::string::npos) {
        const std::size_t end = std::min(text.find(' ', start), text.size());
        words.push_back(text.substr(start, end - start));
        start = end;
    }
    return words;
}

std::string Joined(const std::vector<std::string>& words) {
    std::string text;
    for (const std::string& word : words)
        text += (text.empty() ? "" : " ") + word;
    return text;
}

bool Contains(const std::vector<std::string>& words, const char* word) {
    return std::find(words.begin(), words.end(), word) != words.end();
}

// The value of a key of GNOME's interface settings, read by `read`.
template <typename Value, typename Read>
std::optional<Value> InterfaceValue(const char* key, Read read) {
    GSettingsSchemaSource* source = g_settings_schema_source_get_default();
    GSettingsSchema* schema =
        source != nullptr
            ? g_settings_schema_source_lookup(source, "org.gnome.desktop.interface", TRUE)
            : nullptr;
    if (schema == nullptr)
        return std::nullopt;
    std::optional<Value> value;
    if (g_settings_schema_has_key(schema, key)) {
        GSettings* settings = g_settings_new_full(schema, nullptr, nullptr);
        value = read(settings, key);
        g_object_unref(settings);
    }
    g_settings_schema_unref(schema);
    return value;
}

// GNOME 42 and later show picture-uri-dark when the interface's colour scheme,
// chosen in Settings > Appearance, is 'prefer-dark'.
bool DarkStyleChosen() {
    return GnomeInterfaceText("color-scheme") == "prefer-dark";
}

// The file-store value in which the last restore records the keys it reset, so
// that a later read-back (from a new store) takes a key at its default as
// restored, even when the system's default changed while the calendar was on.
// Any other write clears it: after an install a key at its default means the
// desktop did not take the picture.
constexpr const char* ResetRecord = "ResetKeys";

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
    // The schema's second part: "org.gnome.desktop.background" gives "gnome".
    std::string StoreName() const override {
        const std::string schema = layout_.schema;
        const std::size_t start = schema.find('.') + 1;
        return schema.substr(start, schema.find('.', start) - start);
    }

    std::string Read(const std::string& name) override {
        if (name == "Wallpaper")
            return PictureOf(ShownPictureKey(), name);
        if (IsLayoutName(name))
            return ReadLayout(OptionTable, name,
                              NumberOfName(Options, ReadKey(layout_.optionsKey, name)));
        if (name == "WallpaperOriginX" || name == "WallpaperOriginY")
            return origins_->Read(name);
        if (name == "DefaultKeys")
            return Joined(KeysAtDefault());
        if (const char* key = ExtraKey(name))
            return ReadKey(key, name);
        return "";
    }

    void Write(const std::string& name, const std::string& value) override {
        if (name == "DefaultKeys") {
            ResetKeys(value);
            return;
        }
        if (!origins_->Read(ResetRecord).empty())
            RecordReset("", name);
        if (name == "Wallpaper") {
            const std::string picture = layout_.pictureIsUri ? UriOfPath(value, name) : value;
            WriteKey(layout_.pictureKey, name, picture);
            if (Has(layout_.darkKey))
                WriteKey(layout_.darkKey, name, picture);
        } else if (IsLayoutName(name)) {
            if (const char* option = OptionAfterWriting(name, value))
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

    WallpaperLayout OwnPictureLayout() const override { return OwnLayoutShown(OptionTable); }

    // The three schemas share these keys; a colour they cannot parse is black,
    // as the desktops draw it.
    Backdrop BackgroundColours() override {
        Backdrop backdrop;
        backdrop.primary = ColourOfText(ReadKey("primary-color", "Wallpaper")).value_or(Colour{});
        backdrop.secondary =
            ColourOfText(ReadKey("secondary-color", "Wallpaper")).value_or(Colour{});
        backdrop.shading = ShadingOfText(ReadKey("color-shading-type", "Wallpaper"));
        return backdrop;
    }

    // Each value as the desktop shows it after its write: the picture in either
    // style (the dark style may have been chosen or left since the backup), the
    // layout the write would make (the program's style "1" reads back as "22"),
    // a key reset by the restore whatever its default now is.
    bool Holds(const std::string& name, const std::string& value) override {
        g_settings_sync(); // the database's answer to every write of this process
        if (name == "WallpaperOriginX" || name == "WallpaperOriginY")
            return origins_->Read(name) == value;
        if (!KeptBeyondThisProcess())
            return false;
        if (name == "Wallpaper") {
            for (const char* key : {layout_.pictureKey, layout_.darkKey})
                if (Has(key) && (PictureOf(key, name) == value || WasReset(key)))
                    return true;
            return false;
        }
        if (IsLayoutName(name)) {
            if (Read(name) == value || WasReset(layout_.optionsKey))
                return true;
            const char* option = OptionAfterWriting(name, value);
            return option == nullptr || OptionNow() == option;
        }
        if (name == "DefaultKeys") {
            for (const std::string& key : Words(value))
                if (Has(key.c_str()) && HasUserValue(key.c_str()))
                    return false;
            return true;
        }
        if (const char* key = ExtraKey(name))
            return ReadKey(key, name) == value || WasReset(key);
        return false;
    }

    std::vector<std::string> ExtraNames() const override {
        std::vector<std::string> names;
        if (layout_.pictureIsUri)
            names.push_back("PictureUri");
        if (Has(layout_.darkKey))
            names.push_back("PictureUriDark");
        if (Has(layout_.optionsKey))
            names.push_back("PictureOptions");
        names.push_back("DefaultKeys"); // last: it resets what the others wrote
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

    // GIO falls back to settings held in memory, with a warning, when it has no
    // backend that stores them (dconf-gsettings-backend not installed): what
    // this process writes there never reaches the desktop.
    bool KeptBeyondThisProcess() const {
        GObject* backend = nullptr;
        g_object_get(settings_, "backend", &backend, nullptr);
        const bool kept = backend != nullptr &&
                          std::strcmp(G_OBJECT_TYPE_NAME(backend), "GMemorySettingsBackend") != 0 &&
                          std::strcmp(G_OBJECT_TYPE_NAME(backend), "GNullSettingsBackend") != 0;
        if (backend != nullptr)
            g_object_unref(backend);
        return kept;
    }

    bool Has(const char* key) const {
        return key != nullptr && g_settings_schema_has_key(schema_, key);
    }

    bool IsLayoutKey(const std::string& key) const {
        for (const char* own : {layout_.pictureKey, layout_.darkKey, layout_.optionsKey})
            if (own != nullptr && key == own)
                return true;
        return false;
    }

    // The keys the store writes, as far as the schema has them.
    std::vector<std::string> Keys() const {
        std::vector<std::string> keys;
        for (const char* key : {layout_.pictureKey, layout_.darkKey, layout_.optionsKey})
            if (Has(key))
                keys.push_back(key);
        return keys;
    }

    bool HasUserValue(const char* key) const {
        GVariant* value = g_settings_get_user_value(settings_, key);
        if (value == nullptr)
            return false;
        g_variant_unref(value);
        return true;
    }

    std::vector<std::string> KeysAtDefault() const {
        std::vector<std::string> keys;
        for (const std::string& key : Keys())
            if (!HasUserValue(key.c_str()))
                keys.push_back(key);
        return keys;
    }

    // Keys of the layout that this schema lacks are passed over, as on writing
    // the picture; a word that names none of the store's keys is refused.
    void ResetKeys(const std::string& value) {
        const std::vector<std::string> words = Words(value);
        for (const std::string& key : words)
            if (!IsLayoutKey(key))
                throw WriteRefused("DefaultKeys");
        std::vector<std::string> reset;
        for (const std::string& key : words)
            if (Has(key.c_str())) {
                g_settings_reset(settings_, key.c_str());
                reset.push_back(key);
            }
        RecordReset(Joined(reset), "DefaultKeys");
    }

    bool WasReset(const char* key) const {
        return Has(key) && !HasUserValue(key) && Contains(Words(origins_->Read(ResetRecord)), key);
    }

    // Notes the keys reset on behalf of the write of name, refused in name's words.
    void RecordReset(const std::string& keys, const std::string& name) {
        try {
            origins_->Write(ResetRecord, keys);
        } catch (const std::runtime_error&) {
            throw WriteRefused(name);
        }
    }

    const char* ShownPictureKey() const {
        if (Has(layout_.darkKey) && !ReadKey(layout_.darkKey, "Wallpaper").empty() &&
            DarkStyleChosen())
            return layout_.darkKey;
        return layout_.pictureKey;
    }

    std::string PictureOf(const char* key, const std::string& name) const {
        const std::string picture = ReadKey(key, name);
        return layout_.pictureIsUri ? PathOfUri(picture) : picture;
    }

    enum class KeyKind { Missing, Text, Other };

    KeyKind KindOf(const char* key) const {
        if (!Has(key))
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

    // The layout a write of name = value makes, with the other half of the
    // pair as the desktop holds it now; nullptr when it leaves the layout as it is.
    const char* OptionAfterWriting(const std::string& name, const std::string& value) const {
        const std::optional<int> option =
            SettingAfter(OptionTable, name, value, NumberOfName(Options, OptionNow()));
        return option ? Options[*option] : nullptr;
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
    nullptr,
    [](const DesktopSession& session) {
        return SchemaFamilyFor(session.currentDesktop).has_value();
    },
    [](StoreAccess access, const DesktopSession& session) {
        return OpenGnomeStore(access, *SchemaFamilyFor(session.currentDesktop),
                              WallpaperStorePath());
    },
    "dconf",
    "ca.desrt.dconf",
};

std::optional<std::string> GnomeInterfaceText(const char* key) {
    return InterfaceValue<std::string>(key, [](GSettings* settings, const char* name) {
        return TakeString(g_settings_get_string(settings, name));
    });
}

std::optional<unsigned> GnomeInterfaceNumber(const char* key) {
    return InterfaceValue<unsigned>(key, [](GSettings* settings, const char* name) {
        return g_settings_get_uint(settings, name);
    });
}

}  // namespace velnora
