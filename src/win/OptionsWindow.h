// SPDX-License-Identifier: GPL-3.0-or-later
// The options window: the choices beyond the main window's (calendar rule,
// scale, text outline, holiday colour, the other calendars' dates, the
// months' names, the picture's proportions, distances from the work area).
#pragma once

#include "Choices.h"

#include <windows.h>

#include <optional>

namespace velnora {

// Shows the window modally over owner, starting from start; the choices when
// the user confirms, nullopt when the user cancels (Esc, close box).
std::optional<WindowOptions> ShowOptionsWindow(HWND owner, const WindowOptions& start);

}  // namespace velnora
