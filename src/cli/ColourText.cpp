// SPDX-License-Identifier: GPL-3.0-or-later

#include "ColourText.h"

#include "Commands.h"
#include "Compose.h"
#include "WholeNumber.h"

#include <cctype>

namespace velnora {

namespace {

struct NamedColour {
    const char* name;
    uint32_t rgb; // 0xRRGGBB, as "#rrggbb" writes it
};

// The CSS colour keywords of the same names (CSS Color Module Level 3), so that
// a name and its "#rrggbb" agree with what other programs call them.
const NamedColour NamedColours[] = {
    {"black", 0x000000}, {"white", 0xFFFFFF},  {"red", 0xFF0000},    {"green", 0x008000},
    {"blue", 0x0000FF},  {"yellow", 0xFFFF00}, {"cyan", 0x00FFFF},   {"magenta", 0xFF00FF},
    {"gray", 0x808080},  {"grey", 0x808080},   {"orange", 0xFFA500}, {"purple", 0x800080},
    {"brown", 0xA52A2A}, {"navy", 0x000080},   {"silver", 0xC0C0C0},
};

// The settings file's number of a 0xRRGGBB colour.
int32_t FromRgb(uint32_t rgb) {
    return static_cast<int32_t>(Colour::FromRgb(rgb).value);
}

std::string Lowercase(std::string text) {
    for (char& c : text)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

} // namespace

const char* const ColourNames =
    "black, white, red, green, blue, yellow, cyan, magenta, gray (grey), orange, "
    "purple, brown, navy, silver";

int32_t ParseColour(const std::string& text, const std::string& option) {
    const std::string ascii = WithAsciiDigits(text);
    if (const std::optional<int32_t> value = TryStrToInt(ascii))
        return *value;
    if (ascii.size() == 7 && ascii[0] == '#' &&
        ascii.find_first_not_of("0123456789abcdefABCDEF", 1) == std::string::npos)
        return FromRgb(static_cast<uint32_t>(std::stoul(ascii.substr(1), nullptr, 16)));
    for (const NamedColour& colour : NamedColours)
        if (Lowercase(ascii) == colour.name)
            return FromRgb(colour.rgb);
    throw Misuse(option + " wants a colour (0x00BBGGRR, #rrggbb or a name), not '" + text + "'");
}

}  // namespace velnora
