// SPDX-License-Identifier: GPL-3.0-or-later
// The desktop's monitors as plain rectangles, and the one the calendar goes on.
#pragma once

#include "Placement.h"

#include <string>
#include <vector>

namespace velnora {

// A rectangle in pixels from the top-left corner of the desktop's bounding box (the picture
// that spans all monitors); right and bottom exclusive.
struct PixelRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

struct Monitor {
    PixelRect screen;
    // The part of the screen no panel or dock covers; the whole screen when
    // the desktop does not say.
    PixelRect workArea;
    // The output's name ("HDMI-1"), by which desktops keep its wallpaper.
    std::string name{};
};

// The monitor whose own corner lies nearest the same corner of the desktop's
// bounding box (the first of those at the same distance), in the order given.
// No monitors: one monitor of the whole box.
Monitor MonitorAtCorner(const std::vector<Monitor>& monitors, Corner corner, int desktopWidth,
                        int desktopHeight);

// The monitor as it lies on a picture whose part shown (in the picture's
// pixels) spreads over the whole box: each edge scaled by the same ratio as
// the part's side, then moved to where the part lies.
Monitor MonitorOnPicture(const Monitor& monitor, int desktopWidth, int desktopHeight,
                         const PixelRect& shown);

// The slots placed at the chosen corner of the area (the monitor's screen, or
// its work area when distances count from there), as PlaceCalendar places them
// on a picture of the area's size, then moved to where the area lies.
Placement PlaceCalendarOn(const PixelRect& area, const PlacementChoices& choices,
                          int scalePercent = 100);

}  // namespace velnora
