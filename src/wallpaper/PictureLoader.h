// Loading the source picture: as BMP first, else as JPEG through libjpeg-turbo.
#pragma once

#include "Bitmap.h"

#include <string>

// Pictures above this many pixels are refused before pixel memory is taken.
// TODO(picture pipeline): choose and document the limit.
// Throws std::runtime_error with "JPEG error #<code>", "Cannot open file \"<path>\". <reason>"
// or "Picture too large: <w> x <h>".
void LoadSourcePicture(const std::string& path, Bitmap& out);
