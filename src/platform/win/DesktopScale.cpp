// SPDX-License-Identifier: GPL-3.0-or-later

#include "DesktopScale.h"

#include <algorithm>

#include <windows.h>

namespace velnora {

int DesktopScalePercent() {
    // The system's dots per inch over the 96 of 100 %, as Windows' display
    // settings give the scale; only a DPI-aware program (the manifest) is told
    // the real value.
    const HDC screen = GetDC(nullptr);
    const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 96;
    if (screen)
        ReleaseDC(nullptr, screen);
    return std::clamp(MulDiv(dpi, 100, 96), 100, 400);
}

}  // namespace velnora
