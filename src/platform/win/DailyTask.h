// SPDX-License-Identifier: GPL-3.0-or-later
// The daily redraw on Windows, beside the Run value: a task of the Task
// Scheduler that runs the unattended run a little after local midnight, and
// as soon as possible after a midnight missed while the machine was off or
// asleep, so that today's mark follows the clock with no program left running
// (the stand-in for the Linux build's systemd timer).
#pragma once

#include <string>

namespace velnora {

// The task's path in the scheduler's root folder, as schtasks and the Task
// Scheduler window show it.
inline constexpr const char* DailyTaskPath = "\\Velnora";

// Mode 1 registers the task for the executable, or replaces the one there: it
// runs "<executable> refresh" as the user, only while the user is logged on,
// without elevation. Mode 0 deletes it, silently when there is none or when
// the Task Scheduler cannot be reached (only the scheduler runs a task). Any
// other mode does nothing. Throws "Failed to set data for '\Velnora'" when the
// scheduler cannot be reached or refuses the task (mode 1) or refuses to
// delete it (mode 0).
void SetDailyTask(unsigned mode, const std::string& executablePath);

}  // namespace velnora
