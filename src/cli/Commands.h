// SPDX-License-Identifier: GPL-3.0-or-later
// The commands of velnora-cli. Each takes the arguments after its own name and
// returns the exit status: 0 done, 1 as the command says, 2 misuse or failure.
#pragma once

#include <stdexcept>
#include <string>
#include <vector>

using Args = std::vector<std::string>;

int RunToday(const Args& args);
int RunConvert(const Args& args);
int RunMonth(const Args& args);
int RunStretch(const Args& args);
int RunRender(const Args& args);
int RunSettings(const Args& args);
int RunIni(const Args& args);

// Misuse of a command: main prints its text and the usage text, status 2.
struct Misuse : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// The settings file of the velnora program beside this command, wherever that
// program keeps it (beside itself, or the XDG stand-in for an installed copy).
std::string ProgramSettingsFile();

// The value after the option args[i]; moves i on to it. Throws Misuse when the
// option is the last argument.
const std::string& OptionValue(const Args& args, size_t& i);

// "velnora-cli: <message>" on standard error.
void PrintError(const std::string& message);
// The usage text on standard error, status 2.
int UsageError();
