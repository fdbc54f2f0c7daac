// SPDX-License-Identifier: GPL-3.0-or-later
// How much larger than at 96 dots per inch the desktop draws its windows.
#pragma once

namespace velnora {

// The desktop's scale factor in percent, from 100 to 400: the largest of the
// screen's device pixel ratio when the program runs a Qt application on a real
// screen, GNOME's interface scaling factor and the X resources' Xft.dpi over 96.
// 100 when none of them is known (an ordinary screen, no desktop at all).
int DesktopScalePercent();

}  // namespace velnora
