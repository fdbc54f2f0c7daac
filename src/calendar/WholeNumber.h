// SPDX-License-Identifier: GPL-3.0-or-later
// The whole-number text rule shared by the date text, the distance fields, the
// settings file and the command line: optional leading spaces, an optional sign,
// then decimal digits in the signed 32-bit range, or hexadecimal digits after
// "$", "x", "X", "0x" or "0X" fitting 32 bits (top bit set reads negative);
// nothing may follow. Only the space counts as a leading blank (a tab does not).
// A "-" before hexadecimal digits negates their 32-bit value, wrapping as 32-bit
// arithmetic does: "-$1F" is -31, "-$FFFFFFFF" is 1, "-$80000000" is -2147483648.
// Empty text, blanks only, a lone sign, a lone prefix ("$", "0x") or anything
// after the digits (a space too) does not read.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace velnora {

std::optional<int32_t> TryStrToInt(const std::string& text);
// Throws std::runtime_error("'<text>' is not a valid integer value").
int32_t StrToInt(const std::string& text);

// The text with every Persian (U+06F0..U+06F9) and Arabic-Indic (U+0660..U+0669)
// digit of its UTF-8 turned into the ASCII digit of the same value, as a Persian
// keyboard layout types the former; every other byte stays.
std::string WithAsciiDigits(const std::string& utf8);

}  // namespace velnora
