// SPDX-License-Identifier: GPL-3.0-or-later
// The value names of "Control Panel\Desktop", shared by every store on every platform.
#include "DesktopStore.h"

namespace velnora {

const char* const WallpaperValueNames[5] = {"Wallpaper", "TileWallpaper", "WallpaperStyle",
                                            "WallpaperOriginX", "WallpaperOriginY"};

}  // namespace velnora
