// Which wallpaper store this session's desktop uses.
#include "DesktopStore.h"

#include <cstdlib>

const char* const WallpaperValueNames[5] = {"Wallpaper", "TileWallpaper", "WallpaperStyle",
                                            "WallpaperOriginX", "WallpaperOriginY"};

std::unique_ptr<DesktopStore> OpenDesktopStore(StoreAccess access) {
    const char* currentDesktop = std::getenv("XDG_CURRENT_DESKTOP");
    if (const auto family = SchemaFamilyFor(currentDesktop != nullptr ? currentDesktop : ""))
        if (auto store = OpenGnomeStore(access, *family, WallpaperStorePath()))
            return store;
    // Any other desktop that draws its own background (KDE, Xfce...) covers the
    // root window, so painting it there is harmless and invisible; a window
    // manager alone shows it.
    const char* display = std::getenv("DISPLAY");
    if (display != nullptr && display[0] != '\0' && X11DisplayOpens(display))
        return OpenX11Store(access, WallpaperStorePath(), display);
    return OpenFileStore(access, WallpaperStorePath());
}
