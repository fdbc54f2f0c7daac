// SPDX-License-Identifier: GPL-3.0-or-later
// The use cases: what the window's handlers, the unattended run and
// "velnora off" do to the program's files, the shared backup, the store and
// the logon redraw, as plain functions. Each takes the lock where it changes
// the backup or the store, and the order of the backup steps is read here.
#pragma once

#include "Bitmap.h"
#include "Choices.h"
#include "Settings.h"
#include "Wallpaper.h"

#include <functional>
#include <string>
#include <vector>

namespace velnora {

// Writes (mode 1) or removes (mode 0) the logon redraw: the autostart entry
// and the refresh timer (SetLogonRedraw).
using LogonRedrawSetter = std::function<void(const std::string& name, unsigned mode)>;

// The autostart entry's name.
inline constexpr const char* LogonRedrawName = "Velnora";

// What the use cases work on. The program passes the real ones; the tests
// their own folders and stores.
struct Session {
    ProgramFiles files;       // settings file and output picture
    SharedBackup shared;      // CurrentSharedBackup in the program
    StoreOpener openStore;    // OpenDesktopStore in the program
    CanvasFactory makeCanvas; // MakeQtCanvas in the program
    std::function<DesktopSize()> desktopSize; // the desktop's monitors, asked at each redraw
    LogonRedrawSetter setLogonRedraw;
};

// Start-up, once the stored choices are read: whether the calendar is on the
// desktop (CheckWallpaperAtStart, which may refresh or finish the backup).
bool CalendarOnAtStart(const Session& session);

// The redraw for today onto the desktop: the output picture, the backup and
// the wallpaper (PaintCalendar).
PaintResult Redraw(const Session& session, const Settings& held, const MonthGrids& grids);
// The same drawn onto work only: no file, backup or store value is written.
PaintResult Preview(const Session& session, const Settings& held, const MonthGrids& grids,
                    Bitmap& work);

// The show box ticked: the redraw, then the logon redraw is installed. When
// the chosen file is missing the calendar is switched off (SwitchCalendarOff)
// before that, as unticking the box does; the logon redraw is installed all
// the same, as the window always did.
PaintResult SwitchCalendarOn(const Session& session, const Settings& held,
                             const MonthGrids& grids);

struct SwitchOffResult {
    bool restored = false;             // the store in force had a backup and has it back
    std::vector<std::string> stillOn;  // the other stores whose calendar stays on
};

// Under the lock: restores the store in force (RestoreWallpaper). When no store
// has the calendar on any more, the logon redraw goes, and so do the output
// pictures (this copy's and the one the store showed), a file store holding
// only empty values, the record and the lock file.
SwitchOffResult SwitchCalendarOff(const Session& session);

// True when the store in force has its calendar on, read afresh.
bool CalendarOnInStore(const Session& session);

enum class CloseResult {
    ChosenFileMissing,    // nothing done: show the message, untick the box, stay open
    SwitchedOffElsewhere, // nothing drawn: tell SwitchedOffElsewhere, untick the box
    Redrawn               // drawn for today and the logon redraw installed
};
// A window closing with its show box ticked. sawOn: the window saw the
// calendar on (at start or by its own redraw) and has not switched it off
// since; then, under the lock from the reading to the redraw, another copy's
// switch-off since is respected.
CloseResult CloseWithCalendarOn(const Session& session, const Settings& held,
                                const MonthGrids& grids, bool sawOn);

// Saves the choices (an image path naming no file is emptied first) under
// the lock: the backup lives in the same file, and a change another copy
// makes meanwhile must not be undone by this rewrite. Returns what was saved.
Settings SaveChoices(const Session& session, Settings held);

enum class UnattendedResult {
    NotInstalled,     // the calendar is off or displaced: nothing was redrawn
    Redrawn,          // drawn, installed, registered and saved
    ChosenFileMissing // the calendar was taken off: show SelectedFileNotFound
};
// The unattended run ("velnora start", "refresh"): what the window does when
// it starts with the calendar on and closes at once: the start-up check, the
// choices as its controls hold them (AsTheWindowHoldsThem), the redraw for
// today, the logon redraw, and the choices saved. Stops at the first error
// (an exception with the program's message), with what was done before it
// left done.
UnattendedResult RedrawAtStart(const Session& session, double today);

// What a closing window with its show box ticked tells the user when another
// copy switched the calendar off since this window read it.
inline constexpr const char* SwitchedOffElsewhere =
    "The calendar was switched off in another Velnora window while this one was open, "
    "so it stays off. Tick the show box to put it back on.";

}  // namespace velnora
