// SPDX-License-Identifier: GPL-3.0-or-later

#include "WidePath.h"

#include <stdexcept>

#include <windows.h>

namespace velnora {

std::wstring WidePath(const std::string& utf8) {
    if (utf8.empty())
        return {};
    const int size = static_cast<int>(utf8.size());
    const int wide = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), size, nullptr, 0);
    if (wide <= 0)
        throw std::runtime_error("Not a UTF-8 path: " + utf8);
    std::wstring out(static_cast<std::size_t>(wide), L'\0');
    MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), size, out.data(), wide);
    return out;
}

std::string Utf8Text(const wchar_t* wide, std::size_t length) {
    if (length == 0)
        return {};
    const int size = static_cast<int>(length);
    const int bytes = WideCharToMultiByte(CP_UTF8, 0, wide, size, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(bytes), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide, size, out.data(), bytes, nullptr, nullptr);
    return out;
}

}  // namespace velnora
