// SPDX-License-Identifier: GPL-3.0-or-later

#include "Placement.h"

#include "GridGeometry.h"
#include "WholeNumber.h"

#include <algorithm>
#include <cstdint>

namespace velnora {

namespace {

// The distances are any 32-bit value the user typed; positions further out
// than this lie off every picture (sides are at most 65536) and would only
// overflow the pixel arithmetic that follows, so they are held here.
constexpr int64_t FarOff = 1 << 20;

int Held(int64_t position) {
    return static_cast<int>(std::clamp(position, -FarOff, FarOff));
}

bool IsRightCorner(Corner corner) {
    return corner == Corner::TopRight || corner == Corner::BottomRight;
}

bool IsBottomCorner(Corner corner) {
    return corner == Corner::BottomRight || corner == Corner::BottomLeft;
}

} // namespace

Corner CornerOf(int32_t code) {
    return code >= 1 && code <= 4 ? static_cast<Corner>(code) : Corner::None;
}

Placement PlaceCalendar(int pictureWidth, int pictureHeight, const PlacementChoices& choices,
                        int scalePercent) {
    // A month's slot is as wide and as high as its grid's outer size (190 x 190
    // at 100 %).
    const int64_t slot = GridGeometryAt(scalePercent).slot;
    const int64_t dx = Scaled(StrToInt(choices.dxText), scalePercent);
    const int64_t dy = Scaled(StrToInt(choices.dyText), scalePercent);

    // No corner button on happens only when the settings file holds a position
    // outside 1 to 4. The calendar then goes where a fresh install puts it, the
    // top right corner, so that switching it on still shows it.
    const Corner corner = choices.corner == Corner::None ? Corner::TopRight : choices.corner;

    // The leftmost slot (the next month's) and the top of all three.
    const int64_t xNext = IsRightCorner(corner) ? pictureWidth - 3 * slot - dx : dx;
    const int64_t y = IsBottomCorner(corner) ? pictureHeight - slot - dy : dy;

    int64_t xNow = xNext + slot;
    Placement place;
    place.xNext = Held(xNext);
    place.xNow = Held(xNow);
    place.xPrev = Held(xNow + slot);
    place.y = Held(y);

    // A hidden neighbour on the corner's side gives its slot to the months
    // further in, so the calendar keeps its distance from the corner. One on
    // the far side just leaves an empty slot there.
    if (IsRightCorner(corner) && !choices.showPrev) {
        xNow += slot;
        place.xNow = Held(xNow);
        place.xNext = Held(xNow - slot);
    } else if (!IsRightCorner(corner) && !choices.showNext) {
        xNow -= slot;
        place.xNow = Held(xNow);
        place.xPrev = Held(xNow + slot);
    }
    return place;
}

}  // namespace velnora
