// SPDX-License-Identifier: GPL-3.0-or-later
// Whether the program has a display to show windows on, and what a run that
// needs none does without one (from cron, over ssh).
#pragma once

#include "ProgramPaths.h"

#include <string>

// An X server that answers at DISPLAY or a Wayland compositor's socket at
// WAYLAND_DISPLAY to show windows on, and Qt not told to use a platform
// without a screen (QT_QPA_PLATFORM offscreen or minimal, as tests do).
bool HasDisplay();

// For a run that needs no window, on a machine without a display: Qt starts
// on its offscreen platform instead of aborting, and its notes about the
// missing screen are dropped, so that only the program's own messages reach
// standard error (cron mails whatever is printed). Call before the
// application object is made.
void UseOffscreenPlatform();

// Qt's own notes (the missing XDG_RUNTIME_DIR under cron or ssh, for one) would
// mix into the messages of a program that has no window to explain them; what
// goes wrong while drawing reaches the user as an exception. Critical and fatal
// messages still go to the handler that was in place. KeepQtNotes puts that
// handler back.
void DropQtNotes();
void KeepQtNotes();

// The desktop's size is unknown without a display. The output picture the
// last run made was stretched to it (the choices are those of that run), so
// its size stands in; 0 x 0 when there is none, which the stretch refuses.
DesktopSize DesktopSizeWithoutDisplay(const std::string& outputPicture);
