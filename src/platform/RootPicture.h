// SPDX-License-Identifier: GPL-3.0-or-later
// The picture for the root window of a bare X11 desktop, laid out as the
// "Control Panel\Desktop" values TileWallpaper and WallpaperStyle ask.
#pragma once

#include "WallpaperLayout.h"

#include <QImage>

namespace velnora {

// A width x height picture (Format_RGB32) with picture on black:
//   Tile        tiled from the top-left corner
//   Own         at the top-left corner, unscaled: the program's own picture is
//               the size of all monitors together, so it covers them pixel for pixel
//   Stretch     stretched to the whole size
//   Fit         scaled to lie within, aspect kept, centred
//   Fill, Span  scaled to cover, aspect kept, centred and cropped
//   Centre, and no layout   centred unscaled (what Windows does for unknown styles)
// A null picture gives plain black.
QImage ComposeRootPicture(const QImage& picture, int width, int height,
                          std::optional<WallpaperLayout> layout);

}  // namespace velnora
