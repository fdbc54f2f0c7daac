// SPDX-License-Identifier: GPL-3.0-or-later
// The middle of a redraw: the optional stretch, the placement and the drawing
// of the months onto the work bitmap. No window, no files.
#pragma once

#include "Bitmap.h"
#include "Canvas.h"
#include "MonthGrid.h"
#include "Placement.h"

#include <cstdint>
#include <functional>
#include <memory>

struct CalendarChoices {
    bool stretch = true;
    int desktopWidth = 0; // used only when stretch is on
    int desktopHeight = 0;
    PlacementChoices placement;
    uint32_t textColour = 0x000000;  // ccBack
    uint32_t todayColour = 0x0000FF; // ccToday
};

// Draws one grid and its title with the top-left corner of its slot at (x, y).
void DrawMonth(Canvas& canvas, const MonthGrid& grid, int x, int y, uint32_t textColour,
               uint32_t todayColour);

// A canvas drawing on the given bitmap (made after the stretch, which moves the pixels).
using CanvasFactory = std::function<std::unique_ptr<Canvas>(Bitmap&)>;

void ComposeCalendar(Bitmap& bitmap, const CalendarChoices& choices, const MonthGrids& grids,
                     const CanvasFactory& makeCanvas);
