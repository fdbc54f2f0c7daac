// SPDX-License-Identifier: GPL-3.0-or-later
// velnora-cli ini FILE SECTION KEY: one value as the settings reader reads it.
#include "Commands.h"

#include "ProfileFile.h"

#include <iostream>

namespace velnora {

namespace {

int RunIni(const CommandLine& line) {
    const Args& args = line.Positional();
    if (args.size() != 3)
        throw Misuse("ini wants FILE SECTION KEY");
    const std::optional<std::string> value = ProfileFile(args[0]).Read(args[1], args[2]);
    if (!value)
        return 1;
    std::cout << *value << '\n';
    return 0;
}

} // namespace

const Command IniCommand = {
    "ini",
    "Usage: velnora-cli ini FILE SECTION KEY\n"
    "\n"
    "Prints one value of the settings file FILE as the program's settings reader\n"
    "sees it: section and key matched without regard to case, the value trimmed\n"
    "and one pair of surrounding quotes removed. Exit status 0 when the key exists,\n"
    "1 with no output when the file, section or key is absent.\n",
    {},
    RunIni,
};

}  // namespace velnora
