// SPDX-License-Identifier: GPL-3.0-or-later
// velnora-cli: the calendar and the picture pipeline from a terminal or a script.
#include "Commands.h"
#include "ProgramPaths.h"

#include <cstdio>
#include <cstring>
#include <exception>
#include <filesystem>
#include <iostream>

using namespace velnora;

namespace {

const char* const Usage =
    "Usage: velnora-cli COMMAND [ARGUMENTS]\n"
    "\n"
    "  today      print today's Persian date (YYYY/MM/DD)\n"
    "  convert    convert dates between the Persian and the Gregorian calendar\n"
    "  month      show a Persian month, or the twelve months of a year\n"
    "  holidays   list the official holidays of a Persian year\n"
    "  render     draw the calendar onto a picture and save it as BMP\n"
    "  stretch    stretch a picture into a BMP file\n"
    "  settings   show the choices the program will use\n"
    "  ini        print a value as the settings reader reads it\n"
    "\n"
    "  velnora-cli COMMAND --help   the usage of one command\n"
    "  velnora-cli --help           this text\n"
    "  velnora-cli --version        the program's version\n"
    "\n"
    "Options take their value as --option VALUE or --option=VALUE; \"--\" ends\n"
    "the options, for a file whose name begins with \"-\". Dates and numbers may\n"
    "be written in Persian or Arabic-Indic digits too.\n"
    "Exit status: 0 done, 1 as the command says (ini: no such key), 2 wrong\n"
    "usage (with the usage text on standard error) or failure.\n";

const Command* const AllCommands[] = {
    &TodayCommand,   &ConvertCommand,  &MonthCommand, &RenderCommand,
    &StretchCommand, &SettingsCommand, &IniCommand,   &HolidaysCommand,
};

// The command's usage text. A command that takes --calendar (or
// --month-names) follows the settings file's choice without it: its usage
// names the file, so that a surprising rule or name can be traced.
std::string UsageOf(const Command& command) {
    std::string usage = UsageText(command);
    const auto takes = [&](const char* name) {
        for (const CommandOption& option : command.options)
            if (option.names.front() == name)
                return true;
        return false;
    };
    if (!takes("calendar"))
        return usage;
    const bool names = takes("month-names");
    const std::string file = ProgramSettingsFile();
    std::error_code error;
    usage += std::string("\nThe settings file read for the rule without --calendar") +
             (names ? ",\nand for the month names without --month-names" : "") + ":\n  " + file +
             (std::filesystem::exists(file, error)
                  ? ""
                  : names ? " (not there now: arithmetic, iranian)" : " (not there now: arithmetic)") +
             "\n";
    return usage;
}

} // namespace

void velnora::PrintError(const std::string& message) {
    std::fflush(stdout);
    std::cerr << "velnora-cli: " << message << '\n';
}

int main(int argc, char** argv) {
    // Resolved before anything else, while the program file is surely the one
    // running: an upgrade may replace it later.
    ExecutablePath();
    if (argc < 2) {
        std::cerr << Usage;
        return 2;
    }
    if (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0) {
        std::cout << Usage;
        return 0;
    }
    if (std::strcmp(argv[1], "--version") == 0) {
        std::cout << "velnora-cli " VELNORA_VERSION "\n";
        return 0;
    }
    const Command* command = nullptr;
    for (const Command* candidate : AllCommands)
        if (std::strcmp(argv[1], candidate->name) == 0)
            command = candidate;
    if (command == nullptr) {
        PrintError(std::string("no command '") + argv[1] + "'");
        std::cerr << Usage;
        return 2;
    }
    try {
        const CommandLine line(*command, Args(argv + 2, argv + argc));
        if (line.HelpAsked()) {
            std::cout << UsageOf(*command);
            return 0;
        }
        return command->run(line);
    } catch (const Misuse& misuse) {
        PrintError(misuse.what());
        std::cerr << UsageOf(*command);
        return 2;
    } catch (const std::exception& error) {
        PrintError(error.what());
        return 2;
    }
}
