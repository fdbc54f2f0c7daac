// SPDX-License-Identifier: GPL-3.0-or-later

#include "WallpaperLayout.h"

namespace velnora {

namespace {

constexpr const char* TileName = "TileWallpaper";

struct LayoutPair {
    WallpaperLayout layout;
    const char* tile;
    const char* style;
};

constexpr LayoutPair Pairs[] = {
    {WallpaperLayout::Centre, "0", "0"},  {WallpaperLayout::Own, "0", "1"},
    {WallpaperLayout::Stretch, "0", "2"}, {WallpaperLayout::Fit, "0", "6"},
    {WallpaperLayout::Fill, "0", "10"},   {WallpaperLayout::Span, "0", "22"},
    {WallpaperLayout::Tile, "1", "0"},
};

} // namespace

std::optional<WallpaperLayout> LayoutOfValues(const std::string& tile, const std::string& style) {
    if (tile == "1")
        return WallpaperLayout::Tile;
    for (const LayoutPair& pair : Pairs)
        if (pair.layout != WallpaperLayout::Tile && style == pair.style)
            return pair.layout;
    return std::nullopt;
}

bool IsLayoutName(const std::string& name) {
    return name == TileName || name == "WallpaperStyle";
}

std::string LayoutValue(std::optional<WallpaperLayout> layout, const std::string& name) {
    for (const LayoutPair& pair : Pairs)
        if (layout == pair.layout)
            return name == TileName ? pair.tile : pair.style;
    return "";
}

std::optional<WallpaperLayout> LayoutAfterWriting(const std::string& name, const std::string& value,
                                                  std::optional<WallpaperLayout> now) {
    const bool tile = name == TileName;
    return LayoutOfValues(tile ? value : LayoutValue(now, TileName),
                          tile ? LayoutValue(now, "WallpaperStyle") : value);
}

bool IsOwnLayoutHalf(const std::string& name, const std::string& value) {
    return IsLayoutName(name) && value == LayoutValue(WallpaperLayout::Own, name);
}

std::optional<WallpaperLayout> LayoutShown(const LayoutTable& table, std::optional<int> setting) {
    for (const auto& [number, layout] : table.shown)
        if (setting == number)
            return layout;
    return std::nullopt;
}

WallpaperLayout OwnLayoutShown(const LayoutTable& table) {
    for (const auto& [layout, number] : table.made)
        if (layout == WallpaperLayout::Own)
            return LayoutShown(table, number).value_or(WallpaperLayout::Own);
    return WallpaperLayout::Own;
}

std::string ReadLayout(const LayoutTable& table, const std::string& name,
                       std::optional<int> setting) {
    return LayoutValue(LayoutShown(table, setting), name);
}

std::optional<int> SettingAfter(const LayoutTable& table, const std::string& name,
                                const std::string& value, std::optional<int> now) {
    const std::optional<WallpaperLayout> after =
        LayoutAfterWriting(name, value, LayoutShown(table, now));
    for (const auto& [layout, number] : table.made)
        if (after == layout)
            return number;
    return std::nullopt;
}

bool LayoutHolds(const LayoutTable& table, const std::string& name, const std::string& value,
                 const std::vector<std::optional<int>>& settings) {
    if (settings.empty())
        return false;
    const std::optional<int> wanted = SettingAfter(table, name, value, settings.front());
    if (!wanted)
        return false;
    for (const std::optional<int>& setting : settings)
        if (setting != wanted)
            return false;
    return true;
}

std::optional<int> NumberOfName(std::span<const char* const> names, const std::string& name) {
    for (std::size_t i = 0; i < names.size(); ++i)
        if (name == names[i])
            return static_cast<int>(i);
    return std::nullopt;
}

}  // namespace velnora
