// SPDX-License-Identifier: GPL-3.0-or-later
// Velnora: a Persian month calendar on the desktop wallpaper.
#include "Application.h"
#include "DisplayServer.h"
#include "MainContext.h"
#include "Messages.h"
#include "ProgramPaths.h"
#include "SessionBusAddress.h"
#include "Umain.h"
#include "UnattendedMain.h"

#include <algorithm>
#include <cstdio>
#include <optional>
#include <string_view>

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
    "  off          switch the calendar off and put the previous wallpaper back\n"
    "  --help       show this text\n"
    "  --version    show the program's version\n"
    "\n"
    "Any other word runs as start does.\n";

enum class Request { Window, Help, Version, Unattended, Refresh, Mistake };

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
    SetArgumentCount(argc - 1);
    const bool unattended = request != Request::Window;
    KeepFromAutolaunchingBus();

    // Without a display (cron, ssh) Qt would abort. The window needs one; the
    // unattended run only draws, which needs none, so it runs on Qt's offscreen
    // platform and prints what it would have shown.
    const bool headless = !HasDisplay();
    // The refresh timer runs in the user's service manager, which also runs
    // while no one is logged in graphically (lingering, a text console): with
    // no session there is no desktop to update, and its store may not be
    // reachable. The journal says why nothing happened.
    if (headless && request == Request::Refresh) {
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
    if (unattended)
        return RunUnattended(context);
    Tmain window(context);
    window.show();
    return application.exec();
}
