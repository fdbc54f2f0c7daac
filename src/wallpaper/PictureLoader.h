// SPDX-License-Identifier: GPL-3.0-or-later
// Loading the source picture: as BMP first, then as JPEG through libjpeg-turbo,
// then as a GNOME background slideshow or one of the formats of Qt's image
// readers (PNG, WebP, TIFF, GIF, SVG), each recognised by its content. A
// wallpaper package folder gives the picture it holds for the screen.
#pragma once

#include "Backdrop.h"
#include "Bitmap.h"
#include "PictureLimit.h"

#include <string>

namespace velnora {

// A drawing (SVG) is rendered at drawingSize (the desktop's when the picture
// is stretched to it), or at its own size when that is 0 x 0. A slideshow
// gives the picture it shows now. Pictures above the size and memory limits
// of PictureLimit.h are refused from their header, before pixel memory is
// taken. out is left untouched on failure. Throws std::runtime_error with
// "JPEG error #<code>", "Cannot open file \"<path>\". <reason>",
// "Picture too large: <w> x <h>" or "Cannot read picture \"<path>\": <reason>",
// among them "not a BMP, JPEG, PNG, WebP, TIFF, GIF or SVG file".
// What the desktop shows beside the picture file: the screen a wallpaper
// package (WallpaperPackage.h) gives its picture for, and the colours under
// the picture's transparent parts. With no picture at all (an empty path) the
// source is the backdrop at the screen's size, when that size is known.
struct DesktopLook {
    PictureSize screen;
    Backdrop backdrop;
};
void LoadSourcePicture(const std::string& path, Bitmap& out, PictureSize drawingSize = {},
                       const DesktopLook& desktop = {});

}  // namespace velnora
