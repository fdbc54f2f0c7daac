// SPDX-License-Identifier: GPL-3.0-or-later
// The commands of velnora-cli. Each runs on its parsed command line and returns
// the exit status: 0 done, 1 as the command says, 2 misuse or failure.
#pragma once

#include "CommandLine.h"

#include <stdexcept>
#include <string>

namespace velnora {

extern const Command TodayCommand;
extern const Command ConvertCommand;
extern const Command MonthCommand;
extern const Command StretchCommand;
extern const Command RenderCommand;
extern const Command SettingsCommand;
extern const Command IniCommand;
extern const Command HolidaysCommand;

// Misuse of a command: main prints its text and the command's usage on
// standard error, status 2.
struct Misuse : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// The settings file of the velnora program beside this command, wherever that
// program keeps it (beside itself, or the XDG stand-in for an installed copy).
std::string ProgramSettingsFile();

// "velnora-cli: <message>" on standard error.
void PrintError(const std::string& message);

}  // namespace velnora
