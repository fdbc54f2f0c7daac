// SPDX-License-Identifier: GPL-3.0-or-later
// The one mapping from the user's choices to a drawing: what the window's
// controls make of the stored settings, their limits and codes, and the
// picture choices a redraw takes. The window, the unattended run and
// velnora-cli render all go through it.
#pragma once

#include "MonthGrid.h"
#include "PersianDate.h"
#include "Settings.h"
#include "Wallpaper.h"

#include <cstdint>
#include <optional>

namespace velnora {

// The range of the distance fields' spin arrows, in pixels from the screen's
// edge: the window's design.
inline constexpr int LeastDistance = 0;
inline constexpr int MostDistance = 100;
// A spin position as the field shows it once the window is shown: the
// control keeps a signed 16-bit position and writes it limited to its range.
int32_t ShownDistance(int32_t position);

// The settings as the window's controls hold them once it is shown: each
// distance is ShownDistance written as decimal, a corner code outside 1..4
// becomes 0, and of the two picture sources the current wallpaper wins when
// both are on (one group of radio buttons, the current wallpaper set last).
// The path is kept as read; saving empties one that names no file.
Settings AsTheWindowHoldsThem(const Settings& stored);

// The choices of the options window (calendar rule, scale, text outline,
// holiday colour, the picture's proportions) as its controls hold them.
struct WindowOptions {
    // The percentages calendar/scale allows; 100 draws as designed.
    static constexpr int MinimumScale = LeastScalePercent;
    static constexpr int MaximumScale = MostScalePercent;
    PersianDate::CalendarRule rule = PersianDate::CalendarRule::Arithmetic;
    std::optional<int> scale; // a percentage, 100..400; none for "auto"
    TextOutline outline;
    std::optional<Colour> holiday; // none for no holiday colour
    OtherDates otherDates = OtherDates::None;
    MonthNaming monthNames = MonthNaming::Iranian;
    bool keepProportions = true; // when the picture is stretched to the desktop
    bool workArea = true;        // distances from the work area's edge

    bool operator==(const WindowOptions&) const = default;
};

// The choices as the settings' readers take them.
WindowOptions WindowOptionsOf(const Settings& settings);
// Writes the options in the settings file's own texts ("auto", "150", "none",
// the colour in decimal, -1 for no holiday colour).
void SetWindowOptions(Settings& settings, const WindowOptions& options);

// The picture choices of a redraw. A scale of "auto" becomes the desktop's
// scale factor (DesktopScalePercent), asked now.
PictureChoices PictureChoicesFor(const Settings& settings);

// The three grids for a calendar date under a calendar rule, the months
// named as chosen.
MonthGrids GridsForDay(double date, PersianDate::CalendarRule rule,
                       MonthNaming naming = MonthNaming::Iranian);
// The same under the rule and naming the settings choose.
MonthGrids GridsForDay(double date, const Settings& settings);

}  // namespace velnora
