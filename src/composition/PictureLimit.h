// SPDX-License-Identifier: GPL-3.0-or-later
// The largest picture the program takes on as a source, and the memory a
// decoder may take for one, both checked from a file's header before any pixel
// memory is taken.
#pragma once

#include "Bitmap.h"

#include <cstdint>
#include <stdexcept>
#include <string>

namespace velnora {

// 2^28 pixels (for example 16384 x 16384): 768 MiB in the 24-bit work format.
// That is well above any camera (a 100-megapixel sensor is 2^26.6) or desktop
// (8K is 2^25) and still fits the memory of an ordinary machine.
constexpr int64_t MaxPicturePixels = int64_t{1} << 28;

// A load may make the program's peak memory at most 2.5 times the bytes of the
// picture it makes plus 100 MB: room for one decoder buffer of up to one and a
// half times the picture beside the picture itself, and never gigabytes for a
// file of a few bytes that claims a huge picture.
constexpr int64_t BudgetSlackBytes = 100'000'000;
// What the program holds before any picture: velnora-cli render of a tiny
// picture peaks at 25 MB (Qt, fonts, the calendar's drawing); the rest is room
// for Qt's image plugins and their libraries.
constexpr int64_t ProgramBytes = 40'000'000;

// The size a picture is drawn at; 0 x 0 where no size is asked for.
struct PictureSize {
    int width = 0;
    int height = 0;
    // A drawing keeps its own proportions and covers the size (it is cropped
    // to it later, see CoverBitmap) rather than being drawn at the size exactly.
    bool keepProportions = false;
};

inline std::runtime_error PictureTooLarge(int64_t width, int64_t height) {
    return std::runtime_error("Picture too large: " + std::to_string(width) + " x " +
                              std::to_string(height));
}

// Throws PictureTooLarge when either side is above Bitmap::MaxSide or the
// picture has more than MaxPicturePixels pixels.
inline void CheckPictureSize(int64_t width, int64_t height) {
    if (width > Bitmap::MaxSide || height > Bitmap::MaxSide || width * height > MaxPicturePixels)
        throw PictureTooLarge(width, height);
}

// Decoding takes time in proportion to the pixels it makes, and a small file
// can claim many: a PNG's deflate data expands up to 1032 times, a BMP's run
// lengths or a drawing without bound. A file makes at most WorkPixelsPerByte
// pixels for each byte it holds, or WorkPixels whatever its size: 2^25 is an
// 8K screen (7680 x 4320) with room to spare, and so every file under 1 MiB is
// decoded or refused within 2 s of processor time (velnora-cli stretch on
// the development machine: a 2^25-pixel PNG bomb of 96 KB in 0.8 s, a
// run-length BMP of 1 KB claiming as much in 0.2 s).
constexpr int64_t WorkPixels = int64_t{1} << 25;
constexpr int64_t WorkPixelsPerByte = WorkPixels >> 20;

// Throws PictureTooLarge when a file of fileBytes claims more pixels than that.
inline void CheckPictureWork(int64_t width, int64_t height, int64_t fileBytes) {
    if (width * height > WorkPixels && width * height > fileBytes * WorkPixelsPerByte)
        throw PictureTooLarge(width, height);
}

// Why a path that names no regular file is not read as a picture: a FIFO or a
// device would hold a reader for ever or feed it without end.
inline constexpr const char* NotRegularFile = "Not a regular file";

// The bytes of a width x height picture in the work format.
inline int64_t PictureBytes(int64_t width, int64_t height) {
    return static_cast<int64_t>(Bitmap::StrideFor(static_cast<int>(width))) * height;
}

// CheckPictureSize, and throws PictureTooLarge when a decoder that holds
// decoderBytes beside the finished picture would take the program past its
// budget.
inline void CheckPictureMemory(int64_t width, int64_t height, int64_t decoderBytes) {
    CheckPictureSize(width, height);
    const int64_t picture = PictureBytes(width, height);
    if (ProgramBytes + picture + decoderBytes > picture * 5 / 2 + BudgetSlackBytes)
        throw PictureTooLarge(width, height);
}

}  // namespace velnora
