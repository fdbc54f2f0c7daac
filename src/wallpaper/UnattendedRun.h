// SPDX-License-Identifier: GPL-3.0-or-later
// The redraw at logon and after midnight, without a window: what the window
// does when started with an argument (read the settings, check the wallpaper,
// redraw an installed calendar for today, register the autostart entry, save
// the settings), from plain data.
#pragma once

#include "MonthGrid.h"
#include "PersianDate.h"
#include "Settings.h"
#include "Wallpaper.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace velnora {

// The settings as the window's controls hold them once it is shown: each
// distance is its spin position (a 16-bit number) limited to 0..100 and
// written as decimal, a corner code outside 1..4 selects no corner (written
// as 0), and of the two picture sources the current wallpaper wins when both
// are on. The path is kept as read; saving empties one that names no file.
Settings AsTheWindowHoldsThem(const Settings& stored);

// The choices of the options window (calendar rule, scale, text outline,
// holiday colour) as its controls hold them.
struct WindowOptions {
    // The percentages calendar/scale allows; 100 draws as designed.
    static constexpr int MinimumScale = LeastScalePercent;
    static constexpr int MaximumScale = MostScalePercent;
    PersianDate::CalendarRule rule = PersianDate::CalendarRule::Arithmetic;
    std::optional<int> scale; // a percentage, 100..400; none for "auto"
    TextOutline outline;
    std::optional<uint32_t> holiday; // 0x00BBGGRR; none for no holiday colour
    OtherDates otherDates = OtherDates::None;
    MonthNaming monthNames = MonthNaming::Iranian;
    bool workArea = true; // distances from the work area's edge
};

// The choices as the settings' readers take them.
WindowOptions WindowOptionsOf(const Settings& settings);
// Writes the options in the settings file's own texts ("auto", "150", "none",
// the colour in decimal, -1 for no holiday colour).
void SetWindowOptions(Settings& settings, const WindowOptions& options);

// The one mapping from the user's choices to a redraw: the window's controls,
// the unattended run and velnora-cli render all go through it. A scale of
// "auto" becomes the desktop's scale factor (DesktopScalePercent).
PictureChoices PictureChoicesFor(const Settings& settings);

// The three grids for a calendar date under a calendar rule, the months
// named as chosen.
MonthGrids GridsForDay(double date, PersianDate::CalendarRule rule,
                       MonthNaming naming = MonthNaming::Iranian);

struct UnattendedContext {
    PaintContext paint; // its desktop size is filled in from desktopSize when stretching
    std::function<DesktopSize()> desktopSize;
    std::function<void(const std::string& name, unsigned mode)> setAutoRun;
    // Shows "Selected File Not Found !" (the window's modal message).
    std::function<void()> chosenFileMissing;
    double today = 0; // the calendar date to draw
};

enum class UnattendedResult {
    NotInstalled,     // the calendar is off or displaced: nothing was redrawn
    Redrawn,          // drawn, installed, registered and saved
    ChosenFileMissing // the message was shown and the calendar taken off
};

// Stops at the first error (an exception with the program's message), with
// what was done before it left done.
UnattendedResult RedrawInstalledCalendar(const UnattendedContext& context);

}  // namespace velnora
