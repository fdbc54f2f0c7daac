// SPDX-License-Identifier: GPL-3.0-or-later

#include "Session.h"

#include <filesystem>
#include <system_error>

namespace velnora {

namespace {

void RemoveQuietly(const std::string& path) {
    std::error_code error;
    if (!path.empty())
        std::filesystem::remove(path, error);
}

} // namespace

SwitchOffResult SwitchCalendarOff(const ProgramFiles& files, const SharedBackup& shared,
                                  const StoreOpener& openStore, const AutoRunSetter& setAutoRun) {
    WallpaperLock lock(shared);
    ProfileFile settings(files.settingsFile);
    ProfileFile record(shared.record);
    const std::string shown = openStore(StoreAccess::Read)->Read("Wallpaper");
    SwitchOffResult result;
    result.restored = RestoreStoreWallpaper(settings, shared, openStore);
    result.stillOn = StoresWithCalendarOn(record);
    if (!result.stillOn.empty())
        return result;
    setAutoRun(AutoRunName, 0);
    RemoveQuietly(files.outputPicture);
    if (IsOwnWallpaper(shown))
        RemoveQuietly(shown);
    RemoveEmptyFileStore(shared.storeFile);
    RemoveQuietly(shared.record);
    lock.RemoveFile();
    return result;
}

bool CalendarOnInStore(const SharedBackup& shared, const StoreOpener& openStore) {
    const WallpaperLock lock(shared);
    const std::string store = openStore(StoreAccess::Read)->StoreName();
    for (const std::string& on : StoresWithCalendarOn(ProfileFile(shared.record)))
        if (on == store)
            return true;
    return false;
}

}  // namespace velnora
