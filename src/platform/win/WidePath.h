// SPDX-License-Identifier: GPL-3.0-or-later
// The program keeps paths as UTF-8 text; Windows' wide (UTF-16) file functions
// take any name, whatever the code page (MinGW's narrow functions and
// std::filesystem::path(std::string) go through the code page instead).
#pragma once

#include <string>

namespace velnora {

// Throws std::runtime_error for text that is not UTF-8.
std::wstring WidePath(const std::string& utf8);
// The way back, for what Windows returns (names, values, messages).
std::string Utf8Text(const wchar_t* wide, std::size_t length);

}  // namespace velnora
