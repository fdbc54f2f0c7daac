// SPDX-License-Identifier: GPL-3.0-or-later

#include "Stretch.h"

#include <algorithm>
#include <cstdint>
#include <stdexcept>
#include <string>

#include "PictureLimit.h"
#include "StretchRows.h"

namespace velnora {

namespace {

std::string SizeText(int width, int height) {
    return std::to_string(width) + " x " + std::to_string(height);
}

// The steps divide by the new sides, and (side - 1) * 32768 must fit in a
// signed 32-bit number: sides outside 1..65536 cannot be computed.
void CheckStretchSizes(const Bitmap& bitmap, int newWidth, int newHeight) {
    if (bitmap.Empty())
        throw std::runtime_error("Cannot stretch an empty picture");
    if (bitmap.Width() > Bitmap::MaxSide || bitmap.Height() > Bitmap::MaxSide)
        throw std::runtime_error("Cannot stretch a picture of " +
                                 SizeText(bitmap.Width(), bitmap.Height()) +
                                 " pixels: a side may be at most 65536 pixels");
    if (newWidth < 1 || newHeight < 1 || newWidth > Bitmap::MaxSide || newHeight > Bitmap::MaxSide)
        throw std::runtime_error("Cannot stretch a picture to " + SizeText(newWidth, newHeight) +
                                 " pixels: each side must be from 1 to 65536 pixels");
    // The same limit as for a source picture: no result the program would
    // refuse to load.
    CheckPictureSize(newWidth, newHeight);
}

} // namespace

void StretchBitmapReference(Bitmap& bitmap, int newWidth, int newHeight) {
    CheckStretchSizes(bitmap, newWidth, newHeight);
    // Taken first, so that a refused allocation leaves the picture as it was.
    // The old pixels then serve as the source: no copy is needed.
    Bitmap result(newWidth, newHeight);
    const Bitmap& source = bitmap;
    const int sw = source.Width();
    const int sh = source.Height();
    const int32_t xstep = static_cast<int32_t>((sw - 1) * 32768) / newWidth;
    const int32_t ystep = static_cast<int32_t>((sh - 1) * 32768) / newHeight;
    const std::size_t rowBytes = static_cast<std::size_t>(newWidth) * 3;

    uint32_t sy = 0;
    for (int y = 0; y < newHeight; ++y) {
        const uint32_t y0 = sy >> 15;
        const uint32_t y1 = y0 < static_cast<uint32_t>(sh - 1) ? y0 + 1 : y0;
        const uint32_t fy = sy & 0x7FFF;
        const uint32_t gy = 32768 - fy;
        const uint8_t* upper = source.Row(static_cast<int>(y0));
        const uint8_t* lower = source.Row(static_cast<int>(y1));
        uint8_t* out = result.Row(y);
        uint32_t sx = 0;
        for (int x = 0; x < newWidth; ++x) {
            const uint32_t x0 = sx >> 15;
            const uint32_t x1 = x0 < static_cast<uint32_t>(sw - 1) ? x0 + 1 : x0;
            const uint32_t fx = sx & 0x7FFF;
            const uint32_t wTR = (fx * gy) >> 15;
            const uint32_t wTL = gy - wTR;
            const uint32_t wBR = (fx * fy) >> 15;
            const uint32_t wBL = fy - wBR;
            for (int c = 0; c < 3; ++c) {
                const uint32_t value = (upper[3 * x0 + c] * wTL + upper[3 * x1 + c] * wTR +
                                        lower[3 * x0 + c] * wBL + lower[3 * x1 + c] * wBR) >>
                                       15;
                out[3 * x + c] = static_cast<uint8_t>(value);
            }
            sx += xstep;
        }
        for (std::size_t i = rowBytes; i < result.Stride(); ++i)
            out[i] = 0;
        sy += ystep;
    }
    bitmap.Swap(result);
}

bool StretchPathSupported(StretchPath path) {
    switch (path) {
    case StretchPath::Scalar:
        return true;
#if defined(__x86_64__) || defined(__i386__)
    case StretchPath::Sse2:
        return __builtin_cpu_supports("sse2");
    case StretchPath::Ssse3:
        return __builtin_cpu_supports("ssse3");
    case StretchPath::Avx2:
        return __builtin_cpu_supports("avx2");
#endif
    default:
        return false;
    }
}

namespace {

StretchPath BestStretchPath() {
    static const StretchPath best = [] {
        for (StretchPath path : {StretchPath::Avx2, StretchPath::Ssse3, StretchPath::Sse2})
            if (StretchPathSupported(path))
                return path;
        return StretchPath::Scalar;
    }();
    return best;
}

// Stretches the region of the bitmap to the new size on one path; the bitmap
// becomes the result. The path and the sizes are checked already.
void StretchRegionUsing(StretchPath path, Bitmap& bitmap, const SourceRegion& region,
                        int newWidth, int newHeight) {
    WindowGathers gathers;
    BlendRowFunction blend = BlendRowScalar;
#if defined(__x86_64__) || defined(__i386__)
    switch (path) {
    case StretchPath::Scalar:
        break;
    case StretchPath::Sse2:
        blend = BlendRowSse2;
        break;
    case StretchPath::Ssse3:
        gathers = {GatherRow8Ssse3, GatherRow4Ssse3};
        blend = BlendRowSse2;
        break;
    case StretchPath::Avx2:
        gathers = {GatherRow8Avx2, GatherRow4Avx2};
        blend = BlendRowAvx2;
        break;
    }
#endif
    if (newWidth == bitmap.Width() && newHeight == bitmap.Height() &&
        region.width == newWidth && region.height == newHeight) {
        // Rows are gathered before they are overwritten: no second picture,
        // and no fresh memory to fault in.
        StretchRows(region, bitmap, gathers, blend);
        return;
    }
    // Taken first, so that a refused allocation leaves the picture as it was;
    // the old pixels then serve as the source without being copied.
    Bitmap result(newWidth, newHeight);
    StretchRows(region, result, gathers, blend);
    bitmap.Swap(result);
}

} // namespace

void StretchBitmapUsing(StretchPath path, Bitmap& bitmap, int newWidth, int newHeight) {
    if (!StretchPathSupported(path))
        throw std::runtime_error("This processor cannot run the chosen stretch");
    CheckStretchSizes(bitmap, newWidth, newHeight);
    StretchRegionUsing(path, bitmap, SourceRegion::Whole(bitmap), newWidth, newHeight);
}

CropRegion CoverCrop(int width, int height, int newWidth, int newHeight) {
    // Compared and divided in 64 bits: sides up to 65536 multiply past 32.
    const int64_t wide = int64_t{width} * newHeight;
    const int64_t tall = int64_t{height} * newWidth;
    CropRegion crop{0, 0, width, height};
    // The kept side is rounded to the nearest pixel, and never below one.
    if (wide > tall)
        crop.width = std::max<int64_t>(1, (2 * int64_t{height} * newWidth + newHeight) /
                                              (2 * int64_t{newHeight}));
    else if (tall > wide)
        crop.height = std::max<int64_t>(1, (2 * int64_t{width} * newHeight + newWidth) /
                                               (2 * int64_t{newWidth}));
    crop.left = (width - crop.width) / 2;
    crop.top = (height - crop.height) / 2;
    return crop;
}

void CoverBitmapUsing(StretchPath path, Bitmap& bitmap, int newWidth, int newHeight) {
    if (!StretchPathSupported(path))
        throw std::runtime_error("This processor cannot run the chosen stretch");
    CheckStretchSizes(bitmap, newWidth, newHeight);
    const CropRegion crop = CoverCrop(bitmap.Width(), bitmap.Height(), newWidth, newHeight);
    StretchRegionUsing(path, bitmap, {&bitmap, crop.left, crop.top, crop.width, crop.height},
                       newWidth, newHeight);
}

void CoverBitmap(Bitmap& bitmap, int newWidth, int newHeight) {
    CoverBitmapUsing(BestStretchPath(), bitmap, newWidth, newHeight);
}

void StretchBitmap(Bitmap& bitmap, int newWidth, int newHeight) {
    StretchBitmapUsing(BestStretchPath(), bitmap, newWidth, newHeight);
}

}  // namespace velnora
