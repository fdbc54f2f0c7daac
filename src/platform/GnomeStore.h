// SPDX-License-Identifier: GPL-3.0-or-later
// The GSettings keys a desktop of the GNOME family keeps its wallpaper in, so
// that the store can be opened on a schema of any shape (the tests use that).
#pragma once

#include "DesktopStore.h"

#include <optional>
#include <string>

namespace velnora {

struct GSettingsLayout {
    const char* schema;     // schema id
    const char* pictureKey; // the picture: a URI, or a plain path when !pictureIsUri
    bool pictureIsUri;
    const char* darkKey;    // the dark-style picture (a URI), or nullptr; a schema may lack it
    const char* optionsKey; // how the picture is laid out (GDesktopBackgroundStyle nicks)
};

GSettingsLayout LayoutOf(SchemaFamily family);

// A key of GNOME's interface settings (org.gnome.desktop.interface): none when
// the schema is not installed or lacks the key.
std::optional<std::string> GnomeInterfaceText(const char* key);
std::optional<unsigned> GnomeInterfaceNumber(const char* key);

// nullptr when the schema is not installed (looked up, so GIO never aborts).
std::unique_ptr<DesktopStore> OpenGSettingsStore(StoreAccess access, const GSettingsLayout& layout,
                                                 const std::string& originsPath);

}  // namespace velnora
