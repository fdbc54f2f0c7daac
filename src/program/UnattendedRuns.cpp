// SPDX-License-Identifier: GPL-3.0-or-later

#include "UnattendedRuns.h"

#include "ProgramRequest.h"

#include <cstdio>
#include <exception>
#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

namespace velnora {

namespace {

bool ErrorsGoToTerminal() {
#ifdef _WIN32
    return _isatty(_fileno(stderr));
#else
    return isatty(STDERR_FILENO);
#endif
}

} // namespace

int RunUnattendedRedraw(const Session& session, double today,
                        const std::function<void()>& chosenFileMissing,
                        const ErrorShower& showingErrors) {
    bool messageShown = false;
    bool done = false;
    showingErrors([&] {
        const UnattendedResult result = RedrawAtStart(session, today);
        // Someone who typed the command sees that it did nothing; the logon
        // entry and the timer, which have no terminal, stay quiet.
        if (result == UnattendedResult::NotInstalled && ErrorsGoToTerminal())
            std::fputs("velnora: the calendar is not on the desktop: nothing was redrawn\n", stderr);
        if (result == UnattendedResult::ChosenFileMissing) {
            messageShown = true;
            chosenFileMissing();
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

int RunOff(const Session& session) {
    try {
        const SwitchOffResult result = SwitchCalendarOff(session);
        std::string said = result.restored
                               ? "velnora: the calendar is off and the wallpaper is restored"
                               : "velnora: the calendar was not on for this desktop";
        if (result.stillOn.empty()) {
            said += "; the logon entry and " VELNORA_DAILY_REDRAW " are removed\n";
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
