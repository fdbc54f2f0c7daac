// SPDX-License-Identifier: GPL-3.0-or-later
// The windows are designed in pixels at 96 dots per inch. The manifest makes
// the program DPI-aware, so Windows does not enlarge them on a scaled screen:
// every measure goes through Scaled with the window's own DPI.
#pragma once

#include <windows.h>

namespace velnora {

// The dots per inch of the screen the window is on (of the primary screen
// for a null window); 96 at 100 %.
int WindowDpi(HWND window);

// A design measure at that DPI, rounded to the nearest pixel.
inline int Scaled(int designPixels, int dpi) {
    return MulDiv(designPixels, dpi, 96);
}

inline RECT Scaled(RECT design, int dpi) {
    return {Scaled(design.left, dpi), Scaled(design.top, dpi), Scaled(design.right, dpi),
            Scaled(design.bottom, dpi)};
}

// The outer size of a window of that style whose client area has that size
// in pixels at 96 dpi, at dpi: the client scaled, the frame of that DPI.
SIZE ScaledWindowSize(int clientWidth, int clientHeight, DWORD style, DWORD exStyle, int dpi);

} // namespace velnora
