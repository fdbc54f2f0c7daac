// SPDX-License-Identifier: GPL-3.0-or-later
// velnora-cli ini FILE SECTION KEY: one value as the settings reader reads it.
#include "Commands.h"

#include "ProfileFile.h"

#include <iostream>

int RunIni(const Args& args) {
    if (args.size() != 3)
        return UsageError();
    const std::optional<std::string> value = ProfileFile(args[0]).Read(args[1], args[2]);
    if (!value)
        return 1;
    std::cout << *value << '\n';
    return 0;
}
