// SPDX-License-Identifier: GPL-3.0-or-later
// What the Windows readers of PNG, GIF, TIFF and WebP share: the limits a
// picture's header is checked against, and the rows of blue, green, red and
// alpha their decoders give, put into the work format over the desktop's
// colours as the Linux build's Qt readers put them.
#pragma once

#include "Backdrop.h"
#include "Bitmap.h"

#include <cstdint>
#include <stdexcept>
#include <string>

namespace velnora {

// A format these readers know, as the user is told its name.
struct PictureFormat {
    const char* shown;
    // How many whole decoded pictures of 32 bits a pixel the decoder may hold
    // at once, as counted for Qt's readers on Linux (a GIF's frame beside its
    // backing store).
    int decodedImages;
};

// The "damaged <format> file" error of the Linux build.
std::runtime_error DamagedPicture(const std::string& path, const PictureFormat& format);

// Throws DamagedPicture for an empty size and PictureTooLarge beyond the
// limits of PictureLimit.h for a file of fileBytes.
void CheckPictureHeader(const std::string& path, const PictureFormat& format, int64_t width,
                        int64_t height, int64_t fileBytes);

// Puts row y of a width x height picture, given as straight (not
// premultiplied) blue, green, red, alpha, into out's row y over the backdrop.
void PutPictureRow(const uint8_t* bgra, const Backdrop& under, int y, Bitmap& out);

}  // namespace velnora
