#include "Wallpaper.h"

#include "BmpFile.h"

#include <filesystem>

const char* const BackupDefaults[5] = {"", "0", "1", "0", "0"};

namespace {

// The backed-up names: the five, then what this desktop's store adds.
std::vector<std::string> BackedUpNames(const DesktopStore& store) {
    std::vector<std::string> names(std::begin(WallpaperValueNames), std::end(WallpaperValueNames));
    for (const std::string& extra : store.ExtraNames())
        names.push_back(extra);
    return names;
}

} // namespace

bool BackupPresent(const ProfileFile& settings) {
    return settings.HasKey(BackupSection, "Wallpaper");
}

bool IsOwnWallpaper(const std::string& wallpaper) {
    // "\" and ":" end the folder part of a Windows path, "/" of ours; a backup
    // written on either system is judged the same.
    const std::size_t cut = wallpaper.find_last_of("/\\:");
    const std::string name = cut == std::string::npos ? wallpaper : wallpaper.substr(cut + 1);
    return name == OutputPictureName;
}

void CopyWallpaperToBackup(DesktopStore& store, ProfileFile& settings) {
    for (const std::string& name : BackedUpNames(store))
        settings.WriteString(BackupSection, name, store.Read(name));
}

SourcePath ChooseSourcePath(bool chooseFile, const std::string& fileName,
                            const ProfileFile& settings, const StoreOpener& openStore) {
    SourcePath source;
    if (chooseFile) {
        if (FileExists(fileName))
            source.path = fileName;
        else
            source.chosenFileMissing = true;
        return source;
    }
    // While the calendar is on, the desktop shows the calendar itself: draw on
    // the wallpaper that was in force before, never on an earlier calendar.
    if (BackupPresent(settings))
        source.path = settings.ReadString(BackupSection, "Wallpaper", "");
    else
        source.path = openStore(StoreAccess::Read)->Read("Wallpaper");
    return source;
}

bool InstallWallpaper(const Bitmap& work, const std::string& outputPicture, ProfileFile& settings,
                      const StoreOpener& openStore) {
    WriteBmpFile(outputPicture, work);
    {
        const std::unique_ptr<DesktopStore> store = openStore(StoreAccess::Read);
        // A backup that no longer matches the desktop (someone else changed the
        // wallpaper since) is refreshed; the program's own picture never goes in.
        if (!BackupPresent(settings) || !IsOwnWallpaper(store->Read("Wallpaper")))
            CopyWallpaperToBackup(*store, settings);
    }
    const bool show = BackupPresent(settings);

    const std::unique_ptr<DesktopStore> store = openStore(StoreAccess::Write);
    // The store must name the picture wherever the program was started from.
    store->Write("Wallpaper", std::filesystem::absolute(outputPicture).string());
    store->Write("TileWallpaper", "0");
    store->Write("WallpaperStyle", "1");
    store->Reload();
    return show;
}

bool RestoreWallpaper(ProfileFile& settings, const StoreOpener& openStore) {
    if (BackupPresent(settings)) {
        const std::unique_ptr<DesktopStore> store = openStore(StoreAccess::Write);
        for (std::size_t i = 0; i < std::size(WallpaperValueNames); ++i)
            store->Write(
                WallpaperValueNames[i],
                settings.ReadString(BackupSection, WallpaperValueNames[i], BackupDefaults[i]));
        for (const std::string& extra : store->ExtraNames())
            if (const std::optional<std::string> value = settings.Read(BackupSection, extra))
                store->Write(extra, *value);
        // Erased only once the store holds the old values again, so a refused
        // store write keeps the backup for the next try.
        settings.EraseSection(BackupSection);
        store->Reload();
    }
    return BackupPresent(settings);
}

bool CheckWallpaperAtStart(ProfileFile& settings, const StoreOpener& openStore) {
    if (!BackupPresent(settings))
        return false;
    const std::unique_ptr<DesktopStore> store = openStore(StoreAccess::Read);
    if (IsOwnWallpaper(store->Read("Wallpaper")))
        return true;
    CopyWallpaperToBackup(*store, settings);
    return false;
}
