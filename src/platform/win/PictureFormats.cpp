// SPDX-License-Identifier: GPL-3.0-or-later
// The readers the Linux build has beyond BMP and JPEG, as Windows has them
// today: none. Windows has no GNOME slideshows or KDE wallpaper packages, and
// PNG, WebP, TIFF, GIF and SVG are not read yet (their readers will be WIC's
// and libwebp's), so such a file gets the message of an unknown format.

#include "BackgroundSlideshow.h"
#include "QtPictureFile.h"
#include "WallpaperPackage.h"

namespace velnora {

bool ReadQtPictureFile(const std::string&, Bitmap&, PictureSize, const Backdrop&) {
    return false;
}

std::optional<std::string> SlideshowPictureAt(const std::string&, std::time_t, PictureSize) {
    return std::nullopt;
}

std::optional<std::string> PackagePictureFor(const std::string&, PictureSize) {
    return std::nullopt;
}

}  // namespace velnora
