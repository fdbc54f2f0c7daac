// SPDX-License-Identifier: GPL-3.0-or-later

#include "ProgramRequest.h"

#include <algorithm>
#include <cstdio>
#include <iterator>
#include <optional>
#include <string_view>

namespace velnora {

const char* const Usage =
    "Usage: velnora [--help | --version | start | refresh | off]\n"
    "\n"
    "Without arguments, opens the window where the calendar on the desktop\n"
    "wallpaper is switched on or off and its corner, months and colours chosen.\n"
    "\n"
    "  start        redraw the calendar for today without a window and end (the\n"
    "               unattended run, which the logon entry starts)\n"
    "  refresh      the same, as " VELNORA_DAILY_REDRAW " runs it after midnight\n"
    "  off          switch the calendar off and put the previous wallpaper back;\n"
    "               once no desktop shows it, remove the logon entry and the\n"
    "               " VELNORA_DAILY_REDRAW " (run it before removing the program)\n"
    "  --help       show this text\n"
    "  --version    show the program's version\n"
    "\n"
#ifdef _WIN32
    // Windows has one desktop, which the program always reaches.
    "Any other word runs as start does.\n";
#else
    "Any other word runs as start does. The unattended run changes nothing, and\n"
    "says why, where it cannot be sure of the desktop: no graphical session,\n"
    "XDG_CURRENT_DESKTOP unset beside a desktop that runs, or a desktop whose\n"
    "service does not answer within a minute.\n";
#endif

namespace {

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

} // namespace

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

std::optional<int> AnswerAtOnce(Request request) {
    switch (request) {
    case Request::Help:
        std::fputs(Usage, stdout);
        return 0;
    case Request::Version:
        std::puts("velnora " VELNORA_VERSION);
        return 0;
    case Request::Mistake:
        std::fputs(Usage, stderr);
        return 2;
    default:
        return std::nullopt;
    }
}

}  // namespace velnora
