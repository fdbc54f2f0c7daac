// SPDX-License-Identifier: GPL-3.0-or-later
// The steps the wallpaper layer takes on a real store, for the stores' own
// tests: back up, write and reload, read back through a new store.
#pragma once

#include "DesktopStore.h"

#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace velnora {

using StoreValues = std::vector<std::pair<std::string, std::string>>;
using OpenStore = std::function<std::unique_ptr<DesktopStore>(StoreAccess)>;

// What an install writes.
inline const StoreValues InstalledValues{
    {"Wallpaper", "/opt/velnora/Velnora.bmp"}, {"TileWallpaper", "0"}, {"WallpaperStyle", "1"}};

// The five values, then the extras, in the order they are restored.
inline StoreValues TakeBackup(const OpenStore& open) {
    const auto store = open(StoreAccess::Read);
    StoreValues backup;
    for (const char* name : WallpaperValueNames)
        backup.emplace_back(name, store->Read(name));
    for (const std::string& name : store->ExtraNames())
        backup.emplace_back(name, store->Read(name));
    return backup;
}

// Writes the values and has the desktop take them up.
inline void Put(const OpenStore& open, const StoreValues& values) {
    const auto store = open(StoreAccess::Write);
    for (const auto& [name, value] : values)
        store->Write(name, value);
    store->Reload();
}

// The names of the values that a new store does not read back as written: the
// check after every install and restore.
inline std::vector<std::string> NotHeld(const OpenStore& open, const StoreValues& values) {
    const auto store = open(StoreAccess::Read);
    std::vector<std::string> names;
    for (const auto& [name, value] : values)
        if (!store->Holds(name, value))
            names.push_back(name);
    return names;
}

}  // namespace velnora
