// SPDX-License-Identifier: GPL-3.0-or-later
// --proportions, shared by render and stretch: how a picture is brought to a
// new size.
#pragma once

#include "CommandLine.h"

namespace velnora {

// --proportions with its usage text; keepDefault is "keep" or "exact".
CommandOption ProportionsOption(const char* keepDefault);

// Whether --proportions asks to keep the picture's proportions ("keep": scale
// to cover the new size and crop the rest, centred) rather than to stretch it
// exactly ("exact"); without the option, keepByDefault. Throws Misuse
// (Commands.h) for any other text.
bool KeepProportions(const CommandLine& line, bool keepByDefault);

}  // namespace velnora
