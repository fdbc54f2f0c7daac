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
#include <vector>

namespace velnora {

// The section where earlier versions kept the wallpaper values in force
// before the calendar went on, in the settings file and in the per-user record.
// Read only to carry such a backup over to the store in force.
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
    // The backups, one section per wallpaper store named after the store
    // (DesktopStore::StoreName): the values in force before any copy put the
    // calendar on that store, kept until a switch-off has put them back and the
    // desktop reads them back. A section holding a key Wallpaper is the only
    // record that the calendar is on for that store.
    std::string record;
    // Held around every change of a backup and the store.
    std::string lock;
    // The file store's values file (WallpaperStorePath), removed with the
    // calendar when it holds nothing but empty values.
    std::string storeFile;
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
    // Removes the lock file while holding it: a copy waiting for it then
    // takes a new one (FileLock::RemoveFile).
    void RemoveFile() { lock_.RemoveFile(); }

  private:
    FileLock lock_;
};

// The backup is present when its section holds a key Wallpaper, whatever its
// value (the empty one included).
bool BackupPresent(const ProfileFile& settings);

// The stores whose calendar is on: the sections of the record holding a backup.
std::vector<std::string> StoresWithCalendarOn(const ProfileFile& record);

struct SourcePath {
    bool chosenFileMissing = false; // show SelectedFileNotFound, then set the show box off
    std::string path;               // the picture to load when the file is not missing
    // How the desktop laid that picture out (TileWallpaper, WallpaperStyle), read
    // where path was; "" for a chosen file.
    std::string tile;
    std::string style;
};
// The chosen file when chooseFile is on; else the backed-up wallpaper when the
// store in force has a backup, else the store's current wallpaper, unless that
// is some copy's output picture: then "" (the user's is not known). A
// desktop's picture that names nothing on disk is "" too: the desktop shows
// its colours alone. The lock is held while it reads.
SourcePath ChooseSourcePath(bool chooseFile, const std::string& fileName,
                            const ProfileFile& settings, const SharedBackup& shared,
                            const StoreOpener& openStore);

// Every function below works on the store in force and its section of the
// record, under the lock. The first of them to run after an upgrade carries an
// earlier version's backup over to that section (once): the record's section
// BackupSection, else the settings file's own, when the settings file belongs
// to the user and the store shows an output picture.

// Saves the picture as outputPicture; then takes the backup when the store has
// none, or refreshes it when the store no longer names an output picture (a
// wallpaper set since is the user's), points the store at the saved picture
// (Wallpaper, TileWallpaper "0", WallpaperStyle "1"), reloads the desktop and
// reads the three back: one that does not hold throws "Failed to set data for
// '<name>'", and a calendar that was not on before is taken off again (the
// backup this install took goes). No backup is ever taken from a store that
// did not open, nor replaced by an output picture or an empty picture. A backup
// marked as a restore in progress is kept as it is, and its mark cleared once
// the install holds. Returns the show-box state: true once the backup is present.
bool InstallWallpaper(const Bitmap& work, const std::string& outputPicture, ProfileFile& settings,
                      const SharedBackup& shared, const StoreOpener& openStore);

// Marks the store's backup as a restore in progress, writes it back into the
// store (defaults for missing keys, extra values only when backed up), reloads
// the desktop and reads every value back; only when all hold is the backup
// erased. A value that does not hold throws "Failed to set data for '<name>'"
// and the marked backup stays. Without a backup nothing is done; while the
// store shows a wallpaper set since the calendar went on, only the backup is
// erased. Returns the show-box state: false.
bool RestoreWallpaper(ProfileFile& settings, const SharedBackup& shared,
                      const StoreOpener& openStore);
// The same; true when the store had a backup, which is now restored.
bool RestoreStoreWallpaper(ProfileFile& settings, const SharedBackup& shared,
                           const StoreOpener& openStore);

// At start-up: true when the store has a backup and still shows an output
// picture. When the wallpaper has been changed since, the backup is refreshed
// from the store and the result is false. A backup marked as a restore in
// progress is restored first (RestoreWallpaper), never refreshed from the
// half-restored store, unless the store shows a wallpaper set since (neither an
// output picture nor the backed-up one): that one is then the user's.
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
    DesktopSize desktop;      // the stretch's target size, and the screens shown on
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

}  // namespace velnora
