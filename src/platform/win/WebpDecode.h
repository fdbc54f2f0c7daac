// SPDX-License-Identifier: GPL-3.0-or-later
// WebP through libwebp, the decoder Qt's WebP reader uses on Linux (Windows
// has none of its own before Windows 10's optional extension, nor has Wine).
#pragma once

#include "PictureRows.h"

#include <vector>

namespace velnora {

// Decodes the WebP file data (of path) into out over the backdrop: a still
// picture, or an animation's first frame on its canvas. Throws DamagedPicture
// when libwebp cannot read it and PictureTooLarge beyond the limits.
void DecodeWebp(const std::string& path, const std::vector<uint8_t>& data,
                const PictureFormat& format, Bitmap& out, const Backdrop& under);

}  // namespace velnora
