// SPDX-License-Identifier: GPL-3.0-or-later
// The window fonts of the design, "Tahoma" and "MS Sans Serif", are Windows
// fonts; where they are missing, Qt takes the first installed substitute.
#pragma once

#include <QFont>

namespace velnora {

void InstallFontSubstitutes();

// Tahoma with an 11-pixel character height (8 point at 96 dpi), as the windows use.
QFont TahomaFont(bool bold);
// The path field's font: MS Sans Serif, 11 pixels, regular.
QFont SansSerifFont();

}  // namespace velnora
