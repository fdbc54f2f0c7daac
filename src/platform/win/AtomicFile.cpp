// SPDX-License-Identifier: GPL-3.0-or-later

#include "AtomicFile.h"
#include "WidePath.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <io.h>
#include <random>
#include <share.h>
#include <sys/stat.h>

#include <windows.h>

namespace velnora {

namespace {

// "<path>.XXXXXX", the six characters chosen as mkstemp chooses them, so both
// platforms leave the same kind of name behind.
std::string TemporaryNameFor(const std::string& path) {
    static const char letters[] =
        "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    static std::mt19937 pick{std::random_device{}()};
    std::uniform_int_distribution<std::size_t> letter(0, sizeof letters - 2);
    std::string name = path + ".";
    for (int i = 0; i < 6; ++i)
        name += letters[letter(pick)];
    return name;
}

// Windows' reasons for a refused move, as the C library's errno.
int ErrnoFor(DWORD error) {
    switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
        return ENOENT;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
        return ENOSPC;
    default:
        return EACCES;
    }
}

} // namespace

bool WriteAll(int fd, const void* data, std::size_t size) {
    const char* next = static_cast<const char*>(data);
    while (size > 0) {
        // _write takes at most INT_MAX bytes at a time.
        const unsigned chunk = static_cast<unsigned>(std::min<std::size_t>(size, 1u << 30));
        const int written = _write(fd, next, chunk);
        if (written < 0)
            return false;
        next += written;
        size -= static_cast<std::size_t>(written);
    }
    return true;
}

bool ReplaceFileWith(const std::string& path, mode_t mode, const ContentWriter& writeContent) {
    std::wstring temporary;
    int fd = -1;
    try {
        // A name already taken (by another writer) is passed over for a fresh one.
        for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
            temporary = WidePath(TemporaryNameFor(path));
            if (_wsopen_s(&fd, temporary.c_str(),
                          _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY | _O_NOINHERIT, _SH_DENYNO,
                          _S_IREAD | _S_IWRITE) != 0 &&
                errno != EEXIST)
                return false;
        }
    } catch (const std::exception&) {
        errno = ENOENT;
        return false;
    }
    if (fd < 0)
        return false;
    // Only a completed flush to the disk counts as written.
    bool done = writeContent(fd) && _commit(fd) == 0;
    int error = errno;
    if (_close(fd) != 0 && done) {
        done = false;
        error = errno;
    }
    // A file without any write bit is read-only, as the attribute makes it.
    if (done && (mode & 0222) == 0 && _wchmod(temporary.c_str(), _S_IREAD) != 0) {
        done = false;
        error = errno;
    }
    if (done) {
        // rename refuses an existing target on Windows; this replaces it in one
        // step and returns once the move is on the disk.
        if (MoveFileExW(temporary.c_str(), WidePath(path).c_str(),
                        MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
            return true;
        error = ErrnoFor(GetLastError());
    }
    _wchmod(temporary.c_str(), _S_IREAD | _S_IWRITE);
    _wunlink(temporary.c_str());
    errno = error;
    return false;
}

// Windows has no permission bits beyond read-only: a file is readable and
// writable by whoever its folder lets in.
mode_t NewFileMode() {
    return 0666;
}

mode_t ModeForReplacing(const std::string& path) {
    struct _stat64 info {};
    try {
        if (_wstat64(WidePath(path).c_str(), &info) == 0)
            return (info.st_mode & _S_IWRITE) ? 0666 : 0444;
    } catch (const std::exception&) {
    }
    return NewFileMode();
}

}  // namespace velnora
