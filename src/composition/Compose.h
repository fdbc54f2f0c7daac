// SPDX-License-Identifier: GPL-3.0-or-later
// The middle of a redraw: the optional stretch, the placement and the drawing
// of the months onto the work bitmap. No window, no files.
#pragma once

#include "Bitmap.h"
#include "Canvas.h"
#include "Monitors.h"
#include "SpreadOverMonitors.h"
#include "MonthGrid.h"
#include "Placement.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace velnora {

// A halo around every text, so that the calendar stays readable on any picture.
struct TextOutline {
    enum class Kind { None, Auto, Colour };
    Kind kind = Kind::None;
    Colour colour; // for Kind::Colour

    bool operator==(const TextOutline&) const = default;
};

// The dates of the other calendars in small print in each day's cell, and
// their months under each title.
enum class OtherDates { None, Gregorian, GregorianAndLunar };

struct CalendarChoices {
    bool stretch = true;
    // With stretch on: scale to cover the desktop and crop the rest, centred
    // (the desktops' zoom), rather than stretch to its exact size.
    bool keepProportions = true;
    int desktopWidth = 0; // used only when stretch is on
    int desktopHeight = 0;
    // The monitors on the desktop's bounding box of desktopWidth x
    // desktopHeight; none: the picture is one monitor. The calendar goes on the
    // one at the chosen corner (MonitorAtCorner), never into a part of the box
    // no monitor shows.
    std::vector<Monitor> monitors;
    // How the desktop showed the source on each monitor, for a stretch onto
    // more than one: each monitor's region then shows it so again. None: the
    // source is stretched over the whole box, as the desktop spans it.
    std::optional<MonitorFit> monitorFit;
    // What the desktop paints around a picture it fits or centres on a
    // monitor, for that spread.
    Colour behind{0x000000};
    // With stretch off: how the desktop shows the picture over its box (the
    // layout the desktop gives the program's own picture). The calendar goes
    // in the part shown, at the screen's scale, so that it is seen whole and
    // at its size; a picture of the box's size is drawn on as it is.
    MonitorFit shownAs = MonitorFit::TopLeft;
    // The distances count from the edge of that monitor's work area, so that
    // panels do not cover the calendar; where no panel lies along the corner's
    // edges that edge is the screen's.
    bool fromWorkArea = true;
    PlacementChoices placement;
    Colour textColour{0x000000};  // ccBack
    Colour todayColour{0x0000FF}; // ccToday
    // Fridays and the official holidays, solar and lunar; none: drawn as
    // every other day.
    std::optional<Colour> holidayColour;
    OtherDates otherDates = OtherDates::None;
    TextOutline outline;
    // Every length of the placement and the drawing, in percent: 100 draws the
    // calendar as designed for 96 dots per inch; 100 to 400.
    int scalePercent = 100;
};

// Relative luminance of a colour, from 0 (black) to 1 (white): the
// sRGB definition WCAG 2 uses for contrast ratios.
double RelativeLuminance(Colour colour);

// The halo's colour around a text of the given colour, if any: Auto is black or
// white, whichever contrasts more with the text.
std::optional<Colour> OutlineColourFor(const TextOutline& outline, Colour textColour);

// Draws one grid and its title with the top-left corner of its slot at (x, y),
// in the colours, outline and scale of the choices.
void DrawMonth(Canvas& canvas, const MonthGrid& grid, int x, int y, const CalendarChoices& choices);

// Where on a picture of the given size the calendar is placed: the monitor at
// the chosen corner (or its work area) as it lies on the part of the picture
// the desktop shows, within the picture; the whole picture when the desktop's
// size is not known. And the scale it is drawn at there: the chosen one times
// the picture's pixels per screen pixel.
struct CalendarSpot {
    PixelRect area;
    int scalePercent = 100;
};
CalendarSpot CalendarSpotOn(const CalendarChoices& choices, int pictureWidth, int pictureHeight);

// A canvas drawing on the given bitmap (made after the stretch, which moves the pixels).
using CanvasFactory = std::function<std::unique_ptr<Canvas>(Bitmap&)>;

void ComposeCalendar(Bitmap& bitmap, const CalendarChoices& choices, const MonthGrids& grids,
                     const CanvasFactory& makeCanvas);

}  // namespace velnora
