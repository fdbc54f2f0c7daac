// SPDX-License-Identifier: GPL-3.0-or-later

#include "Compose.h"

#include "Stretch.h"

namespace velnora {

PixelRect CalendarArea(const CalendarChoices& choices, int pictureWidth, int pictureHeight) {
    if (choices.monitors.empty() || choices.desktopWidth <= 0 || choices.desktopHeight <= 0)
        return {0, 0, pictureWidth, pictureHeight};
    const Monitor monitor =
        MonitorOnPicture(MonitorAtCorner(choices.monitors, choices.placement.corner,
                                         choices.desktopWidth, choices.desktopHeight),
                         choices.desktopWidth, choices.desktopHeight, pictureWidth, pictureHeight);
    return choices.fromWorkArea ? monitor.workArea : monitor.screen;
}

void ComposeCalendar(Bitmap& bitmap, const CalendarChoices& choices, const MonthGrids& grids,
                     const CanvasFactory& makeCanvas) {
    if (choices.stretch && choices.monitors.size() > 1 && choices.monitorFit)
        SpreadOverMonitors(bitmap, choices.desktopWidth, choices.desktopHeight, choices.monitors,
                           *choices.monitorFit);
    else if (choices.stretch && choices.keepProportions)
        CoverBitmap(bitmap, choices.desktopWidth, choices.desktopHeight);
    else if (choices.stretch)
        StretchBitmap(bitmap, choices.desktopWidth, choices.desktopHeight);
    // Placed on the size after the stretch; a distance that is not a whole
    // number stops the redraw here, before anything is drawn.
    const Placement place =
        PlaceCalendarOn(CalendarArea(choices, bitmap.Width(), bitmap.Height()), choices.placement,
                        choices.scalePercent);
    // Made only now: the stretch replaces the pixel memory a canvas draws on.
    const std::unique_ptr<Canvas> canvas = makeCanvas(bitmap);

    const auto draw = [&](const MonthGrid& grid, int x) {
        DrawMonth(*canvas, grid, x, place.y, choices);
    };
    if (choices.placement.showPrev)
        draw(grids.prev, place.xPrev);
    draw(grids.now, place.xNow);
    if (choices.placement.showNext)
        draw(grids.next, place.xNext);
}

}  // namespace velnora
