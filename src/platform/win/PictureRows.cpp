// SPDX-License-Identifier: GPL-3.0-or-later

#include "PictureRows.h"

#include "PictureLimit.h"

#include <cstring>
#include <vector>

namespace velnora {

std::runtime_error DamagedPicture(const std::string& path, const PictureFormat& format) {
    return std::runtime_error("Cannot read picture \"" + path + "\": damaged " + format.shown +
                              " file");
}

void CheckPictureHeader(const std::string& path, const PictureFormat& format, int64_t width,
                        int64_t height, int64_t fileBytes) {
    if (width < 1 || height < 1)
        throw DamagedPicture(path, format);
    CheckPictureMemory(width, height, width * 4 * height * format.decodedImages);
    CheckPictureWork(width, height, fileBytes);
}

void PutPictureRow(const uint8_t* bgra, const Backdrop& under, int y, Bitmap& out) {
    const int width = out.Width();
    std::vector<uint8_t> backdrop(static_cast<std::size_t>(width) * 3);
    BackdropRow(under, width, out.Height(), y, backdrop.data());
    uint8_t* to = out.Row(y);
    // Qt makes the colours premultiplied first (c * a / 255, rounded), then
    // adds what the backdrop gives through (b * (255 - a) / 255, rounded):
    // the same steps give the Linux build's bytes.
    for (int x = 0; x < width; ++x, bgra += 4) {
        const int alpha = bgra[3];
        for (int c = 0; c < 3; ++c, ++to)
            *to = static_cast<uint8_t>((bgra[c] * alpha + 127) / 255 +
                                       (backdrop[3 * x + c] * (255 - alpha) + 127) / 255);
    }
    std::memset(to, 0, out.Stride() - static_cast<std::size_t>(width) * 3);
}

}  // namespace velnora
