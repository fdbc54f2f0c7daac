// SPDX-License-Identifier: GPL-3.0-or-later
// The colour picker of the Windows windows: a swatch that drops down the 40
// standard colours in 5 rows of 8 and, below them, "More Colors..." (the
// system's colour dialog, fully open) with the custom colour's swatch.
#pragma once

#include "Colour.h"

#include <windows.h>

namespace velnora {

// A child control at that place of the parent, with that control id. It tells
// its parent of every change of colour the user makes with WM_COMMAND,
// CBN_SELCHANGE (setting the colour from code tells nothing, as a combo box's
// CB_SETCURSEL does). It takes the focus; Enter, Space, F4 and Alt+Down open
// the drop-down, the arrows move in it, Enter or Space picks, Esc closes.
HWND CreateColourCombo(HWND parent, int controlId, int x, int y, int width, int height);

Colour ColourComboValue(HWND combo);
// A colour outside the palette becomes the custom colour.
void SetColourComboValue(HWND combo, Colour colour);
// The custom colour: white until "More Colors..." confirms another or a colour
// outside the palette is set.
Colour ColourComboCustom(HWND combo);

}  // namespace velnora
