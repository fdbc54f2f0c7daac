// SPDX-License-Identifier: GPL-3.0-or-later
// The colour picker of the Windows windows: a swatch that drops down the 40
// standard colours in 5 rows of 8 and, below them, "More Colors..." (the
// system's colour dialog, fully open) with the custom colour's swatch.
#pragma once

#include "Colour.h"

#include <windows.h>

namespace velnora {

// A child control at that place of the parent, with that control id. It tells
// its parent of every change of colour with WM_COMMAND, CBN_SELCHANGE.
HWND CreateColourCombo(HWND parent, int controlId, int x, int y, int width, int height);

Colour ColourComboValue(HWND combo);
// A colour outside the palette becomes the custom colour.
void SetColourComboValue(HWND combo, Colour colour);

}  // namespace velnora
