// SPDX-License-Identifier: GPL-3.0-or-later
// The picture for the root window of a bare X11 desktop, laid out as the
// "Control Panel\Desktop" values TileWallpaper and WallpaperStyle ask.
#pragma once

#include <QImage>

#include <string>

namespace velnora {

// A width x height picture (Format_RGB32) with picture on black:
//   tile "1"    tiled from the top-left corner
//   style "1"   at the top-left corner, unscaled: the program's own picture is
//               the size of all monitors together, so it covers them pixel for pixel
//   style "2"   stretched to the whole size
//   style "6"   fitted: scaled to lie within, aspect kept, centred
//   style "10", "22"  filled: scaled to cover, aspect kept, centred and cropped
//   otherwise   centred unscaled (what Windows does for "0" and unknown styles)
// A null picture gives plain black.
QImage ComposeRootPicture(const QImage& picture, int width, int height, const std::string& tile,
                          const std::string& style);

}  // namespace velnora
