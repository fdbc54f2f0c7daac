// SPDX-License-Identifier: GPL-3.0-or-later

#include "DesktopOwnedStore.h"
#include "SessionBus.h"
#include "StoreErrors.h"

#include <algorithm>
#include <utility>

namespace velnora {

namespace {

bool IsOrigin(const std::string& name) {
    return name == "WallpaperOriginX" || name == "WallpaperOriginY";
}

} // namespace

DesktopOwnedStore::DesktopOwnedStore(StoreAccess access, std::string storeName,
                                     const LayoutTable& layouts,
                                     std::vector<std::string> extraNames)
    : storeName_(std::move(storeName)), layouts_(&layouts), extraNames_(std::move(extraNames)),
      origins_(OpenFileStore(access, WallpaperStorePath())) {}

bool DesktopOwnedStore::IsExtra(const std::string& name) const {
    return std::find(extraNames_.begin(), extraNames_.end(), name) != extraNames_.end();
}

std::string DesktopOwnedStore::Read(const std::string& name) {
    if (IsOrigin(name))
        return origins_->Read(name);
    if (name == "Wallpaper")
        return ReadPicture(name);
    if (IsLayoutName(name)) {
        const std::vector<std::optional<int>> settings = LayoutSettings(name);
        return settings.empty() ? "" : ReadLayout(*layouts_, name, settings.front());
    }
    if (IsExtra(name))
        return ReadExtra(name);
    return "";
}

void DesktopOwnedStore::Write(const std::string& name, const std::string& value) {
    if (IsOrigin(name)) {
        origins_->Write(name, value);
        return;
    }
    if (!IsUtf8(value))
        throw WriteRefused(name);
    if (name == "Wallpaper") {
        WritePicture(value, name);
    } else if (IsLayoutName(name)) {
        if (KeepsLayout(name, value))
            return;
        const std::vector<std::optional<int>> settings = LayoutSettings(name);
        // No backdrop yet: nothing would show the picture.
        if (settings.empty())
            throw WriteRefused(name);
        if (const std::optional<int> setting =
                SettingAfter(*layouts_, name, value, settings.front()))
            WriteLayoutSetting(*setting, name);
    } else if (IsExtra(name)) {
        WriteExtra(name, value);
    } else {
        throw WriteRefused(name);
    }
}

bool DesktopOwnedStore::Holds(const std::string& name, const std::string& value) {
    if (IsExtra(name))
        return HoldsExtra(name, value);
    if (Read(name) == value)
        return true;
    return IsLayoutName(name) &&
           (KeepsLayout(name, value) || LayoutHolds(*layouts_, name, value, LayoutSettings(name)));
}

}  // namespace velnora
