// SPDX-License-Identifier: GPL-3.0-or-later

#include "Monitors.h"

#include <cstdint>
#include <cstdlib>
#include <limits>

namespace velnora {

namespace {

bool OnTheRight(Corner corner) {
    // No corner button on is placed as at the top right (PlaceCalendar).
    return corner == Corner::TopRight || corner == Corner::BottomRight || corner == Corner::None;
}

bool AtTheBottom(Corner corner) {
    return corner == Corner::BottomRight || corner == Corner::BottomLeft;
}

int Scaled(int length, int to, int from) {
    return from == 0 ? length : static_cast<int>(int64_t{length} * to / from);
}

PixelRect ScaledRectangle(const PixelRect& r, int desktopWidth, int desktopHeight,
                          const PixelRect& shown) {
    // Both edges are scaled, so that neighbouring monitors stay edge to edge.
    const int left = Scaled(r.x, shown.width, desktopWidth);
    const int top = Scaled(r.y, shown.height, desktopHeight);
    return {shown.x + left, shown.y + top, Scaled(r.x + r.width, shown.width, desktopWidth) - left,
            Scaled(r.y + r.height, shown.height, desktopHeight) - top};
}

} // namespace

Monitor MonitorAtCorner(const std::vector<Monitor>& monitors, Corner corner, int desktopWidth,
                        int desktopHeight) {
    if (monitors.empty()) {
        const PixelRect whole{0, 0, desktopWidth, desktopHeight};
        return {whole, whole};
    }
    const bool right = OnTheRight(corner);
    const bool bottom = AtTheBottom(corner);
    const int64_t cornerX = right ? desktopWidth : 0;
    const int64_t cornerY = bottom ? desktopHeight : 0;
    const Monitor* nearest = &monitors.front();
    int64_t least = std::numeric_limits<int64_t>::max();
    for (const Monitor& monitor : monitors) {
        const PixelRect& s = monitor.screen;
        const int64_t x = right ? int64_t{s.x} + s.width : s.x;
        const int64_t y = bottom ? int64_t{s.y} + s.height : s.y;
        const int64_t distance = (x - cornerX) * (x - cornerX) + (y - cornerY) * (y - cornerY);
        if (distance < least) {
            least = distance;
            nearest = &monitor;
        }
    }
    return *nearest;
}

Monitor MonitorOnPicture(const Monitor& monitor, int desktopWidth, int desktopHeight,
                         const PixelRect& shown) {
    return {ScaledRectangle(monitor.screen, desktopWidth, desktopHeight, shown),
            ScaledRectangle(monitor.workArea, desktopWidth, desktopHeight, shown)};
}

Placement PlaceCalendarOn(const PixelRect& area, const PlacementChoices& choices,
                          int scalePercent) {
    Placement place = PlaceCalendar(area.width, area.height, choices, scalePercent);
    place.xPrev += area.x;
    place.xNow += area.x;
    place.xNext += area.x;
    place.y += area.y;
    return place;
}

}  // namespace velnora
