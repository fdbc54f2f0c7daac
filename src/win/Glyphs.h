// SPDX-License-Identifier: GPL-3.0-or-later
// The button glyphs: the program's bitmap resources, magenta for transparent.
#pragma once

#include <windows.h>

#include <commctrl.h>

namespace velnora {

// The glyph of that bitmap resource, side x side pixels; null when the
// program has no such resource (the test programs).
HIMAGELIST MakeGlyph(const wchar_t* resource, int side);

// Shows the glyph on the button: left of its caption, or centred when it has
// none. The button keeps the list's handle; the caller destroys the list.
void PutGlyph(HWND button, HIMAGELIST glyph);

}  // namespace velnora
