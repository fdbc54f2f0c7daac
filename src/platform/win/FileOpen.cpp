// SPDX-License-Identifier: GPL-3.0-or-later

#include "FileOpen.h"
#include "WidePath.h"

#include <cerrno>
#include <io.h>

#include <windows.h>

namespace velnora {

std::FILE* OpenForReading(const std::string& path) {
    std::wstring wide;
    try {
        wide = WidePath(path);
    } catch (const std::exception&) {
        errno = ENOENT;
        return nullptr;
    }
    // The C runtime refuses a folder with EACCES; say what it is.
    const DWORD attributes = GetFileAttributesW(wide.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        errno = EISDIR;
        return nullptr;
    }
    // "N": not inherited by programs started later (Microsoft's C runtime).
    return _wfopen(wide.c_str(), L"rbN");
}

long long OpenFileSize(std::FILE* file) {
    return _filelengthi64(_fileno(file));
}

}  // namespace velnora
