// SPDX-License-Identifier: GPL-3.0-or-later
// Velnora: a Persian month calendar on the desktop wallpaper.
#include "Application.h"
#include "DesktopCertainty.h"
#include "DisplayServer.h"
#include "MainContext.h"
#include "ProgramPaths.h"
#include "SessionBusAddress.h"
#include "Umain.h"
#include "UnattendedMain.h"

#include <algorithm>
#include <cstdio>
#include <optional>
#include <string_view>

using namespace velnora;

namespace {

const char* const Usage =
    "Usage: velnora [--help | --version | start | refresh | off]\n"
    "\n"
    "Without arguments, opens the window where the calendar on the desktop\n"
    "wallpaper is switched on or off and its corner, months and colours chosen.\n"
    "\n"
    "  start        redraw the calendar for today without a window and end (the\n"
    "               unattended run, which the logon entry starts)\n"
    "  refresh      the same, as the refresh timer runs it after midnight\n"
    "  off          switch the calendar off and put the previous wallpaper back;\n"
    "               once no desktop shows it, remove the logon entry and the\n"
    "               refresh timer (run it before removing the program)\n"
    "  --help       show this text\n"
    "  --version    show the program's version\n"
    "\n"
    "Any other word runs as start does. The unattended run changes nothing, and\n"
    "says why, where it cannot be sure of the desktop: no graphical session,\n"
    "XDG_CURRENT_DESKTOP unset beside a desktop that runs, or a desktop whose\n"
    "service does not answer within a minute.\n";

enum class Request { Window, Help, Version, Unattended, Refresh, Off, Mistake };

// The words and options velnora knows, each on one line.
struct Word {
    std::string_view text;
    Request request;
};
constexpr Word Words[] = {
    {"--help", Request::Help},
    {"--version", Request::Version},
    {"start", Request::Unattended},
    {"refresh", Request::Refresh},
    {"off", Request::Off},
};

// The first argument decides. Any other word runs the unattended run, as any
// argument always did (scripts of users may pass words of their own); an
// option velnora does not have, anywhere, is a mistyped one (-h, --verbose),
// which must not redraw the wallpaper.
Request RequestOf(int argc, char** argv) {
    std::optional<Request> first;
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument(argv[i]);
        const auto known = std::ranges::find(Words, argument, &Word::text);
        if (known == std::end(Words) && argument.starts_with('-'))
            return Request::Mistake;
        if (i == 1)
            first = known != std::end(Words) ? known->request : Request::Unattended;
    }
    return first.value_or(Request::Window);
}

} // namespace

int main(int argc, char** argv) {
    const Request request = RequestOf(argc, argv);
    // Answered before anything else: they touch no file and need no display.
    if (request == Request::Help) {
        std::fputs(Usage, stdout);
        return 0;
    }
    if (request == Request::Version) {
        std::puts("velnora " VELNORA_VERSION);
        return 0;
    }
    if (request == Request::Mistake) {
        std::fputs(Usage, stderr);
        return 2;
    }
    // Resolved before anything else, while the program file is surely the one
    // running: an upgrade may replace it later, and the autostart entry must
    // name the path that starts the program.
    ExecutablePath();
    const bool unattended = request != Request::Window;
    // The refresh timer runs in the user's service manager, which also runs
    // while no one is logged in graphically (lingering, a text console): a
    // night without a desktop to update is no failure of the timer's service.
    const bool timerRun = request == Request::Refresh;
    const bool switchOff = request == Request::Off;
    KeepFromAutolaunchingBus();

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
