// SPDX-License-Identifier: GPL-3.0-or-later
// The lengths of a month's grid on the picture, at a scale.
#pragma once

#include <cstdint>

namespace velnora {

// A length of the design (pixels at 96 dots per inch) at a scale in percent,
// rounded to the nearest pixel, halves away from zero: at 100 it is the length.
int64_t Scaled(int64_t length, int scalePercent);

struct GridGeometry {
    int cell;        // side of a cell
    int pitch;       // a cell and the line after it
    int titleLine;   // height of the title above the cells
    int slot;        // side of a month's slot: the title line and the 7 x 7 cells
    int frameCorner; // the corner ellipse of today's frame
    int fontHeight;  // character cell height (ascent + descent) of the grid font
    int line;        // width of a drawn line: today's frame, the text's halo
};

// At 100: 23-pixel cells with 1-pixel lines between them, below a title line
// of 23 pixels, so a slot of 190 x 190 (the grid control's outer size); a
// 20 x 20 corner ellipse; a font cell of 22 pixels.
GridGeometry GridGeometryAt(int scalePercent);

}  // namespace velnora
