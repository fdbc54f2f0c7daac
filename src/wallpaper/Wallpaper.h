// SPDX-License-Identifier: GPL-3.0-or-later
// Choosing the picture to draw on, and putting the composed picture on the
// desktop and taking it off again: the backup of the wallpaper values in the
// settings file, the wallpaper store and the output picture.
//
// The functions work on plain data. Where a step sets the show box, the
// function returns the state to set and the window applies it (its click
// handler then runs as for the user).
#pragma once

#include "Bitmap.h"
#include "Compose.h"
#include "DesktopStore.h"
#include "FileLock.h"
#include "MonthGrid.h"
#include "ProfileFile.h"
#include "ProgramPaths.h"

#include <chrono>
#include <functional>
#include <memory>
#include <string>

// The section holding the wallpaper values in force before the calendar went on.
inline constexpr const char* BackupSection = "oldwallpaper";
// The message of a chosen picture file that does not exist (title "Error").
inline constexpr const char* SelectedFileNotFound = "Selected File Not Found !";
// What RestoreWallpaper writes for a value the backup lacks, in the order of
// WallpaperValueNames: no picture, not tiled, style 1, origin 0, 0.
extern const char* const BackupDefaults[5];

// Opens the wallpaper store; tests pass their own.
using StoreOpener = std::function<std::unique_ptr<DesktopStore>(StoreAccess)>;

// What every copy of the program shares for one user, whichever folder it runs
// from: the record of the user's own wallpaper and the lock around changes.
struct SharedBackup {
    // The wallpaper values in force before any copy put the calendar on, in the
    // section BackupSection; kept until a switch-off has put them back and the
    // desktop reads them back.
    std::string record;
    // Held around every change of a backup, the record and the store.
    std::string lock;
    // How long to wait for another copy that holds the lock. Origin: a redraw
    // of a 4K picture writes 25 MB and tells the desktop, a second or two; 30 s
    // lets a few of them queue.
    std::chrono::milliseconds lockWait{30000};
};
// $XDG_STATE_HOME/velnora/oldwallpaper.ini and wallpaper.lock beside it.
SharedBackup CurrentSharedBackup();

// The message when another copy held the lock for the whole wait.
inline constexpr const char* WallpaperBusy =
    "Another copy of Velnora is changing the wallpaper. Try again in a moment.";

// Holds the shared lock while it lives; throws WallpaperBusy when another copy
// holds it for the whole wait. Nested uses within one process do not wait.
class WallpaperLock {
  public:
    explicit WallpaperLock(const SharedBackup& shared);

  private:
    FileLock lock_;
};

// The backup is present when its section holds a key Wallpaper, whatever its
// value (the empty one included). It is the only record that the calendar is on.
bool BackupPresent(const ProfileFile& settings);

// True when the file-name part of the store's Wallpaper value, after the last
// "/", "\" or ":", is "Velnora.bmp" byte for byte.
bool IsOwnWallpaper(const std::string& wallpaper);

// The store's five values, then its extra ones, each read and then written
// into the backup before the next is read; an absent value is copied as "".
void CopyWallpaperToBackup(DesktopStore& store, ProfileFile& settings);

struct SourcePath {
    bool chosenFileMissing = false; // show SelectedFileNotFound, then set the show box off
    std::string path;               // the picture to load when the file is not missing
};
// The chosen file when chooseFile is on; else the backed-up wallpaper when the
// backup is present, else the store's current wallpaper, unless that is some
// copy's output picture: then the recorded wallpaper of the user's ("" when
// none is recorded). The lock is held while it reads.
SourcePath ChooseSourcePath(bool chooseFile, const std::string& fileName,
                            const ProfileFile& settings, const SharedBackup& shared,
                            const StoreOpener& openStore);

// Saves the picture as outputPicture; then, under the lock, takes the backup
// when it is absent or refreshes it when the store no longer names an output
// picture (the user's wallpaper then goes into the record as well), points the
// store at the saved picture (Wallpaper, TileWallpaper "0", WallpaperStyle
// "1"), reloads the desktop and reads the three back: one that does not hold
// throws "Failed to set data for '<name>'", and a calendar that was not on
// before is taken off again (the backup this install took goes). A backup
// marked as a restore in progress is kept as it is, and its mark cleared once
// the install holds. Returns the show-box state: true, since the backup is
// present once it has been taken.
bool InstallWallpaper(const Bitmap& work, const std::string& outputPicture, ProfileFile& settings,
                      const SharedBackup& shared, const StoreOpener& openStore);

// Under the lock: marks the backup as a restore in progress, writes it back
// into the store (defaults for missing keys, extra values only when backed
// up), reloads the desktop and reads every value back; only when all hold is
// the backup erased, and the record too when it holds the same values. A value
// that does not hold throws "Failed to set data for '<name>'" and the marked
// backup stays. Without a backup, while the store names an output picture
// (the settings file was lost with the calendar on), the record is written
// back the same way; otherwise nothing is done. Returns the show-box state:
// false.
bool RestoreWallpaper(ProfileFile& settings, const SharedBackup& shared,
                      const StoreOpener& openStore);

// At start-up, under the lock: true when the backup is present and the desktop
// still shows an output picture. When the backup is present but the wallpaper
// has been changed since, the backup and the record are refreshed from the
// store and the result is false. A backup marked as a restore in progress is
// restored first (RestoreWallpaper), never refreshed from the half-restored
// store, unless the store shows a wallpaper set since (neither an output
// picture nor the backed-up one): that one is then the user's, as when displaced.
bool CheckWallpaperAtStart(ProfileFile& settings, const SharedBackup& shared,
                           const StoreOpener& openStore);

// What the window holds for a redraw.
struct PictureChoices {
    bool chooseFile = false;  // R_Choose
    std::string fileName;     // Efilename
    CalendarChoices calendar; // its desktop size is taken from the context
};

// Where a redraw reads and writes, and with what it draws.
struct PaintContext {
    ProgramFiles files;       // settings file and output picture
    SharedBackup shared;      // CurrentSharedBackup in the program
    StoreOpener openStore;    // OpenDesktopStore in the program
    CanvasFactory makeCanvas; // MakeQtCanvas in the program
    DesktopSize desktop;      // the stretch's target size
};

struct PaintResult {
    bool chosenFileMissing = false; // nothing was drawn: show the message, set the show box off
    bool installed = false;         // the picture is on the desktop: set the show box to true
};

// The whole redraw on the caller's work bitmap: the source picture, loading,
// stretch, placement and drawing, and unless previewing the install. A preview
// writes nothing: no output picture, no backup, no store value.
PaintResult PaintCalendar(Bitmap& work, bool preview, const PictureChoices& choices,
                          const MonthGrids& grids, const PaintContext& context);
