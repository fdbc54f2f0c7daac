// SPDX-License-Identifier: GPL-3.0-or-later

#include "Wallpaper.h"

#include "BmpFile.h"
#include "StoreErrors.h"
#include "XdgFolders.h"

#include <filesystem>
#include <string_view>
#include <stdexcept>
#include <utility>

const char* const BackupDefaults[5] = {"", "0", "1", "0", "0"};

namespace {

// Marks a backup (or the record) whose values are being written back into the
// store. Until the desktop reads them back, the store may hold part of them: it
// is then no wallpaper of the user's, and nothing must be backed up from it.
// Only the key Wallpaper makes a backup present, so the mark changes nothing else.
constexpr const char* RestoringKey = "Restoring";

// Wallpaper values by name, in the order they are written.
using Values = std::vector<std::pair<std::string, std::string>>;

// The backed-up names: the five, then what this desktop's store adds.
std::vector<std::string> BackedUpNames(const DesktopStore& store) {
    std::vector<std::string> names(std::begin(WallpaperValueNames), std::end(WallpaperValueNames));
    for (const std::string& extra : store.ExtraNames())
        names.push_back(extra);
    return names;
}

// The values a backup or the record holds, each read whole.
Values KeptValues(const ProfileFile& file, const std::vector<std::string>& names) {
    Values values;
    for (const std::string& name : names)
        if (std::optional<std::string> value = file.ReadWhole(BackupSection, name))
            values.emplace_back(name, std::move(*value));
    return values;
}

void Keep(ProfileFile& file, const Values& values) {
    for (const auto& [name, value] : values)
        file.WriteWhole(BackupSection, name, value);
}

bool RecordPresent(const ProfileFile& record) {
    return record.HasKey(BackupSection, "Wallpaper");
}

bool Restoring(const ProfileFile& kept) {
    return kept.HasKey(BackupSection, RestoringKey);
}

// A restore in progress is unfinished while the store shows the calendar or
// the backed-up picture; a wallpaper the user set since is the user's own, and
// the mark is then dropped rather than that wallpaper overwritten.
void DropStaleMark(ProfileFile& kept, const std::string& shown) {
    if (Restoring(kept) && !IsOwnWallpaper(shown) &&
        shown != kept.ReadWhole(BackupSection, "Wallpaper").value_or(""))
        kept.DeleteKey(BackupSection, RestoringKey);
}

// Takes the backup of the user's own wallpaper. A store that names no output
// picture holds it, and the record learns it too; a store that names one (some
// copy's calendar) does not, and the record gives it. With no record either,
// the wallpaper the user had is not known: the backup holds no picture and the
// store's other values, never an output picture.
void TakeBackup(DesktopStore& store, ProfileFile& settings, ProfileFile& record) {
    const std::vector<std::string> names = BackedUpNames(store);
    const std::string shown = store.Read("Wallpaper");
    DropStaleMark(record, shown);
    if (!IsOwnWallpaper(shown) && !Restoring(record)) {
        CopyWallpaperToBackup(store, settings);
        // An unopened store reads as nothing at all, which is no wallpaper to remember.
        if (store.IsOpen())
            Keep(record, KeptValues(settings, names));
    } else if (RecordPresent(record)) {
        // The calendar, or part of a restore from the record.
        Keep(settings, KeptValues(record, names));
    } else {
        // The extra values name the shown picture too (a desktop's own URI
        // keys, its per-monitor state), so only the five are kept: a restore
        // then writes no picture rather than the calendar again.
        for (const char* name : WallpaperValueNames)
            settings.WriteWhole(BackupSection, name,
                                std::string_view(name) == "Wallpaper" ? "" : store.Read(name));
    }
}

// With the calendar on, a backup and the record should name the same kind of
// wallpaper: a copy from before the record left a backup without one, and a
// copy from before the lock may have backed up an output picture.
void MendBackupOrRecord(const DesktopStore& store, ProfileFile& settings, ProfileFile& record) {
    const std::vector<std::string> names = BackedUpNames(store);
    const bool backupIsReal =
        !IsOwnWallpaper(settings.ReadWhole(BackupSection, "Wallpaper").value_or(""));
    if (backupIsReal && !RecordPresent(record))
        Keep(record, KeptValues(settings, names));
    else if (!backupIsReal && RecordPresent(record))
        Keep(settings, KeptValues(record, names));
}

// The desktop has taken the values only when a store opened afresh holds them.
void ConfirmHeld(const StoreOpener& openStore, const Values& values) {
    const std::unique_ptr<DesktopStore> store = openStore(StoreAccess::Read);
    for (const auto& [name, value] : values)
        if (!store->Holds(name, value))
            throw WriteRefused(name);
}

// RestoreWallpaper with the lock held.
bool RestoreHeld(ProfileFile& settings, ProfileFile& record, const StoreOpener& openStore) {
    const bool fromBackup = BackupPresent(settings);
    std::vector<std::string> names;
    Values values;
    {
        const std::unique_ptr<DesktopStore> store = openStore(StoreAccess::Read);
        names = BackedUpNames(*store);
        const std::string shown = store->Read("Wallpaper");
        DropStaleMark(record, shown);
        if (fromBackup) {
            for (std::size_t i = 0; i < std::size(WallpaperValueNames); ++i)
                values.emplace_back(WallpaperValueNames[i],
                                    settings.ReadWhole(BackupSection, WallpaperValueNames[i])
                                        .value_or(BackupDefaults[i]));
            for (const std::string& extra : store->ExtraNames())
                if (std::optional<std::string> value = settings.ReadWhole(BackupSection, extra))
                    values.emplace_back(extra, std::move(*value));
        } else if (RecordPresent(record) && (IsOwnWallpaper(shown) || Restoring(record))) {
            // The settings file holding the backup is gone (deleted, or the
            // copy's folder with it) while the calendar is on: the record has
            // the wallpaper.
            values = KeptValues(record, names);
        } else {
            return false;
        }
    }
    (fromBackup ? settings : record).WriteString(BackupSection, RestoringKey, "1");
    {
        const std::unique_ptr<DesktopStore> store = openStore(StoreAccess::Write);
        for (const auto& [name, value] : values)
            store->Write(name, value);
        store->Reload();
    }
    ConfirmHeld(openStore, values);
    if (fromBackup)
        settings.EraseSection(BackupSection);
    // Another copy may have recorded a newer wallpaper meanwhile; that one stays.
    if (KeptValues(record, names) == values)
        std::filesystem::remove(record.Path());
    return BackupPresent(settings);
}

} // namespace

SharedBackup CurrentSharedBackup() {
    // One folder for every session of the user: the run-time folder would be
    // the obvious place for the lock, but a run from cron or ssh has none, and
    // a lock elsewhere would not keep it from the logon run.
    const std::string folder = XdgStateHome() + "/velnora/";
    SharedBackup shared;
    shared.record = folder + "oldwallpaper.ini";
    shared.lock = folder + "wallpaper.lock";
    return shared;
}

WallpaperLock::WallpaperLock(const SharedBackup& shared) : lock_(shared.lock, shared.lockWait) {
    if (!lock_.Held())
        throw std::runtime_error(WallpaperBusy);
}

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
        settings.WriteWhole(BackupSection, name, store.Read(name));
}

SourcePath ChooseSourcePath(bool chooseFile, const std::string& fileName,
                            const ProfileFile& settings, const SharedBackup& shared,
                            const StoreOpener& openStore) {
    SourcePath source;
    if (chooseFile) {
        if (FileExists(fileName))
            source.path = fileName;
        else
            source.chosenFileMissing = true;
        return source;
    }
    const WallpaperLock lock(shared);
    // While the calendar is on, the desktop shows the calendar itself: draw on
    // the wallpaper that was in force before, never on an earlier calendar.
    if (BackupPresent(settings)) {
        source.path = settings.ReadWhole(BackupSection, "Wallpaper").value_or("");
        return source;
    }
    source.path = openStore(StoreAccess::Read)->Read("Wallpaper");
    if (IsOwnWallpaper(source.path))
        source.path = ProfileFile(shared.record).ReadWhole(BackupSection, "Wallpaper").value_or("");
    return source;
}

bool InstallWallpaper(const Bitmap& work, const std::string& outputPicture, ProfileFile& settings,
                      const SharedBackup& shared, const StoreOpener& openStore) {
    WriteBmpFile(outputPicture, work);
    const WallpaperLock lock(shared);
    ProfileFile record(shared.record);
    bool wasOn = false;
    bool tookBackup = false;
    {
        const std::unique_ptr<DesktopStore> store = openStore(StoreAccess::Read);
        const std::string shown = store->Read("Wallpaper");
        wasOn = IsOwnWallpaper(shown);
        DropStaleMark(settings, shown);
        if (!BackupPresent(settings)) {
            TakeBackup(*store, settings, record);
            tookBackup = true;
        } else if (Restoring(settings)) {
            // The store holds part of a restore: the backup is the user's.
        } else if (!wasOn) {
            // Someone else changed the wallpaper since: that one is the user's now.
            TakeBackup(*store, settings, record);
        } else {
            MendBackupOrRecord(*store, settings, record);
        }
    }
    const bool show = BackupPresent(settings);

    // The store must name the picture wherever the program was started from.
    const Values calendar = {{"Wallpaper", std::filesystem::absolute(outputPicture).string()},
                             {"TileWallpaper", "0"},
                             {"WallpaperStyle", "1"}};
    std::size_t written = 0;
    try {
        const std::unique_ptr<DesktopStore> store = openStore(StoreAccess::Write);
        for (const auto& [name, value] : calendar) {
            store->Write(name, value);
            ++written;
        }
        store->Reload();
        ConfirmHeld(openStore, calendar);
    } catch (...) {
        // The calendar did not go on. When it was not on before either, the
        // state goes back to what it was: nothing written, so a backup taken
        // for this install goes again; some values written, so the backup puts
        // them back. If that restore fails too, its mark keeps the backup for
        // the next start to finish; the user sees the install's own error.
        if (!wasOn && !Restoring(settings)) {
            if (written == 0 && tookBackup) {
                settings.EraseSection(BackupSection);
            } else if (written > 0) {
                try {
                    RestoreHeld(settings, record, openStore);
                } catch (const std::exception&) {
                }
            }
        }
        throw;
    }
    settings.DeleteKey(BackupSection, RestoringKey);
    return show;
}

bool RestoreWallpaper(ProfileFile& settings, const SharedBackup& shared,
                      const StoreOpener& openStore) {
    const WallpaperLock lock(shared);
    ProfileFile record(shared.record);
    return RestoreHeld(settings, record, openStore);
}

bool CheckWallpaperAtStart(ProfileFile& settings, const SharedBackup& shared,
                           const StoreOpener& openStore) {
    const WallpaperLock lock(shared);
    if (!BackupPresent(settings))
        return false;
    ProfileFile record(shared.record);
    const std::unique_ptr<DesktopStore> store = openStore(StoreAccess::Read);
    const std::string shown = store->Read("Wallpaper");
    DropStaleMark(settings, shown);
    // A restore that did not finish is finished first: the store holds part of
    // it, so it is neither the calendar nor a wallpaper to back up.
    if (Restoring(settings))
        return RestoreHeld(settings, record, openStore);
    if (IsOwnWallpaper(shown)) {
        MendBackupOrRecord(*store, settings, record);
        return true;
    }
    TakeBackup(*store, settings, record);
    return false;
}
