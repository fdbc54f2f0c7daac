// SPDX-License-Identifier: GPL-3.0-or-later

#include "ProportionsOption.h"

#include "Commands.h"

namespace velnora {

CommandOption ProportionsOption(const char* keepDefault) {
    // The help is kept as a whole literal: the option table holds plain pointers.
    const bool keep = std::string(keepDefault) == "keep";
    return {{"proportions"},
            "keep|exact",
            keep ? "keep the picture's proportions (scale it to cover the\n"
                   "size and crop the rest, centred, as desktops zoom a\n"
                   "wallpaper) or stretch it exactly (default: keep)"
                 : "keep the picture's proportions (scale it to cover the\n"
                   "size and crop the rest, centred, as desktops zoom a\n"
                   "wallpaper) or stretch it exactly (default: exact)"};
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
