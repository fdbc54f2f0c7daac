// SPDX-License-Identifier: GPL-3.0-or-later
// The colour pickers' palette, shared by the Qt and the Windows windows.
#pragma once

#include "Colour.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace velnora {

namespace standard_colours {
constexpr uint32_t Rgb(uint32_t rgb) {
    return Colour::FromRgb(rgb).value;
}
} // namespace standard_colours

// The 40 standard colours of the font-colour drop-down of Microsoft Office
// 97-2003, which the Windows colour pickers of that time also offered, row by
// row: dark shades, strong colours, mid tones, bright colours, pale tints; each
// row ends with a grey (black 80%, 50%, 40%, 25% and white). Values 0x00BBGGRR;
// the table reads as the usual web notation, 0xRRGGBB.
// clang-format off: one line a row, as the drop-down shows them
using standard_colours::Rgb;
inline constexpr std::array<uint32_t, 40> StandardColours = {
    Rgb(0x000000), Rgb(0x993300), Rgb(0x333300), Rgb(0x003300), Rgb(0x003366), Rgb(0x000080), Rgb(0x333399), Rgb(0x333333),
    Rgb(0x800000), Rgb(0xFF6600), Rgb(0x808000), Rgb(0x008000), Rgb(0x008080), Rgb(0x0000FF), Rgb(0x666699), Rgb(0x808080),
    Rgb(0xFF0000), Rgb(0xFF9900), Rgb(0x99CC00), Rgb(0x339966), Rgb(0x33CCCC), Rgb(0x3366FF), Rgb(0x800080), Rgb(0x999999),
    Rgb(0xFF00FF), Rgb(0xFFCC00), Rgb(0xFFFF00), Rgb(0x00FF00), Rgb(0x00FFFF), Rgb(0x00CCFF), Rgb(0x993366), Rgb(0xC0C0C0),
    Rgb(0xFF99CC), Rgb(0xFFCC99), Rgb(0xFFFF99), Rgb(0xCCFFCC), Rgb(0xCCFFFF), Rgb(0x99CCFF), Rgb(0xCC99FF), Rgb(0xFFFFFF),
};
// clang-format on

// The drop-down's rows of 8.
inline constexpr int StandardColourColumns = 8;

// The palette entry of colour, or -1 for a colour the palette lacks (shown as
// the custom colour).
inline int StandardColourIndex(uint32_t colour) {
    const auto at = std::find(StandardColours.begin(), StandardColours.end(), colour);
    return at == StandardColours.end() ? -1 : static_cast<int>(at - StandardColours.begin());
}

}  // namespace velnora
