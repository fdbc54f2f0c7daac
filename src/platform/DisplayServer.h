// SPDX-License-Identifier: GPL-3.0-or-later
// Whether the program has a display to show windows on, and keeping Qt's own
// notes out of the messages of a run that has no window to explain them.
#pragma once

#include "ProgramPaths.h"

#include <string>

namespace velnora {

// An X server that answers at DISPLAY or a Wayland compositor's socket at
// WAYLAND_DISPLAY to show windows on, and Qt not told to use a platform
// without a screen (QT_QPA_PLATFORM offscreen or minimal, as tests do).
bool HasDisplay();

// Qt's own notes (the missing XDG_RUNTIME_DIR under cron or ssh, for one) would
// mix into the messages of a program that has no window to explain them; what
// goes wrong while drawing reaches the user as an exception. Critical and fatal
// messages still go to the handler that was in place. KeepQtNotes puts that
// handler back.
void DropQtNotes();
void KeepQtNotes();

}  // namespace velnora
