// SPDX-License-Identifier: GPL-3.0-or-later
// The text a canvas draws for the calendar's Windows-1256 bytes, the same on
// every platform's canvas.
#pragma once

#include <string>

namespace velnora {

// Grid and title texts are Windows-1256 with ASCII digits. The digits are drawn
// in their Persian shapes (U+06F0..U+06F9), as the "v_" fonts draw them, so the
// calendar reads the same whatever face was found. The code page has only the
// Arabic yeh and kaf; a Persian reader expects the Persian letters (U+06CC,
// with no dots at the end of a word, and U+06A9), which the "v_" fonts draw
// for the Arabic codes.
std::u16string DisplayText(const std::string& cp1256);

// The day numbers of two digits (10 to 31), whose widest a face must fit into
// a cell's width.
inline constexpr int FirstTwoDigitDay = 10;
inline constexpr int LastDay = 31;

}  // namespace velnora
