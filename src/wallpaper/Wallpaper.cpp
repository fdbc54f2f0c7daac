// SPDX-License-Identifier: GPL-3.0-or-later

#include "Wallpaper.h"

#include "BmpFile.h"
#include "PathState.h"
#include "StoreErrors.h"

#include <filesystem>
#include <string_view>
#include <stdexcept>
#include <utility>

namespace velnora {

const char* const BackupDefaults[5] = {"", "0", "1", "0", "0"};

namespace {

// Marks a backup whose values are being written back into the store. Until the
// desktop reads them back, the store may hold part of them: it is then no
// wallpaper of the user's, and nothing must be backed up from it. Only the key
// Wallpaper makes a backup present, so the mark changes nothing else.
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

// The values a section holds, each read whole.
Values KeptValues(const ProfileFile& file, const std::string& section,
                  const std::vector<std::string>& names) {
    Values values;
    for (const std::string& name : names)
        if (std::optional<std::string> value = file.ReadWhole(section, name))
            values.emplace_back(name, std::move(*value));
    return values;
}

// Writes a backup into a section. Wallpaper goes last: it makes the backup
// present, so a run stopped halfway leaves none rather than half of one.
void Keep(ProfileFile& record, const std::string& section, const Values& values) {
    for (const auto& [name, value] : values)
        if (name != "Wallpaper")
            record.WriteWhole(section, name, value);
    for (const auto& [name, value] : values)
        if (name == "Wallpaper")
            record.WriteWhole(section, name, value);
}

bool Present(const ProfileFile& record, const std::string& section) {
    return record.HasKey(section, "Wallpaper");
}

bool Restoring(const ProfileFile& record, const std::string& section) {
    return record.HasKey(section, RestoringKey);
}

// A restore in progress is unfinished while the store shows the calendar or
// the backed-up picture; a wallpaper the user set since is the user's own, and
// the mark is then dropped rather than that wallpaper overwritten.
void DropStaleMark(ProfileFile& record, const std::string& section, const std::string& shown) {
    if (Restoring(record, section) && !IsOwnWallpaper(shown) &&
        shown != record.ReadWhole(section, "Wallpaper").value_or(""))
        record.DeleteKey(section, RestoringKey);
}

// An earlier version kept one backup for all desktops: in the record's section
// BackupSection (per user), and before that only in the settings file, which a
// shared program folder shares with other users. It goes to the first store
// that shows the calendar (a run from cron, or one that reached another store
// than the desktop's, does not), once; the settings file's only when it is the
// user's own file, so that another user's wallpaper never is.
void CarryOverEarlierBackup(ProfileFile& settings, ProfileFile& record, const DesktopStore& store,
                            const std::string& shown) {
    const std::string section = store.StoreName();
    if (!IsOwnWallpaper(shown) || Present(record, section))
        return;
    const std::vector<std::string> names = BackedUpNames(store);
    const bool ownSettings = BackupPresent(settings) && OwnedByThisUser(settings.Path());
    if (Present(record, BackupSection))
        Keep(record, section, KeptValues(record, BackupSection, names));
    else if (ownSettings &&
             !IsOwnWallpaper(settings.ReadWhole(BackupSection, "Wallpaper").value_or("")))
        Keep(record, section, KeptValues(settings, BackupSection, names));
    else
        return;
    record.EraseSection(BackupSection);
    if (ownSettings)
        settings.EraseSection(BackupSection);
}

// Takes the backup of the user's own wallpaper for the store. A store that
// names no output picture holds it; one that names one (the record lost with
// the calendar on) does not: the backup then holds no picture and the store's
// other values, never an output picture. A store that did not open gives no
// backup at all.
void TakeBackup(DesktopStore& store, ProfileFile& record) {
    const std::string section = store.StoreName();
    if (!store.IsOpen() || Restoring(record, section))
        return;
    Values values;
    if (!IsOwnWallpaper(store.Read("Wallpaper"))) {
        for (const std::string& name : BackedUpNames(store))
            values.emplace_back(name, store.Read(name));
    } else {
        // The extra values name the shown picture too (a desktop's own URI
        // keys, its per-monitor state), so only the five are kept: a restore
        // then writes no picture rather than the calendar again.
        for (const char* name : WallpaperValueNames)
            values.emplace_back(name, std::string_view(name) == "Wallpaper" ? "" : store.Read(name));
    }
    Keep(record, section, values);
}

// The wallpaper was changed since the calendar went on: the one shown now is
// the user's, unless it is no picture at all, which may be no more than a
// desktop that did not answer: a backup that names a picture is never given up
// for that.
void RefreshBackup(DesktopStore& store, ProfileFile& record, const std::string& shown) {
    const std::string section = store.StoreName();
    if (shown.empty() && !record.ReadWhole(section, "Wallpaper").value_or("").empty())
        return;
    TakeBackup(store, record);
}

// The desktop has taken the values only when a store opened afresh holds them.
void ConfirmHeld(const StoreOpener& openStore, const Values& values) {
    const std::unique_ptr<DesktopStore> store = openStore(StoreAccess::Read);
    for (const auto& [name, value] : values)
        if (!store->Holds(name, value))
            throw WriteRefused(name);
}

// RestoreWallpaper with the lock held; true when the store had a backup. An
// install taking back its own half-written values restores whatever the store
// shows (userSetSince false).
bool RestoreHeld(ProfileFile& settings, ProfileFile& record, const StoreOpener& openStore,
                 bool userSetSince = true) {
    std::string section;
    Values values;
    {
        const std::unique_ptr<DesktopStore> store = openStore(StoreAccess::Read);
        section = store->StoreName();
        const std::string shown = store->Read("Wallpaper");
        CarryOverEarlierBackup(settings, record, *store, shown);
        if (!Present(record, section))
            return false;
        DropStaleMark(record, section, shown);
        // A wallpaper set since the calendar went on is the user's own: the
        // backup goes and the store keeps it.
        if (userSetSince && store->IsOpen() && !shown.empty() && !IsOwnWallpaper(shown) &&
            !Restoring(record, section)) {
            record.EraseSection(section);
            return true;
        }
        for (std::size_t i = 0; i < std::size(WallpaperValueNames); ++i)
            values.emplace_back(WallpaperValueNames[i],
                                record.ReadWhole(section, WallpaperValueNames[i])
                                    .value_or(BackupDefaults[i]));
        for (const std::string& extra : store->ExtraNames())
            if (std::optional<std::string> value = record.ReadWhole(section, extra))
                values.emplace_back(extra, std::move(*value));
    }
    record.WriteString(section, RestoringKey, "1");
    {
        const std::unique_ptr<DesktopStore> store = openStore(StoreAccess::Write);
        for (const auto& [name, value] : values)
            store->Write(name, value);
        store->Reload();
    }
    ConfirmHeld(openStore, values);
    record.EraseSection(section);
    return true;
}

} // namespace

SharedBackup CurrentSharedBackup() {
    // One folder for every session of the user: the run-time folder would be
    // the obvious place for the lock, but a run from cron or ssh has none, and
    // a lock elsewhere would not keep it from the logon run.
    const std::string folder = ProgramStateFolder();
    SharedBackup shared;
    shared.record = folder + "oldwallpaper.ini";
    shared.lock = folder + "wallpaper.lock";
    shared.storeFile = WallpaperStorePath();
    return shared;
}

WallpaperLock::WallpaperLock(const SharedBackup& shared) : lock_(shared.lock, shared.lockWait) {
    if (!lock_.Held())
        throw std::runtime_error(WallpaperBusy);
}

bool BackupPresent(const ProfileFile& settings) {
    return settings.HasKey(BackupSection, "Wallpaper");
}

std::vector<std::string> StoresWithCalendarOn(const ProfileFile& record) {
    std::vector<std::string> stores;
    for (const std::string& section : record.Sections())
        if (section != BackupSection && Present(record, section))
            stores.push_back(section);
    return stores;
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
    ProfileFile record(shared.record);
    ProfileFile ownSettings(settings.Path());
    const std::unique_ptr<DesktopStore> store = openStore(StoreAccess::Read);
    const std::string section = store->StoreName();
    source.path = store->Read("Wallpaper");
    CarryOverEarlierBackup(ownSettings, record, *store, source.path);
    // While the calendar is on, the desktop shows the calendar itself: draw on
    // the wallpaper that was in force before, never on an earlier calendar.
    if (Present(record, section)) {
        source.path = record.ReadWhole(section, "Wallpaper").value_or("");
        // The backup's Wallpaper is that of the monitor the calendar went on
        // first; a desktop with a wallpaper for each monitor gives the chosen
        // monitor's own.
        for (const std::string& extra : store->ExtraNames())
            if (const std::optional<std::string> backedUp = record.ReadWhole(section, extra))
                if (std::optional<std::string> picture = store->MonitorPictureIn(extra, *backedUp))
                    source.path = std::move(*picture);
        source.tile = record.ReadWhole(section, "TileWallpaper").value_or("");
        source.style = record.ReadWhole(section, "WallpaperStyle").value_or("");
    } else if (IsOwnWallpaper(source.path)) {
        source.path.clear();
    } else {
        source.tile = store->Read("TileWallpaper");
        source.style = store->Read("WallpaperStyle");
    }
    // The desktop's default picture may come from a package that is not
    // installed (a fresh MATE profile on Debian names one): the desktop then
    // shows its colours alone, and the calendar goes on those. Only a chosen
    // file that is missing is the user's to hear about.
    if (!source.path.empty() && NothingAt(source.path))
        source.path.clear();
    return source;
}

bool InstallWallpaper(const Bitmap& work, const std::string& outputPicture, ProfileFile& settings,
                      const SharedBackup& shared, const StoreOpener& openStore) {
    WriteBmpFile(outputPicture, work);
    const WallpaperLock lock(shared);
    ProfileFile record(shared.record);
    std::string section;
    bool wasOn = false;
    bool tookBackup = false;
    {
        const std::unique_ptr<DesktopStore> store = openStore(StoreAccess::Read);
        section = store->StoreName();
        const std::string shown = store->Read("Wallpaper");
        wasOn = IsOwnWallpaper(shown);
        CarryOverEarlierBackup(settings, record, *store, shown);
        DropStaleMark(record, section, shown);
        if (!Present(record, section)) {
            TakeBackup(*store, record);
            tookBackup = true;
        } else if (!wasOn && !Restoring(record, section)) {
            // Someone else changed the wallpaper since: that one is the user's now.
            RefreshBackup(*store, record, shown);
        }
    }
    const bool show = Present(record, section);

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
        for (const std::string& extra : store->ExtraNames())
            if (const std::optional<std::string> backedUp = record.ReadWhole(section, extra))
                store->GiveBackOtherMonitors(extra, *backedUp);
        store->Reload();
        ConfirmHeld(openStore, calendar);
    } catch (...) {
        // The calendar did not go on. When it was not on before either, the
        // state goes back to what it was: nothing written, so a backup taken
        // for this install goes again; some values written, so the backup puts
        // them back. If that restore fails too, its mark keeps the backup for
        // the next start to finish; the user sees the install's own error.
        if (!wasOn && !Restoring(record, section)) {
            if (written == 0 && tookBackup) {
                record.EraseSection(section);
            } else if (written > 0) {
                try {
                    RestoreHeld(settings, record, openStore, false);
                } catch (const std::exception&) {
                }
            }
        }
        throw;
    }
    record.DeleteKey(section, RestoringKey);
    return show;
}

bool RestoreWallpaper(ProfileFile& settings, const SharedBackup& shared,
                      const StoreOpener& openStore) {
    RestoreStoreWallpaper(settings, shared, openStore);
    return false;
}

bool RestoreStoreWallpaper(ProfileFile& settings, const SharedBackup& shared,
                           const StoreOpener& openStore) {
    const WallpaperLock lock(shared);
    ProfileFile record(shared.record);
    return RestoreHeld(settings, record, openStore);
}

bool CheckWallpaperAtStart(ProfileFile& settings, const SharedBackup& shared,
                           const StoreOpener& openStore) {
    const WallpaperLock lock(shared);
    ProfileFile record(shared.record);
    const std::unique_ptr<DesktopStore> store = openStore(StoreAccess::Read);
    const std::string section = store->StoreName();
    const std::string shown = store->Read("Wallpaper");
    CarryOverEarlierBackup(settings, record, *store, shown);
    if (!Present(record, section))
        return false;
    DropStaleMark(record, section, shown);
    // A restore that did not finish is finished first: the store holds part of
    // it, so it is neither the calendar nor a wallpaper to back up.
    if (Restoring(record, section)) {
        RestoreHeld(settings, record, openStore);
        return false;
    }
    if (IsOwnWallpaper(shown))
        return true;
    RefreshBackup(*store, record, shown);
    return false;
}

}  // namespace velnora
