// Bilinear resize in 15-bit fixed point: every output byte follows the one rule
// of StretchBitmapReference; the fast versions give the same bytes.
#pragma once

#include "Bitmap.h"

// Resizes in place. Throws std::runtime_error for a new side below 1 or above
// 65536, or an empty source.
void StretchBitmap(Bitmap& bitmap, int newWidth, int newHeight);
// The plain scalar rule, kept as the reference the fast paths are tested against.
void StretchBitmapReference(Bitmap& bitmap, int newWidth, int newHeight);
