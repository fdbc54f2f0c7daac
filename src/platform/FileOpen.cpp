// SPDX-License-Identifier: GPL-3.0-or-later

#include "FileOpen.h"

#include <cerrno>
#include <sys/stat.h>

namespace velnora {

std::FILE* OpenForReading(const std::string& path) {
    // "e": close-on-exec (glibc).
    std::FILE* file = std::fopen(path.c_str(), "rbe");
    if (!file)
        return nullptr;
    // A folder opens for reading on Linux; only the first read fails.
    struct stat status {};
    if (fstat(fileno(file), &status) == 0 && S_ISDIR(status.st_mode)) {
        std::fclose(file);
        errno = EISDIR;
        return nullptr;
    }
    return file;
}

long long OpenFileSize(std::FILE* file) {
    struct stat status {};
    return fstat(fileno(file), &status) == 0 ? static_cast<long long>(status.st_size) : -1;
}

}  // namespace velnora
