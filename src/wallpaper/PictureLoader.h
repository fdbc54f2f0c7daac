// Loading the source picture: as BMP first, else as JPEG through libjpeg-turbo.
#pragma once

#include "Bitmap.h"

#include <string>

// Pictures above MaxPicturePixels (PictureLimit.h) are refused from their
// header, before pixel memory is taken. out is left untouched on failure.
// Throws std::runtime_error with "JPEG error #<code>", "Cannot open file \"<path>\". <reason>"
// or "Picture too large: <w> x <h>".
void LoadSourcePicture(const std::string& path, Bitmap& out);
