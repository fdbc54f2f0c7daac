// SPDX-License-Identifier: GPL-3.0-or-later
// The Windows wallpaper store: the five values under HKEY_CURRENT_USER
// "Control Panel\Desktop", and the reload that makes the desktop take them up.
#pragma once

#include "DesktopStore.h"

#include <memory>

namespace velnora {

// The key is opened, never created: a user without it has no desktop to set,
// and reads then give "" while writes throw. Values are text (REG_SZ), UTF-8
// in the program. Reload passes the stored Wallpaper value to
// SystemParametersInfoW (SPI_SETDESKWALLPAPER), which Microsoft documents as
// reading TileWallpaper and WallpaperStyle from the key; a NULL path there
// would mean "the default wallpaper", so the path, or "" for none, is passed.
// The background colours are the desktop's one colour (GetSysColor).
std::unique_ptr<DesktopStore> OpenRegistryStore(StoreAccess access);

}  // namespace velnora
