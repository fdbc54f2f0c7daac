// SPDX-License-Identifier: GPL-3.0-or-later
// Velnora: a Persian month calendar on the desktop wallpaper.
#include "Application.h"
#include "DesktopCertainty.h"
#include "DisplayServer.h"
#include "MainContext.h"
#include "ProgramPaths.h"
#include "ProgramRequest.h"
#include "SessionBusAddress.h"
#include "Umain.h"
#include "UnattendedMain.h"

#include <cstdio>
#include <optional>

using namespace velnora;

int main(int argc, char** argv) {
    const Request request = RequestOf(argc, argv);
    // Answered before anything else: they touch no file and need no display.
    if (const std::optional<int> status = AnswerAtOnce(request))
        return *status;
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
