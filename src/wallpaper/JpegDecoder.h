// SPDX-License-Identifier: GPL-3.0-or-later
// JPEG decoding through libjpeg-turbo, at full size and best quality, straight
// into the 24-bit work format.
#pragma once

#include "Bitmap.h"

#include <string>

namespace velnora {

// Returns false when the file does not start as a JPEG (libjpeg's JERR_NO_SOI,
// "JPEG error #53"). Leaves out untouched when it returns false or throws
// std::runtime_error with "JPEG error #<code>" (libjpeg's message code),
// "Cannot open file \"<path>\". <reason>", "Picture too large: <w> x <h>"
// (above the size or memory limits of PictureLimit.h) or
// "Cannot read picture \"<path>\": a JPEG of more than 100 scans".
bool ReadJpegFile(const std::string& path, Bitmap& out);

}  // namespace velnora
