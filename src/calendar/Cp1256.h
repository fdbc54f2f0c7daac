// SPDX-License-Identifier: GPL-3.0-or-later
// Windows-1256 (Arabic code page) to Unicode.
#pragma once

#include <string>

namespace velnora {

std::string Cp1256ToUtf8(const std::string& bytes);
// The same as UTF-16, which Qt and the Windows API take: one unit a byte.
std::u16string Cp1256ToUtf16(const std::string& bytes);

}  // namespace velnora
