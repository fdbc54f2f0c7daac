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
#include "MonthGrid.h"
#include "ProfileFile.h"
#include "ProgramPaths.h"

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
// backup is present, else the store's current wallpaper.
SourcePath ChooseSourcePath(bool chooseFile, const std::string& fileName,
                            const ProfileFile& settings, const StoreOpener& openStore);

// Saves the picture as outputPicture, takes the backup when it is absent or
// refreshes it when the store no longer names the program's own picture, then
// points the store at the saved picture (Wallpaper, TileWallpaper "0",
// WallpaperStyle "1") and reloads the desktop. Returns the show-box state:
// true, since the backup is present once it has been taken.
bool InstallWallpaper(const Bitmap& work, const std::string& outputPicture, ProfileFile& settings,
                      const StoreOpener& openStore);

// Writes the backup back into the store (defaults for missing keys, extra
// values only when backed up), erases it and reloads the desktop; does
// nothing when there is no backup. Returns the show-box state: false.
bool RestoreWallpaper(ProfileFile& settings, const StoreOpener& openStore);

// At start-up: true when the backup is present and the desktop still shows the
// program's own picture. When the backup is present but the wallpaper has been
// changed since, the backup is refreshed from the store and the result is false.
bool CheckWallpaperAtStart(ProfileFile& settings, const StoreOpener& openStore);

// What the window holds for a redraw.
struct PictureChoices {
    bool chooseFile = false;  // R_Choose
    std::string fileName;     // Efilename
    CalendarChoices calendar; // its desktop size is taken from the context
};

// Where a redraw reads and writes, and with what it draws.
struct PaintContext {
    ProgramFiles files;       // settings file and output picture
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
