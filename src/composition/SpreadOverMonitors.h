// SPDX-License-Identifier: GPL-3.0-or-later
// One picture for a desktop that spans it over all monitors, made so that each
// monitor shows the source as the desktop showed it there on its own.
#pragma once

#include "Bitmap.h"
#include "Monitors.h"

#include <vector>

namespace velnora {

// How the desktop lays a picture out on each monitor, in the terms of the
// WallpaperStyle values: fill (10) covers the monitor and crops what is left
// over, the proportions kept, centred; stretch (2) fits it to the monitor
// exactly.
enum class MonitorFit { Fill, Stretch };

// Replaces bitmap by a picture of the desktop's box (desktopWidth x
// desktopHeight) whose region of each monitor holds the source laid out by fit
// at that monitor's size; what no monitor shows is black. Throws as
// StretchBitmap does, leaving bitmap as it was.
void SpreadOverMonitors(Bitmap& bitmap, int desktopWidth, int desktopHeight,
                        const std::vector<Monitor>& monitors, MonitorFit fit);

}  // namespace velnora
