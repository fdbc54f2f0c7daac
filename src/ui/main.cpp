// SPDX-License-Identifier: GPL-3.0-or-later
// Velnora: a Persian month calendar on the desktop wallpaper.
#include "Application.h"
#include "DesktopCertainty.h"
#include "DisplayServer.h"
#include "MainContext.h"
#include "ProgramPaths.h"
#include "Umain.h"
#include "UnattendedMain.h"

#include <cstdio>
#include <string_view>

namespace {

const char* const Usage =
    "Usage: velnora [--help | --version | start | refresh | off]\n"
    "\n"
    "Without arguments, opens the window where the calendar on the desktop\n"
    "wallpaper is switched on or off and its corner, months and colours chosen.\n"
    "\n"
    "Any other argument redraws the calendar for today without a window and ends\n"
    "(the unattended run): \"velnora start\" is what the autostart entry runs at\n"
    "logon, \"velnora refresh\" what the refresh timer runs after midnight.\n"
    "It changes nothing, and says why, where it cannot be sure of the desktop:\n"
    "no graphical session, XDG_CURRENT_DESKTOP unset beside a desktop that runs,\n"
    "or a desktop whose service does not answer within a minute.\n"
    "\n"
    "\"velnora off\" switches the calendar off without a window: it puts the\n"
    "wallpaper back and, once no desktop shows the calendar, removes the logon\n"
    "entry and the refresh timer. Run it before removing the program.\n"
    "\n"
    "  --help       show this text\n"
    "  --version    show the program's version\n";

} // namespace

int main(int argc, char** argv) {
    // Answered before anything else: they touch no file and need no display.
    if (argc > 1 && std::string_view(argv[1]) == "--help") {
        std::fputs(Usage, stdout);
        return 0;
    }
    if (argc > 1 && std::string_view(argv[1]) == "--version") {
        std::puts("velnora " VELNORA_VERSION);
        return 0;
    }
    // Resolved before anything else, while the program file is surely the one
    // running: an upgrade may replace it later, and the autostart entry must
    // name the path that starts the program.
    ExecutablePath();
    // Any argument at all makes the unattended run (the autostart entry passes "start").
    SetArgumentCount(argc - 1);
    const bool unattended = argc > 1;
    // The refresh timer runs in the user's service manager, which also runs
    // while no one is logged in graphically (lingering, a text console): a
    // night without a desktop to update is no failure of the timer's service.
    const bool timerRun = unattended && std::string_view(argv[1]) == "refresh";
    const bool switchOff = unattended && std::string_view(argv[1]) == "off";

    // Without a display (cron, ssh, a text console) Qt would abort, and which
    // desktop's wallpaper the run would change is unknown: the settings it
    // would read are not the desktop's.
    if (!HasDisplay()) {
        if (switchOff)
            return NothingSwitchedOff("no graphical session");
        if (unattended)
            return NothingRedrawn("no graphical session", timerRun);
        std::fputs("velnora: no display: the window needs a graphical session\n", stderr);
        return 1;
    }

    Application application(argc, argv);
    if (unattended) {
        const DesktopSession session = CurrentDesktopSession();
        const DesktopReach reach = ReachDesktop(session, DesktopServiceWait);
        if (reach.backend == nullptr)
            return switchOff ? NothingSwitchedOff(reach.whyNot)
                             : NothingRedrawn(reach.whyNot, timerRun);
        MainContext context = SystemContext();
        context.openStore = [backend = reach.backend, session](StoreAccess access) {
            return OpenReachedStore(*backend, access, session);
        };
        if (switchOff)
            return RunOff(context);
        return RunUnattended(context);
    }
    Tmain window(SystemContext());
    window.show();
    return application.exec();
}
