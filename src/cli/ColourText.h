// SPDX-License-Identifier: GPL-3.0-or-later
// Colours as render takes them.
#pragma once

#include <cstdint>
#include <string>

namespace velnora {

// The 0x00BBGGRR value of a colour written as a whole number (the settings
// file's rule: decimal, or hex after "$" or "0x"; Persian digits too), as
// "#rrggbb", or as one of the names of ColourNames (any case). Throws Misuse
// naming `option` for any other text.
int32_t ParseColour(const std::string& text, const std::string& option);

// The names ParseColour knows, for the usage text.
extern const char* const ColourNames;

}  // namespace velnora
