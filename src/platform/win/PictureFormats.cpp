// SPDX-License-Identifier: GPL-3.0-or-later
// The readers the Linux build has beyond BMP and JPEG, as Windows has them:
// PNG, GIF (its first frame) and TIFF (its first page) through the Windows
// Imaging Component, WebP through libwebp, each known by its first bytes and
// with the Linux build's limits and messages. SVG is not read (Windows has no
// SVG renderer to draw it with), and Windows has no GNOME slideshows or KDE
// wallpaper packages: such a file gets the message of an unknown format.

#include "BackgroundSlideshow.h"
#include "FileOpen.h"
#include "QtPictureFile.h"
#include "WallpaperPackage.h"
#include "WebpDecode.h"
#include "WicDecode.h"

#include <algorithm>
#include <cstdio>
#include <memory>
#include <string_view>
#include <vector>

#include <windows.h>
#include <wincodec.h>

namespace velnora {

namespace {

struct WicFormat {
    std::string_view mark; // the file's first bytes
    const GUID& container;
    PictureFormat format;
};

const WicFormat WicFormats[] = {
    {{"\x89PNG\r\n\x1a\n", 8}, GUID_ContainerFormatPng, {"PNG", 1}},
    {"GIF87a", GUID_ContainerFormatGif, {"GIF", 2}},
    {"GIF89a", GUID_ContainerFormatGif, {"GIF", 2}},
    {{"II*\0", 4}, GUID_ContainerFormatTiff, {"TIFF", 1}},
    {{"MM\0*", 4}, GUID_ContainerFormatTiff, {"TIFF", 1}},
};

constexpr PictureFormat WebpFormat{"WebP", 1};

// "RIFF", the size of the rest, "WEBP".
bool IsWebp(std::string_view head) {
    return head.size() >= 12 && head.substr(0, 4) == "RIFF" && head.substr(8, 4) == "WEBP";
}

} // namespace

bool ReadQtPictureFile(const std::string& path, Bitmap& out, PictureSize, const Backdrop& under) {
    const std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(OpenForReading(path), std::fclose);
    if (!file)
        return false;
    char first[12];
    const std::string_view head(first, std::fread(first, 1, sizeof first, file.get()));
    const int64_t fileBytes = std::max(0LL, OpenFileSize(file.get()));
    if (IsWebp(head)) {
        // libwebp decodes from memory, as Qt's reader gives it the whole file.
        std::vector<uint8_t> data(static_cast<std::size_t>(fileBytes));
        std::copy(head.begin(), head.end(), data.begin());
        if (std::fread(data.data() + head.size(), 1, data.size() - head.size(), file.get()) !=
            data.size() - head.size())
            throw DamagedPicture(path, WebpFormat);
        DecodeWebp(path, data, WebpFormat, out, under);
        return true;
    }
    for (const WicFormat& known : WicFormats)
        if (head.substr(0, known.mark.size()) == known.mark) {
            DecodeWicFile(path, fileBytes, known.container, known.format, out, under);
            return true;
        }
    return false;
}

std::optional<std::string> SlideshowPictureAt(const std::string&, std::time_t, PictureSize) {
    return std::nullopt;
}

std::optional<std::string> PackagePictureFor(const std::string&, PictureSize) {
    return std::nullopt;
}

}  // namespace velnora
