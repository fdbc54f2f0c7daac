// SPDX-License-Identifier: GPL-3.0-or-later

#include "GridGeometry.h"

#include <algorithm>

namespace velnora {

namespace {

// The grid control's sizes at 96 dots per inch.
constexpr int CellSize = 23;
constexpr int LineWidth = 1;
constexpr int TitleLine = 23;
constexpr int GridSide = 7;
// Today's frame: a rounded rectangle whose corner ellipse is 20 x 20 pixels.
constexpr int FrameCorner = 20;
// The grids' font: 22 pixels of character cell height (ascent + descent).
constexpr int FontHeight = 22;

} // namespace

int64_t Scaled(int64_t length, int scalePercent) {
    const int64_t product = length * scalePercent;
    return product >= 0 ? (product + 50) / 100 : -((-product + 50) / 100);
}

GridGeometry GridGeometryAt(int scalePercent) {
    const auto scaled = [scalePercent](int length) {
        return static_cast<int>(Scaled(length, scalePercent));
    };
    GridGeometry geometry{};
    geometry.cell = scaled(CellSize);
    geometry.pitch = scaled(CellSize + LineWidth);
    geometry.titleLine = scaled(TitleLine);
    // The cells span seven pitches less the line after the last cell.
    geometry.slot =
        geometry.titleLine + GridSide * geometry.pitch - (geometry.pitch - geometry.cell);
    geometry.frameCorner = scaled(FrameCorner);
    geometry.fontHeight = scaled(FontHeight);
    geometry.line = std::max(1, scaled(LineWidth));
    return geometry;
}

}  // namespace velnora
