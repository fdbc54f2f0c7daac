// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's layout: every control with its id, kind, caption, style,
// place (in the client area; the frames' children are placed by their frame's
// offset plus their own) and font, and the six sunken frames the window
// draws itself.
#pragma once

#include "MainControlIds.h"

#include <windows.h>

#include <span>

namespace velnora {

enum class ControlFont {
    Tahoma,     // the window's font: Tahoma, 11-pixel characters
    TahomaBold, // the frames' controls, the confirm button, the headings
    SansSerif,  // the path field: MS Sans Serif, 11 pixels
};

struct ControlDesign {
    int id;
    // nullptr for a colour picker (CreateColourCombo).
    const wchar_t* windowClass;
    const wchar_t* caption;
    DWORD style; // besides WS_CHILD | WS_VISIBLE
    int left, top, width, height;
    ControlFont font;
};

// The controls that take the focus, in the order Tab visits them (their
// z-order), then the rest. A WS_GROUP starts each radio group and ends the
// group before it.
std::span<const ControlDesign> MainControls();

// The sunken frames of the six groups (Panel1..Panel6), in client pixels.
std::span<const RECT> MainFrames();

// The buttons' glyphs: the resource name of a bitmap whose magenta pixels
// are transparent, and its side in pixels.
struct GlyphDesign {
    int id;
    const wchar_t* resource;
    int side;
};
std::span<const GlyphDesign> MainGlyphs();

// The headings: bold blue text straddling their frame's top edge.
bool IsHeading(int id);

} // namespace velnora
