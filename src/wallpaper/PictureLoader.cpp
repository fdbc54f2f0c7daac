// SPDX-License-Identifier: GPL-3.0-or-later

#include "PictureLoader.h"

#include "BackgroundSlideshow.h"
#include "BmpFile.h"
#include "JpegDecoder.h"
#include "PictureLimit.h"
#include "QtPictureFile.h"
#include "WallpaperPackage.h"

#include <ctime>
#include <optional>
#include <stdexcept>
#include <sys/stat.h>

namespace velnora {

namespace {

// A FIFO or a device is refused at once, whatever it is named by: a reader
// would wait on it for ever, or read without end. A missing file and a folder
// get their readers' own messages.
void CheckRegularFile(const std::string& path) {
    struct stat info {};
    if (stat(path.c_str(), &info) == 0 && !S_ISREG(info.st_mode) && !S_ISDIR(info.st_mode))
        throw std::runtime_error("Cannot open file \"" + path + "\". " + NotRegularFile);
}

std::runtime_error NoKnownFormat(const std::string& path) {
    return std::runtime_error("Cannot read picture \"" + path +
                              "\": not a BMP, JPEG, PNG, WebP, TIFF, GIF or SVG file");
}

// BMP and JPEG come first, in the order the program has always tried them, so
// that every BMP and JPEG loads as before and gives the messages it gave.
// Whatever stops the BMP reader (no such file, another format), the JPEG
// decoder's own error is the one the user sees, unless the file is no JPEG at
// all and another reader knows it. A slideshow is checked before Qt's readers,
// whose SVG reader takes any XML for a drawing; the picture it names is loaded
// as any other, but never as a slideshow again.
void LoadPicture(const std::string& path, Bitmap& out, PictureSize drawingSize, bool slideshows,
                 const DesktopLook& desktop) {
    if (const std::optional<std::string> picked = PackagePictureFor(path, desktop.screen)) {
        LoadPicture(*picked, out, drawingSize, false, desktop);
        return;
    }
    CheckRegularFile(path);
    if (ReadBmpFile(path, out) || ReadJpegFile(path, out))
        return;
    if (slideshows) {
        if (const std::optional<std::string> shown =
                SlideshowPictureAt(path, std::time(nullptr), drawingSize)) {
            LoadPicture(*shown, out, drawingSize, false, desktop);
            return;
        }
    }
    if (!ReadQtPictureFile(path, out, drawingSize, desktop.backdrop))
        throw NoKnownFormat(path);
}

} // namespace

void LoadSourcePicture(const std::string& path, Bitmap& out, PictureSize drawingSize,
                       const DesktopLook& desktop) {
    if (path.empty() && desktop.screen.width > 0 && desktop.screen.height > 0) {
        PaintBackdrop(desktop.backdrop, desktop.screen, out);
        return;
    }
    LoadPicture(path, out, drawingSize, true, desktop);
}

}  // namespace velnora
