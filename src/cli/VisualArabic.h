// SPDX-License-Identifier: GPL-3.0-or-later
// Persian words laid out for a terminal, the same whether or not the terminal
// lays out right-to-left text itself.
#pragma once

#include <optional>
#include <string>

namespace velnora {

// The Windows-1256 word in visual order, left to right: each letter in the
// Arabic presentation form it takes in the word (U+FB50..U+FEFF, the yeh in
// the Persian yeh's forms; so that no terminal shapes it again), each between
// left-to-right marks (U+200E, so that no terminal reorders them). A terminal
// without right-to-left layout (xterm) draws the letters as they come, one
// with it (VTE, Konsole) keeps them in place: both show the word reading right
// to left, joined. Nothing when the word holds a letter outside the month
// names' letters.
std::optional<std::string> VisualArabicWord(const std::string& cp1256);

}  // namespace velnora
