// SPDX-License-Identifier: GPL-3.0-or-later
// Stand-in for the registry key "Control Panel\Desktop": five text values
// (Wallpaper, TileWallpaper, WallpaperStyle, WallpaperOriginX, WallpaperOriginY)
// and the reload request. Backends: StoreBackends.h.
#pragma once

#include "Backdrop.h"
#include "WallpaperLayout.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace velnora {

enum class StoreAccess { Read, Write };

class DesktopStore {
  public:
    virtual ~DesktopStore() = default;
    // The store's stable name, which keys its backup in the per-user record:
    // "gnome", "cinnamon", "mate", "xfce", "plasma", "x11" or "file". Each
    // desktop keeps its own wallpaper, so each keeps its own backup.
    virtual std::string StoreName() const = 0;
    // False when the open failed: reads then give "", writes throw.
    virtual bool IsOpen() const = 0;
    // "" when absent or not open; throws "Invalid data type for '<name>'" for a
    // value that is not text.
    virtual std::string Read(const std::string& name) = 0;
    // Throws "Failed to set data for '<name>'" when refused or not open.
    virtual void Write(const std::string& name, const std::string& value) = 0;
    // What SystemParametersInfoA(SPI_SETDESKWALLPAPER) does: the desktop takes up the values.
    virtual void Reload() = 0;
    // True when the store, read afresh after Reload, holds value for name as the
    // desktop shows it. Only such a read-back confirms a restore or an install:
    // some desktops accept a write and drop it later (dconf commits in the
    // background). A backend that maps values onto settings of its own compares
    // in its own terms (a style that has no exact counterpart, for one).
    virtual bool Holds(const std::string& name, const std::string& value) {
        return Read(name) == value;
    }
    // False for the store of a desktop that no backend knows: the values are
    // kept, but nothing shows the picture, so the user must be told which file
    // to set as the wallpaper.
    virtual bool ReachesDesktop() const { return true; }
    // The colours the desktop paints under and around its picture, and alone
    // where it shows none (an empty Wallpaper).
    virtual Backdrop BackgroundColours() { return {}; }
    // Names of values beyond the five that this desktop needs backed up so that a
    // restore gives it back exactly (kept as extra keys of the backup section),
    // in the order a restore writes them, after the five.
    virtual std::vector<std::string> ExtraNames() const { return {}; }
    // For a desktop that keeps a wallpaper for each monitor: from now on the
    // picture and its layout are those of the monitor named (the output's
    // name) alone, drawn at that monitor's size; true. False for a desktop
    // that shows one picture over all monitors.
    virtual bool ShowOnlyOn(const std::string& /*monitorName*/) { return false; }
    // How the desktop shows the program's own picture once installed: the
    // layout of the setting the style "1" is written as. The root window's,
    // and a store no desktop reads, show it pixel for pixel (Own).
    virtual WallpaperLayout OwnPictureLayout() const { return WallpaperLayout::Own; }
    // Once a monitor is chosen: every other monitor's values as the extra
    // value name holds them in value, its backup, so that a calendar that moved
    // to another monitor is no longer shown on the one it left. Nothing on a
    // desktop that shows one picture over all monitors.
    virtual void GiveBackOtherMonitors(const std::string& /*name*/, const std::string& /*value*/) {}
    // Once a monitor is chosen: the picture that monitor showed as value, the
    // backup of the extra value name, records it; nullopt where it records
    // none, and on a desktop that shows one picture over all monitors.
    virtual std::optional<std::string> MonitorPictureIn(const std::string& /*name*/,
                                                        const std::string& /*value*/) {
        return std::nullopt;
    }
};

// The five values, in the order they are backed up and restored.
extern const char* const WallpaperValueNames[5];

// The store of this session's desktop: the first backend of the table in
// DesktopStore.cpp that matches the session (StoreBackends.h).
std::unique_ptr<DesktopStore> OpenDesktopStore(StoreAccess access);

// The file store: the five values in the section "Control Panel\Desktop" of a
// profile file; Reload does nothing. Opening for reading never fails (a missing
// file holds no values); opening for writing fails when the file's folder
// cannot be created.
std::unique_ptr<DesktopStore> OpenFileStore(StoreAccess access, const std::string& path);
// $XDG_CONFIG_HOME/velnora/wallpaper.ini
std::string WallpaperStorePath();
// Removes the file store's file at path when it holds nothing but empty
// values: what a restore of origins the desktop lacks leaves there.
void RemoveEmptyFileStore(const std::string& path);

// The GSettings schema families the GNOME backend knows.
enum class SchemaFamily {
    Gnome,    // org.gnome.desktop.background: GNOME, Unity, ubuntu, Budgie, Pantheon
    Cinnamon, // org.cinnamon.desktop.background
    Mate,     // org.mate.background
};
// nullptr when the family's schema is not installed. The two origins, which
// these desktops lack, are kept in the file store at originsPath.
std::unique_ptr<DesktopStore> OpenGnomeStore(StoreAccess access, SchemaFamily family,
                                             const std::string& originsPath);
// The family XDG_CURRENT_DESKTOP-style text names (a colon-separated list,
// matched without regard to case, first known entry wins); nullopt for none.
std::optional<SchemaFamily> SchemaFamilyFor(const std::string& currentDesktop);

// Bare X11: the file store at path for the values; Reload puts the picture
// named by Wallpaper on the root window of display (an XOpenDisplay name, ""
// for $DISPLAY).
std::unique_ptr<DesktopStore> OpenX11Store(StoreAccess access, const std::string& path,
                                           const std::string& display);

}  // namespace velnora
