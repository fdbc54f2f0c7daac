// SPDX-License-Identifier: GPL-3.0-or-later

#include "Placement.h"

#include "WholeNumber.h"

#include <algorithm>
#include <cstdint>

namespace {

// A month's slot is as wide and as high as its grid's outer size (23-pixel
// cells, 1-pixel lines and the grid's border: 190 x 190 at 96 dots per inch).
constexpr int SlotWidth = 190;
constexpr int SlotHeight = 190;

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

Placement PlaceCalendar(int pictureWidth, int pictureHeight, const PlacementChoices& choices) {
    const int64_t dx = StrToInt(choices.dxText);
    const int64_t dy = StrToInt(choices.dyText);

    // No corner button on happens only when the settings file holds a position
    // outside 1 to 4. The calendar then goes where a fresh install puts it, the
    // top right corner, so that switching it on still shows it.
    const Corner corner = choices.corner == Corner::None ? Corner::TopRight : choices.corner;

    // The leftmost slot (the next month's) and the top of all three.
    const int64_t xNext = IsRightCorner(corner) ? pictureWidth - 3 * SlotWidth - dx : dx;
    const int64_t y = IsBottomCorner(corner) ? pictureHeight - SlotHeight - dy : dy;

    int64_t xNow = xNext + SlotWidth;
    Placement place;
    place.xNext = Held(xNext);
    place.xNow = Held(xNow);
    place.xPrev = Held(xNow + SlotWidth);
    place.y = Held(y);

    // A hidden neighbour on the corner's side gives its slot to the months
    // further in, so the calendar keeps its distance from the corner. One on
    // the far side just leaves an empty slot there.
    if (IsRightCorner(corner) && !choices.showPrev) {
        xNow += SlotWidth;
        place.xNow = Held(xNow);
        place.xNext = Held(xNow - SlotWidth);
    } else if (!IsRightCorner(corner) && !choices.showNext) {
        xNow -= SlotWidth;
        place.xNow = Held(xNow);
        place.xPrev = Held(xNow + SlotWidth);
    }
    return place;
}
