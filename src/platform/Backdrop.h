// SPDX-License-Identifier: GPL-3.0-or-later
// The colours a desktop paints its background with: all it shows where no
// picture is set, and what shows through a picture's transparent pixels.
#pragma once

#include "Bitmap.h"
#include "Colour.h"
#include "PictureLimit.h"

#include <cstdint>
#include <optional>
#include <string>

namespace velnora {

struct Backdrop {
    // As GNOME's color-shading-type: one colour, or a gradient from the
    // primary colour at the left (at the top) to the secondary at the right
    // (at the bottom).
    enum class Shading { Solid, Horizontal, Vertical };
    Colour primary; // black, as an unpainted X root shows
    Colour secondary;
    Shading shading = Shading::Solid;
};

// The backdrop's row y of a width x height area, 3 bytes a pixel in the order
// blue, green, red.
void BackdropRow(const Backdrop& backdrop, int width, int height, int y, uint8_t* row);

// out becomes a picture of the backdrop at size.
void PaintBackdrop(const Backdrop& backdrop, PictureSize size, Bitmap& out);

// A colour as GSettings keeps it ("#rgb", "#rrggbb", "#rrrrggggbbbb" or a
// named colour); nullopt when it names none.
std::optional<Colour> ColourOfText(const std::string& text);

// color-shading-type's nicks, GNOME's and MATE's; Solid for any other.
Backdrop::Shading ShadingOfText(const std::string& text);

}  // namespace velnora
