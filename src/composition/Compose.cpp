// SPDX-License-Identifier: GPL-3.0-or-later

#include "Compose.h"

#include "Stretch.h"

#include <algorithm>
#include <cmath>

namespace velnora {

namespace {

PixelRect Within(const PixelRect& r, int width, int height) {
    const int left = std::max(r.x, 0), top = std::max(r.y, 0);
    return {left, top, std::min(r.x + r.width, width) - left,
            std::min(r.y + r.height, height) - top};
}

} // namespace

CalendarSpot CalendarSpotOn(const CalendarChoices& choices, int pictureWidth, int pictureHeight) {
    const PixelRect picture{0, 0, pictureWidth, pictureHeight};
    const int width = choices.desktopWidth, height = choices.desktopHeight;
    if (width <= 0 || height <= 0)
        return {picture, choices.scalePercent};
    // A stretched picture is the box; spread over it as any stretch would be.
    const PixelRect shown =
        choices.stretch ? picture
                        : ShownPart(pictureWidth, pictureHeight, width, height, choices.shownAs);
    const Monitor monitor = MonitorOnPicture(
        MonitorAtCorner(choices.monitors, choices.placement.corner, width, height), width, height,
        shown);
    // Where the monitor shows beyond the picture, only the picture can be drawn on.
    const PixelRect area = Within(choices.fromWorkArea ? monitor.workArea : monitor.screen,
                                  pictureWidth, pictureHeight);
    // A desktop that stretches unevenly draws the calendar a little flattened
    // one way: it is sized for the way the picture is shrunk more, and fits.
    const double perScreenPixel = std::min(static_cast<double>(shown.width) / width,
                                           static_cast<double>(shown.height) / height);
    return {area.width > 0 && area.height > 0 ? area : picture,
            std::max(1, static_cast<int>(std::lround(choices.scalePercent * perScreenPixel)))};
}

void ComposeCalendar(Bitmap& bitmap, const CalendarChoices& choices, const MonthGrids& grids,
                     const CanvasFactory& makeCanvas) {
    if (choices.stretch && choices.monitors.size() > 1 && choices.monitorFit)
        SpreadOverMonitors(bitmap, choices.desktopWidth, choices.desktopHeight, choices.monitors,
                           *choices.monitorFit, choices.behind);
    else if (choices.stretch && choices.keepProportions)
        CoverBitmap(bitmap, choices.desktopWidth, choices.desktopHeight);
    else if (choices.stretch)
        StretchBitmap(bitmap, choices.desktopWidth, choices.desktopHeight);
    // Placed on the size after the stretch; a distance that is not a whole
    // number stops the redraw here, before anything is drawn.
    const CalendarSpot spot = CalendarSpotOn(choices, bitmap.Width(), bitmap.Height());
    const Placement place = PlaceCalendarOn(spot.area, choices.placement, spot.scalePercent);
    // Made only now: the stretch replaces the pixel memory a canvas draws on.
    const std::unique_ptr<Canvas> canvas = makeCanvas(bitmap);

    CalendarChoices drawn = choices;
    drawn.scalePercent = spot.scalePercent;
    const auto draw = [&](const MonthGrid& grid, int x) {
        DrawMonth(*canvas, grid, x, place.y, drawn);
    };
    if (choices.placement.showPrev)
        draw(grids.prev, place.xPrev);
    draw(grids.now, place.xNow);
    if (choices.placement.showNext)
        draw(grids.next, place.xNext);
}

}  // namespace velnora
