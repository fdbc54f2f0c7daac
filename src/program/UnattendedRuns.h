// SPDX-License-Identifier: GPL-3.0-or-later
// The runs without a window (the logon entry's and the refresh timer's
// "start", and "velnora off"), their messages and exit statuses, as every
// platform's velnora gives them.
#pragma once

#include "Session.h"

#include <functional>
#include <string>

namespace velnora {

// Runs a step and shows the error it throws as the platform shows the
// window's errors (a message box; one line on standard error without a display).
using ErrorShower = std::function<void(const std::function<void()>& step)>;

// Redraws an installed calendar for today (RedrawAtStart); someone who typed
// the command is told on the terminal when the calendar was not on, and
// chosenFileMissing shows "Selected File Not Found !" as the platform does.
// 0 when the run ended without a message; 1 after an error or a message.
int RunUnattendedRedraw(const Session& session, double today,
                        const std::function<void()>& chosenFileMissing,
                        const ErrorShower& showingErrors);

// For a run that could not be sure of its desktop: prints
// "velnora: <why>: the calendar was not redrawn" on standard error (the
// journal, cron's mail) and gives the status: 0 for the refresh timer's run,
// whose service has not failed, 1 otherwise.
int NothingRedrawn(const std::string& why, bool timerRun);
// For "velnora off" where the desktop is not certain: prints
// "velnora: <why>: the calendar was not switched off" on standard error; 1.
int NothingSwitchedOff(const std::string& why);

// "velnora off": switches the calendar off for the session's desktop and says
// what was done on the terminal; 0 when done, 1 after an error.
int RunOff(const Session& session);

}  // namespace velnora
