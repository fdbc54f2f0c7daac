// SPDX-License-Identifier: GPL-3.0-or-later
// Stand-in for the Run key: an XDG autostart entry
// $XDG_CONFIG_HOME/autostart/<name>.desktop.
#pragma once

#include <string>

namespace velnora {

// The logon redraw: the autostart entry and, beside it, the daily refresh
// timer (RefreshTimer.h). Mode 1 writes both for the running executable with
// " start" (TryExec on it, so that the entry hides once the program is gone),
// mode 0 removes them (silently when missing), any other mode does nothing.
// The entry names the path the program was started from (ExecutablePath);
// when no file is there any more, the write is refused ("Failed to set data
// for '<name>'").
void SetLogonRedraw(const std::string& name, unsigned mode);
// Same, for a given executable path (tests).
void SetLogonRedrawFor(const std::string& name, unsigned mode, const std::string& executablePath);
// Throws, before anything is written, "Cannot switch on the calendar: the
// program's path "<path>" holds '<c>', which the logon entry cannot hold. Move
// the program to a folder whose name does not." when the path holds a
// character that a reader of the entry or the refresh units would not give
// back as it stands (% \ " ' ` $), "holds the control character U+00XX" for a
// control character, "is not UTF-8 text" for a path that is not.
void CheckProgramPathForLogon(const std::string& executablePath);
// The Exec line's command: the path quoted and escaped by the Desktop Entry rules
// when it needs it, then " start".
std::string AutostartCommand(const std::string& executablePath);

}  // namespace velnora
