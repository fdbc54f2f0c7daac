// SPDX-License-Identifier: GPL-3.0-or-later
// The unattended run (any argument on the command line, as the autostart entry
// and the refresh timer pass "start"): redraws an installed calendar for today
// without making the main window, shows what went wrong as the window would
// (or prints it, without a display), and gives the program's exit status.
#pragma once

#include "MainContext.h"
#include "UnattendedRuns.h"

namespace velnora {

// 0 when the run ended without a message; 1 after an error or a message.
int RunUnattended(const MainContext& context);

}  // namespace velnora
