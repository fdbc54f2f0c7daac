// SPDX-License-Identifier: GPL-3.0-or-later
// Velnora: a Persian month calendar on the desktop wallpaper.
#include "Application.h"
#include "DisplayServer.h"
#include "MainContext.h"
#include "Messages.h"
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

    // Without a display (cron, ssh) Qt would abort. The window needs one; the
    // unattended run only draws, which needs none, so it runs on Qt's offscreen
    // platform and prints what it would have shown.
    const bool headless = !HasDisplay();
    // The refresh timer runs in the user's service manager, which also runs
    // while no one is logged in graphically (lingering, a text console): with
    // no session there is no desktop to update, and its store may not be
    // reachable. The journal says why nothing happened.
    if (headless && argc > 1 && std::string_view(argv[1]) == "refresh") {
        std::fputs("velnora: no graphical session: the calendar was not redrawn\n", stderr);
        return 0;
    }
    if (headless) {
        if (!unattended) {
            std::fputs("velnora: no display: the window needs a graphical session "
                       "(\"velnora start\" redraws the calendar without one)\n",
                       stderr);
            return 1;
        }
        UseOffscreenPlatform();
        PrintMessagesInstead();
    }

    Application application(argc, argv);
    MainContext context = SystemContext();
    if (headless)
        context.desktopSize = [picture = context.files.outputPicture] {
            return DesktopSizeWithoutDisplay(picture);
        };
    if (argc > 1 && std::string_view(argv[1]) == "off")
        return RunOff(context);
    if (unattended)
        return RunUnattended(context);
    Tmain window(context);
    window.show();
    return application.exec();
}
