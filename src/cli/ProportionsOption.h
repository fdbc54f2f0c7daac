// SPDX-License-Identifier: GPL-3.0-or-later
// --proportions, shared by render and stretch: how a picture is brought to a
// new size.
#pragma once

#include "CommandLine.h"

namespace velnora {

inline const CommandOption ProportionsOption{{"proportions"}, "HOW"};

// Whether --proportions asks to keep the picture's proportions ("keep": scale
// to cover the new size and crop the rest, centred) rather than to stretch it
// exactly ("exact"); without the option, keepByDefault. Throws Misuse
// (Commands.h) for any other text.
bool KeepProportions(const CommandLine& line, bool keepByDefault);

#define VELNORA_PROPORTIONS_HELP(keepDefault)                                                      \
    "  --proportions keep|exact\n"                                                                 \
    "                     keep the picture's proportions (scale it to cover the\n"                 \
    "                     size and crop the rest, centred, as desktops zoom a\n"                   \
    "                     wallpaper) or stretch it exactly (default: " keepDefault ")\n"

}  // namespace velnora
