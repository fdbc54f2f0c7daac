// SPDX-License-Identifier: GPL-3.0-or-later
// The source picture formats read through Qt's image plugins, recognised by
// their content: PNG, WebP, TIFF, GIF (its first frame) and SVG (svgz too).
#pragma once

#include "Backdrop.h"
#include "Bitmap.h"
#include "PictureLimit.h"

#include <string>

namespace velnora {

// Returns false, leaving out untouched, when none of these readers recognises
// the file (or it cannot be opened). A drawing (SVG) is rendered at
// drawingSize (in its own proportions, covering it, when the size asks so),
// or at its own size when that is 0 x 0; transparent parts come
// out as drawn over the backdrop (black unless given), as the desktop shows
// them. Throws std::runtime_error with "Picture too large: <w> x <h>" (above
// the size, memory or work limits of PictureLimit.h), "Cannot read picture
// \"<path>\": an SVG drawing that takes too long to draw" (drawn by a child
// process with a second of processor time) or "Cannot read picture
// \"<path>\": damaged <format> file" when a reader recognises the file but
// cannot decode it.
bool ReadQtPictureFile(const std::string& path, Bitmap& out, PictureSize drawingSize,
                       const Backdrop& under = {});

}  // namespace velnora
