// SPDX-License-Identifier: GPL-3.0-or-later
// The options window: the choices beyond the main window's (calendar rule,
// scale, text outline, holiday colour, the other calendars' dates, the
// months' names, the picture's proportions, distances from the work area).
#pragma once

#include "Choices.h"

#include <windows.h>

#include <optional>

namespace velnora {

// The controls' ids, named after the Qt window's controls; IDOK and IDCANCEL
// are its two buttons.
namespace OptionsControls {
enum : int {
    R_Arithmetic = 1001,
    R_Official,
    R_ScaleAuto,
    R_ScalePercent,
    UDscale, // the percentage's field
    UDscaleArrows,
    R_OutlineNone,
    R_OutlineAuto,
    R_OutlineColour,
    ccOutline,
    CHKholiday,
    ccHoliday,
    R_OtherNone,
    R_OtherGregorian,
    R_OtherLunar,
    R_NamesIranian,
    R_NamesDari,
    R_KeepProportions,
    R_StretchExactly,
    CHKworkarea,
};
} // namespace OptionsControls

// Shows the window modally over owner, starting from start; the choices when
// the user confirms, nullopt when the user cancels (Esc, close box).
std::optional<WindowOptions> ShowOptionsWindow(HWND owner, const WindowOptions& start);

}  // namespace velnora
