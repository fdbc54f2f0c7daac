// SPDX-License-Identifier: GPL-3.0-or-later
// The pair TileWallpaper / WallpaperStyle of the five values, mapped onto a
// desktop's own layout setting when that setting is a number (Xfce's
// image-style, Plasma's FillMode). The Windows styles are those of the
// "Control Panel\Desktop" key: 0 centre, 2 stretch, 6 fit, 10 fill, 22 span;
// TileWallpaper 1 tiles whatever the style; "1" is the program's own style:
// its picture is the size of all monitors together, to be shown pixel for pixel.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <utility>
#include <vector>

namespace velnora {

struct LayoutRow {
    int setting;
    const char* tile;
    const char* style;
};

struct LayoutTable {
    std::span<const LayoutRow> read;                      // one row per setting
    int tiled;                                            // written for tile "1"
    std::span<const std::pair<const char*, int>> untiled; // style -> setting
};

// The row of a setting; nullptr for none (absent, or a value the table lacks).
const LayoutRow* RowOf(const LayoutTable& table, std::optional<int> setting);

// The setting that writing value for name ("TileWallpaper" or "WallpaperStyle")
// gives when the desktop's setting is now; the other half of the pair is read
// from now. nullopt for a style the table does not know: the setting stays.
std::optional<int> SettingAfter(const LayoutTable& table, const std::string& name,
                                const std::string& value, std::optional<int> now);

// name's value as read from the setting: "" when the setting has no row.
std::string ReadLayout(const LayoutTable& table, const std::string& name,
                       std::optional<int> setting);

// True when every desktop's setting (one entry a monitor, workspace or screen)
// is the one writing value for name gives, judged from the first: the
// read-back of a write in the desktop's own terms (the program's style "1"
// reads back as the layout it is shown with).
bool LayoutHolds(const LayoutTable& table, const std::string& name, const std::string& value,
                 const std::vector<std::optional<int>>& settings);

}  // namespace velnora
