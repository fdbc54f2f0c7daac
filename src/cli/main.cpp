// SPDX-License-Identifier: GPL-3.0-or-later
// velnora-cli: the calendar and the picture pipeline from a terminal or a script.
#include "Commands.h"
#include "ProgramPaths.h"

#include <cstdio>
#include <exception>
#include <iostream>
#include <map>

namespace {

const char* const Usage =
    "Usage: velnora-cli COMMAND [ARGUMENTS]\n"
    "\n"
    "  today [--calendar RULE]    print today's Persian date (1405/09/17)\n"
    "  convert [--calendar RULE] [DATE...]\n"
    "                             YYYY-MM-DD to Persian, Y/M/D to Gregorian;\n"
    "                             reads standard input when no DATE is given\n"
    "  month [Y/M/D] [--tsv] [--calendar RULE]\n"
    "                             show a Persian month grid (default: today)\n"
    "  stretch IN OUT WIDTH HEIGHT\n"
    "                             stretch a BMP or JPEG picture into a BMP file\n"
    "  render OUT --source PICTURE [--date Y/M/D] [--size WxH]\n"
    "         [--corner top-right|bottom-right|bottom-left|top-left]\n"
    "         [--dx TEXT] [--dy TEXT] [--no-prev] [--no-next]\n"
    "         [--text-colour N] [--today-colour N] [--calendar RULE]\n"
    "                             draw the calendar onto PICTURE and save OUT as BMP\n"
    "  settings [FILE]            show the choices the program will use\n"
    "  ini FILE SECTION KEY       print a value as the settings reader reads it\n"
    "  --help                     show this text\n"
    "  --version                  show the program's version\n"
    "\n"
    "RULE is the Persian calendar's leap-year rule: arithmetic (the 2820-year\n"
    "cycle) or official (Iran's calendar, from the equinox). today and month use\n"
    "the rule of the program's settings file unless told; convert and render use\n"
    "arithmetic unless told.\n";

} // namespace

const std::string& OptionValue(const Args& args, size_t& i) {
    if (i + 1 >= args.size())
        throw Misuse(args[i] + " wants a value");
    return args[++i];
}

void PrintError(const std::string& message) {
    std::fflush(stdout);
    std::cerr << "velnora-cli: " << message << '\n';
}

int UsageError() {
    std::cerr << Usage;
    return 2;
}

int main(int argc, char** argv) {
    // Resolved before anything else, while the program file is surely the one
    // running: an upgrade may replace it later.
    ExecutablePath();
    if (argc < 2)
        return UsageError();
    const std::string command = argv[1];
    if (command == "--help" || command == "-h") {
        std::cout << Usage;
        return 0;
    }
    if (command == "--version") {
        std::cout << "velnora-cli " VELNORA_VERSION "\n";
        return 0;
    }
    const std::map<std::string, int (*)(const Args&)> commands = {
        {"today", RunToday},     {"convert", RunConvert}, {"month", RunMonth},
        {"stretch", RunStretch}, {"render", RunRender},   {"settings", RunSettings},
        {"ini", RunIni},
    };
    const auto found = commands.find(command);
    if (found == commands.end())
        return UsageError();
    try {
        return found->second(Args(argv + 2, argv + argc));
    } catch (const Misuse& misuse) {
        PrintError(misuse.what());
        return UsageError();
    } catch (const std::exception& error) {
        PrintError(error.what());
        return 2;
    }
}
