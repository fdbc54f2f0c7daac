// SPDX-License-Identifier: GPL-3.0-or-later

#include "ProportionsOption.h"

#include "Commands.h"

#include <map>
#include <string>

namespace velnora {

CommandOption ProportionsOption(const char* keepDefault) {
    // The option table holds plain pointers: each default's text is made once
    // and lives as long as the program (a map's entries never move).
    static std::map<std::string, std::string> helps;
    std::string& help = helps[keepDefault];
    if (help.empty())
        help = std::string("keep the picture's proportions (scale it to cover the\n"
                           "size and crop the rest, centred, as desktops zoom a\n"
                           "wallpaper) or stretch it exactly (default: ") +
               keepDefault + ")";
    return {{"proportions"}, "keep|exact", help.c_str()};
}

bool KeepProportions(const CommandLine& line, bool keepByDefault) {
    const std::optional<std::string> value = line.Value("proportions");
    if (!value)
        return keepByDefault;
    if (*value == "keep" || *value == "exact")
        return *value == "keep";
    throw Misuse("--proportions is keep or exact, not '" + *value + "'");
}

}  // namespace velnora
