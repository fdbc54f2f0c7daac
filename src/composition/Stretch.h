// SPDX-License-Identifier: GPL-3.0-or-later
// Bilinear resize in 15-bit fixed point: every output byte follows the one rule
// of StretchBitmapReference; the fast versions give the same bytes.
#pragma once

#include "Bitmap.h"

namespace velnora {

// Resizes in place, on the calling thread, with the fastest instruction set the
// processor has. Throws std::runtime_error for a new side below 1 or above
// 65536, a source side above 65536, or an empty source, and
// "Picture too large: <w> x <h>" for a result above MaxPicturePixels
// (PictureLimit.h); the bitmap is then left as it was.
void StretchBitmap(Bitmap& bitmap, int newWidth, int newHeight);
// The plain scalar rule, kept as the reference the fast paths are tested against.
void StretchBitmapReference(Bitmap& bitmap, int newWidth, int newHeight);

// The centred part of a width x height picture that has the shape of newWidth
// x newHeight: what a desktop's zoom (fill) shows when it scales a picture to
// cover the screen and crops the rest. The whole picture when the shapes agree.
struct CropRegion {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};
CropRegion CoverCrop(int width, int height, int newWidth, int newHeight);

// Resizes in place keeping the picture's proportions: the CoverCrop part is
// stretched to the new size by the rule of StretchBitmap, so a picture of the
// new shape gives the very bytes StretchBitmap gives. Throws as StretchBitmap.
void CoverBitmap(Bitmap& bitmap, int newWidth, int newHeight);

// The instruction sets the fast stretch can use; Scalar runs everywhere.
enum class StretchPath { Scalar, Sse2, Ssse3, Avx2 };
bool StretchPathSupported(StretchPath path);
// StretchBitmap on one chosen path, so that tests and the benchmark can compare
// every path the machine has. Throws std::runtime_error for an unsupported path.
void StretchBitmapUsing(StretchPath path, Bitmap& bitmap, int newWidth, int newHeight);
void CoverBitmapUsing(StretchPath path, Bitmap& bitmap, int newWidth, int newHeight);

}  // namespace velnora
