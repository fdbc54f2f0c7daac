// Stand-in for the registry key "Control Panel\Desktop": five text values
// (Wallpaper, TileWallpaper, WallpaperStyle, WallpaperOriginX, WallpaperOriginY)
// and the reload request. Backends: file store, GNOME family (GSettings), bare X11.
#pragma once

#include <memory>
#include <string>
#include <vector>

enum class StoreAccess { Read, Write };

class DesktopStore {
public:
    virtual ~DesktopStore() = default;
    // False when the open failed: reads then give "", writes throw.
    virtual bool IsOpen() const = 0;
    // "" when absent or not open; throws "Invalid data type for '<name>'" for a
    // value that is not text.
    virtual std::string Read(const std::string& name) = 0;
    // Throws "Failed to set data for '<name>'" when refused or not open.
    virtual void Write(const std::string& name, const std::string& value) = 0;
    // What SystemParametersInfoA(SPI_SETDESKWALLPAPER) does: the desktop takes up the values.
    virtual void Reload() = 0;
    // Names of values beyond the five that this desktop needs backed up so that a
    // restore gives it back exactly (kept as extra keys of the backup section).
    virtual std::vector<std::string> ExtraNames() const { return {}; }
};

// The five values, in the order they are backed up and restored.
extern const char* const WallpaperValueNames[5];

// The backend for this session's desktop (XDG_CURRENT_DESKTOP, DISPLAY).
std::unique_ptr<DesktopStore> OpenDesktopStore(StoreAccess access);
