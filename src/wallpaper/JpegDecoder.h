// JPEG decoding through libjpeg-turbo, at full size and best quality, straight
// into the 24-bit work format.
#pragma once

#include "Bitmap.h"

#include <string>

// Leaves out untouched when it throws std::runtime_error with "JPEG error #<code>"
// (libjpeg's message code), "Cannot open file \"<path>\". <reason>" or
// "Picture too large: <w> x <h>".
void ReadJpegFile(const std::string& path, Bitmap& out);
