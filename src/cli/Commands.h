// The commands of velnora-cli. Each takes the arguments after its own name and
// returns the exit status: 0 done, 1 as the command says, 2 misuse or failure.
#pragma once

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

// "velnora-cli: <message>" on standard error.
void PrintError(const std::string& message);
// The usage text on standard error, status 2.
int UsageError();
