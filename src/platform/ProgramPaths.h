// SPDX-License-Identifier: GPL-3.0-or-later
// The program folder and the files the program keeps there, the command line,
// file existence and the desktop size.
#pragma once

#include "Monitors.h"

#include <string>
#include <vector>

namespace velnora {

// The file name of the output picture; a wallpaper of this exact name (letter
// case counts) in any folder is the program's own.
inline constexpr const char* OutputPictureName = "Velnora.bmp";
// True when a wallpaper value names one of the program's own pictures: its
// file-name part, after the last "/", "\" or ":", is "Velnora.bmp" byte for
// byte. "\" and ":" end the folder part of a Windows path, "/" of ours, so a
// backup written on either system is judged the same.
bool IsOwnWallpaper(const std::string& wallpaper);

// What separates folders in a path: "/", and on Windows "\\" too.
#ifdef _WIN32
inline constexpr const char* PathSeparators = "\\/";
#else
inline constexpr const char* PathSeparators = "/";
#endif

struct ProgramFiles {
    std::string executable;    // full path of the running program
    std::string settingsFile;  // <executable without extension>.INI, or the XDG stand-in
    std::string outputPicture; // <folder>/Velnora.bmp, or the XDG stand-in
};

// Beside the executable when its folder is writable and is no prefix's "bin"
// folder (a "bin" folder beside CMakeCache.txt is a build tree's, and counts as
// portable); else $XDG_CONFIG_HOME/velnora/<name>.INI and
// $XDG_DATA_HOME/velnora/Velnora.bmp. On Windows beside the executable when its
// folder is writable, else both under %APPDATA%\Velnora.
ProgramFiles ProgramFilesFor(const std::string& executablePath);
// The path the running program was started from, from /proc/self/exe
// (GetModuleFileNameW on Windows). It is
// resolved on the first call and kept, and main makes that call first thing:
// once the program file is replaced while the program runs (an upgrade, a
// rebuild), /proc/self/exe names the old file as "<path> (deleted)", while
// <path> itself is what starts the program again.
std::string ExecutablePath();
ProgramFiles CurrentProgramFiles();
// Where every copy of the program keeps what it shares for the user (the
// record of the user's own wallpaper, the lock), ending in a separator:
// $XDG_STATE_HOME/velnora/, on Windows %LOCALAPPDATA%\Velnora\.
std::string ProgramStateFolder();

// The executable's path with the text after the last "." of its file name
// replaced by "INI" (".INI" appended when the name has no extension).
std::string SettingsPathFor(const std::string& executablePath);

// True when path names an existing file; a folder, or the empty text, does not.
bool FileExists(const std::string& path);
// True when the system says that nothing, neither file nor folder, is at path;
// a path it cannot look at (access refused) is not taken for nothing.
bool NothingAt(const std::string& path);

struct DesktopSize {
    int width = 0;
    int height = 0;
    // Each screen and its work area on that box, the primary screen first.
    std::vector<Monitor> monitors{}; // {} lets {width, height} leave it empty without a warning
};
// The bounding box of all screens in physical pixels, with the screens: on
// Linux as Qt sees them (needs a QGuiApplication; on X11 the RandR monitors
// and the work area from _NET_WORKAREA, on Wayland the compositor's outputs);
// on Windows GetSystemMetrics' virtual screen.
DesktopSize VirtualDesktopSize();

}  // namespace velnora
