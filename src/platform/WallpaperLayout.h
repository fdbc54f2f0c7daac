// SPDX-License-Identifier: GPL-3.0-or-later
// How the desktop lays its picture out, as the pair of values TileWallpaper
// and WallpaperStyle of "Control Panel\Desktop" says it. This is the one place
// that reads the pair; each backend maps the layouts onto a setting of its own
// desktop through one LayoutTable.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <utility>
#include <vector>

namespace velnora {

// The styles of the key: 0 centre, 2 stretch, 6 fit, 10 fill, 22 span, and
// TileWallpaper "1" tiles whatever the style. Style "1" is the program's own:
// its picture is the size of all monitors together, to be shown pixel for pixel
// from the top-left corner.
enum class WallpaperLayout { Centre, Own, Stretch, Fit, Fill, Span, Tile };

// The layout of a pair; none for a style the key does not know (Windows then
// centres the picture unscaled).
std::optional<WallpaperLayout> LayoutOfValues(const std::string& tile, const std::string& style);

// True for the two names of the pair.
bool IsLayoutName(const std::string& name);

// name's value in the pair that shows layout ("0" "0" for centre, "1" "0" for
// tile...); "" for no layout.
std::string LayoutValue(std::optional<WallpaperLayout> layout, const std::string& name);

// The layout that writing value for name gives where now is shown: the other
// half of the pair is that of now.
std::optional<WallpaperLayout> LayoutAfterWriting(const std::string& name, const std::string& value,
                                                  std::optional<WallpaperLayout> now);

// The halves of the program's own layout as the install writes them: tile
// "0" and style "1".
bool IsOwnLayoutHalf(const std::string& name, const std::string& value);

// A desktop's layout setting, when that setting is a number (a name is
// numbered by its place in a list of the desktop's names), and the layouts.
struct LayoutTable {
    std::span<const std::pair<int, WallpaperLayout>> shown; // every setting the desktop knows
    std::span<const std::pair<WallpaperLayout, int>> made;  // the setting written for a layout
};

std::optional<WallpaperLayout> LayoutShown(const LayoutTable& table, std::optional<int> setting);

// The layout the desktop shows with the setting the table writes for the
// program's own layout.
WallpaperLayout OwnLayoutShown(const LayoutTable& table);

// name's value as read from the setting: "" when the table lacks it.
std::string ReadLayout(const LayoutTable& table, const std::string& name,
                       std::optional<int> setting);

// The setting that writing value for name gives where the setting now is;
// none for a style the table does not know: the setting stays.
std::optional<int> SettingAfter(const LayoutTable& table, const std::string& name,
                                const std::string& value, std::optional<int> now);

// True when every desktop's setting (one entry a monitor, workspace or screen)
// is the one writing value for name gives, judged from the first: the
// read-back of a write in the desktop's own terms (the program's style "1"
// reads back as the layout it is shown with).
bool LayoutHolds(const LayoutTable& table, const std::string& name, const std::string& value,
                 const std::vector<std::optional<int>>& settings);

// The number of name in names: its place there; none when it is not there.
std::optional<int> NumberOfName(std::span<const char* const> names, const std::string& name);

}  // namespace velnora
