// SPDX-License-Identifier: GPL-3.0-or-later
// The daily redraw while the calendar is on: a systemd user timer that runs the
// unattended run a little after local midnight, and at once after a resume or a
// start that missed a midnight, so that today's mark follows the clock with no
// program left running. Beside the autostart entry, which covers logons and
// systems without systemd.
#pragma once

#include <string>

namespace velnora {

inline constexpr const char* RefreshTimerName = "velnora-refresh.timer";
inline constexpr const char* RefreshServiceName = "velnora-refresh.service";

// $XDG_CONFIG_HOME/systemd/user: the user's own units, read by the user's
// service manager at its start (systemd.unit(5), "User Unit Search Path").
std::string UserUnitFolder();

// Mode 1 writes both units for the executable and enables the timer as
// "systemctl --user enable" would (the timers.target.wants link), so that it
// runs from the next logon on; when the user's service manager is reachable on
// the session bus and reads that folder, it is also reloaded and the timer
// started now. Mode 0 stops the timer there and waits for the stop to end,
// then removes the link and both units (silently when missing). Any other
// mode does nothing. A folder that cannot be made is silent, as for the
// autostart entry; a unit or link that cannot be written, or a path that a
// unit file cannot hold (not UTF-8, a control character), throws
// "Failed to set data for '<unit>'".
void SetRefreshTimer(unsigned mode, const std::string& executablePath);

// The service's ExecStart value: the path quoted by systemd's rules and
// " refresh" (the unattended run, which outside a graphical session changes
// nothing). The service runs only while that path is an executable file.
// Paths that systemd refuses as an executable's name are refused before
// (CheckProgramPathForLogon).
std::string RefreshCommand(const std::string& executablePath);

}  // namespace velnora
