// SPDX-License-Identifier: GPL-3.0-or-later

#include "LayoutTable.h"

namespace velnora {

const LayoutRow* RowOf(const LayoutTable& table, std::optional<int> setting) {
    if (setting)
        for (const LayoutRow& row : table.read)
            if (row.setting == *setting)
                return &row;
    return nullptr;
}

std::optional<int> SettingAfter(const LayoutTable& table, const std::string& name,
                                const std::string& value, std::optional<int> now) {
    const LayoutRow* row = RowOf(table, now);
    const bool tile = name == "TileWallpaper";
    const std::string tileValue = tile ? value : (row ? row->tile : "");
    const std::string styleValue = tile ? (row ? row->style : "") : value;
    if (tileValue == "1")
        return table.tiled;
    for (const auto& [style, setting] : table.untiled)
        if (styleValue == style)
            return setting;
    return std::nullopt;
}

std::string ReadLayout(const LayoutTable& table, const std::string& name,
                       std::optional<int> setting) {
    const LayoutRow* row = RowOf(table, setting);
    if (row == nullptr)
        return "";
    return name == "TileWallpaper" ? row->tile : row->style;
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

}  // namespace velnora
