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

PaintResult Paint(const Session& session, const Settings& held, const MonthGrids& grids,
                  Bitmap& work, bool preview) {
    const PictureChoices choices = PictureChoicesFor(held);
    PaintContext where;
    where.files = session.files;
    where.shared = session.shared;
    where.openStore = session.openStore;
    where.makeCanvas = session.makeCanvas;
    // Asked with the stretch box cleared too: the calendar then goes where the
    // desktop shows the picture.
    where.desktop = session.desktopSize();
    return PaintCalendar(work, preview, choices, grids, where);
}

} // namespace

bool CalendarOnAtStart(const Session& session) {
    ProfileFile settings(session.files.settingsFile);
    return CheckWallpaperAtStart(settings, session.shared, session.openStore);
}

PaintResult Redraw(const Session& session, const Settings& held, const MonthGrids& grids) {
    Bitmap work;
    return Paint(session, held, grids, work, false);
}

PaintResult Preview(const Session& session, const Settings& held, const MonthGrids& grids,
                    Bitmap& work) {
    return Paint(session, held, grids, work, true);
}

PaintResult SwitchCalendarOn(const Session& session, const Settings& held,
                             const MonthGrids& grids) {
    const PaintResult result = Redraw(session, held, grids);
    if (result.chosenFileMissing)
        SwitchCalendarOff(session);
    session.setLogonRedraw(LogonRedrawName, 1);
    return result;
}

SwitchOffResult SwitchCalendarOff(const Session& session) {
    WallpaperLock lock(session.shared);
    ProfileFile settings(session.files.settingsFile);
    ProfileFile record(session.shared.record);
    const std::string shown = session.openStore(StoreAccess::Read)->Read("Wallpaper");
    SwitchOffResult result;
    result.restored = RestoreStoreWallpaper(settings, session.shared, session.openStore);
    result.stillOn = StoresWithCalendarOn(record);
    if (!result.stillOn.empty())
        return result;
    session.setLogonRedraw(LogonRedrawName, 0);
    RemoveQuietly(session.files.outputPicture);
    if (IsOwnWallpaper(shown))
        RemoveQuietly(shown);
    RemoveEmptyFileStore(session.shared.storeFile);
    RemoveQuietly(session.shared.record);
    lock.RemoveFile();
    return result;
}

bool CalendarOnInStore(const Session& session) {
    const WallpaperLock lock(session.shared);
    const std::string store = session.openStore(StoreAccess::Read)->StoreName();
    for (const std::string& on : StoresWithCalendarOn(ProfileFile(session.shared.record)))
        if (on == store)
            return true;
    return false;
}

CloseResult CloseWithCalendarOn(const Session& session, const Settings& held,
                                const MonthGrids& grids, bool sawOn) {
    if (held.choose && !FileExists(held.path))
        return CloseResult::ChosenFileMissing;
    const WallpaperLock lock(session.shared);
    if (sawOn && !CalendarOnInStore(session))
        return CloseResult::SwitchedOffElsewhere;
    SwitchCalendarOn(session, held, grids);
    return CloseResult::Redrawn;
}

Settings SaveChoices(const Session& session, Settings held) {
    if (!FileExists(held.path))
        held.path.clear();
    ProfileFile settings(session.files.settingsFile);
    const WallpaperLock lock(session.shared);
    SaveSettings(settings, held);
    return held;
}

UnattendedResult RedrawAtStart(const Session& session, double today) {
    const Settings stored = LoadSettings(ProfileFile(session.files.settingsFile));
    if (!CalendarOnAtStart(session))
        return UnattendedResult::NotInstalled;
    const Settings held = AsTheWindowHoldsThem(stored);
    if (SwitchCalendarOn(session, held, GridsForDay(today, held)).chosenFileMissing)
        return UnattendedResult::ChosenFileMissing;
    SaveChoices(session, held);
    return UnattendedResult::Redrawn;
}

}  // namespace velnora
