// SPDX-License-Identifier: GPL-3.0-or-later
// One picture for a desktop that spans it over all monitors, made so that each
// monitor shows the source as the desktop showed it there on its own.
#pragma once

#include "Bitmap.h"
#include "Colour.h"
#include "Monitors.h"

#include <vector>

namespace velnora {

// How the desktop lays a picture out on a screen, in the terms of the
// WallpaperStyle values: fill (10) covers the screen and crops what is left
// over, the proportions kept, centred; stretch (2) fits it to the screen
// exactly; fit (6) shows it whole, as large as the screen holds it with its
// proportions kept, centred; centre (0) shows it unscaled in the middle.
// TopLeft shows it unscaled from the screen's top-left corner, as the
// program's own style (1) and a tiled one do.
enum class MonitorFit { Fill, Stretch, Fit, Centre, TopLeft };

// The rectangle of a pictureWidth x pictureHeight picture that fit shows on a
// screenWidth x screenHeight screen, in the picture's pixels: where the
// screen's corners fall. It reaches past the picture where the screen shows
// more than the picture (fit, centre, top-left), and is the whole picture when
// the picture has the screen's size.
PixelRect ShownPart(int pictureWidth, int pictureHeight, int screenWidth, int screenHeight,
                    MonitorFit fit);

// Replaces bitmap by a picture of the desktop's box (desktopWidth x
// desktopHeight) whose region of each monitor holds the source laid out by fit
// at that monitor's size, on the colour behind where the source does not
// cover it; what no monitor shows is black. Throws as StretchBitmap does,
// leaving bitmap as it was.
void SpreadOverMonitors(Bitmap& bitmap, int desktopWidth, int desktopHeight,
                        const std::vector<Monitor>& monitors, MonitorFit fit,
                        Colour behind = Colour{0});

}  // namespace velnora
