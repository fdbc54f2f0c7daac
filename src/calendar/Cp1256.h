// SPDX-License-Identifier: GPL-3.0-or-later
// Windows-1256 (Arabic code page) to Unicode.
#pragma once

#include <string>

namespace velnora {

std::string Cp1256ToUtf8(const std::string& bytes);
// The same as UTF-16, which Qt and the Windows API take: one unit a byte.
std::u16string Cp1256ToUtf16(const std::string& bytes);

// The text in UTF-8 spelt as Persian writes it today: the code page's Arabic
// yeh and kaf (U+064A, U+0643) become the Persian yeh and keheh (U+06CC, U+06A9).
std::string PersianSpelling(const std::string& cp1256);

}  // namespace velnora
