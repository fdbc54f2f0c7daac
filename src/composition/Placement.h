// SPDX-License-Identifier: GPL-3.0-or-later
// Where the three month slots go on the picture.
#pragma once

#include <cstdint>
#include <string>

namespace velnora {

// Codes as the settings file stores them; None when no corner button is on.
enum class Corner { None = 0, TopRight = 1, BottomRight = 2, BottomLeft = 3, TopLeft = 4 };

// The corner a stored code stands for: None for every code outside 1..4.
Corner CornerOf(int32_t code);
// The code the settings file stores for a corner (0 for None).
inline int32_t CornerCode(Corner corner) { return static_cast<int32_t>(corner); }

struct PlacementChoices {
    Corner corner = Corner::TopRight;
    std::string dxText = "30"; // whole-number texts, as the distance fields hold them
    std::string dyText = "30";
    bool showPrev = true;
    bool showNext = true;
};

struct Placement {
    int xPrev = 0;
    int xNow = 0;
    int xNext = 0;
    int y = 0;
};

// Throws "'<text>' is not a valid integer value" for a distance that does not
// convert. The distances are in the units the user sees, so they scale too.
Placement PlaceCalendar(int pictureWidth, int pictureHeight, const PlacementChoices& choices,
                        int scalePercent = 100);

}  // namespace velnora
