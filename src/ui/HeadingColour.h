// SPDX-License-Identifier: GPL-3.0-or-later
// The colour of the group headings: the designed blue where it reads, on a
// light window, and a lighter blue that reads on a dark one.
#pragma once

#include <QColor>

namespace velnora {

// The contrast ratio of two colours as WCAG 2 defines it, from 1 (the same
// luminance) to 21 (black on white).
double ContrastRatio(const QColor& first, const QColor& second);

// The headings' blue for a window colour and the headings' own background:
// pure blue while the window is light (black text contrasts more with it than
// white does); on a dark window, blue lightened toward white just enough to
// contrast 4.5:1 with the background (WCAG's level AA for text this small).
QColor HeadingBlue(const QColor& window, const QColor& background);

}  // namespace velnora
