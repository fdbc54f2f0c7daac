// The largest picture the program takes on as a source, checked from a file's
// header before any pixel memory is taken.
#pragma once

#include "Bitmap.h"

#include <cstdint>
#include <stdexcept>
#include <string>

// 2^28 pixels (for example 16384 x 16384): 768 MiB in the 24-bit work format,
// plus up to 1 GiB more while a decoder holds the picture in its own 32-bit
// form. That is well above any camera (a 100-megapixel sensor is 2^26.6) or
// desktop (8K is 2^25) and still fits the memory of an ordinary machine.
constexpr int64_t MaxPicturePixels = int64_t{1} << 28;

// Throws std::runtime_error("Picture too large: <w> x <h>") when either side is
// above Bitmap::MaxSide or the picture has more than MaxPicturePixels pixels.
inline void CheckPictureSize(int64_t width, int64_t height) {
    if (width > Bitmap::MaxSide || height > Bitmap::MaxSide || width * height > MaxPicturePixels)
        throw std::runtime_error("Picture too large: " + std::to_string(width) + " x " +
                                 std::to_string(height));
}
