// SPDX-License-Identifier: GPL-3.0-or-later

#include "UnattendedMain.h"

#include "Application.h"
#include "DateTime.h"
#include "Messages.h"
#include "Session.h"

#include <cstdio>
#include <exception>
#include <string>
#include <unistd.h>

namespace velnora {

int RunUnattended(const MainContext& context) {
    bool messageShown = false;
    bool done = false;
    // The same handler as the window's: the error's text in a message box, or
    // one line on standard error without a display.
    RunEventHandler([&] {
        // Someone who typed the command sees that it did nothing; the logon
        // entry and the timer, which have no terminal, stay quiet.
        const UnattendedResult result = RedrawAtStart(context, Today());
        if (result == UnattendedResult::NotInstalled && isatty(STDERR_FILENO))
            std::fputs("velnora: the calendar is not on the desktop: nothing was redrawn\n", stderr);
        if (result == UnattendedResult::ChosenFileMissing) {
            messageShown = true;
            ShowSelectedFileNotFound(nullptr);
        }
        done = true;
    });
    return done && !messageShown ? 0 : 1;
}

int NothingRedrawn(const std::string& why, bool timerRun) {
    std::fprintf(stderr, "velnora: %s: the calendar was not redrawn\n", why.c_str());
    return timerRun ? 0 : 1;
}

int NothingSwitchedOff(const std::string& why) {
    std::fprintf(stderr, "velnora: %s: the calendar was not switched off\n", why.c_str());
    return 1;
}

int RunOff(const MainContext& context) {
    try {
        const SwitchOffResult result = SwitchCalendarOff(context);
        std::string said = result.restored
                               ? "velnora: the calendar is off and the wallpaper is restored"
                               : "velnora: the calendar was not on for this desktop";
        if (result.stillOn.empty()) {
            said += "; the logon entry and the refresh timer are removed\n";
        } else {
            said += "; it stays on for:";
            for (const std::string& store : result.stillOn)
                said += " " + store;
            said += " (run \"velnora off\" in that desktop's session)\n";
        }
        std::fputs(said.c_str(), stdout);
        return 0;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "velnora: %s\n", error.what());
        return 1;
    }
}

}  // namespace velnora
