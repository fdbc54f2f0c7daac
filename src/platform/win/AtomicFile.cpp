// SPDX-License-Identifier: GPL-3.0-or-later
// The Windows steps of a whole-file replacement.
#include "AtomicFile.h"
#include "AtomicFileSteps.h"
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

int CreateTemporaryFile(const std::string& path, std::string& temporary) {
    int fd = -1;
    try {
        // A name already taken (by another writer) is passed over for a fresh one.
        for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
            temporary = TemporaryNameFor(path);
            if (_wsopen_s(&fd, WidePath(temporary).c_str(),
                          _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY | _O_NOINHERIT, _SH_DENYNO,
                          _S_IREAD | _S_IWRITE) != 0 &&
                errno != EEXIST)
                return -1;
        }
    } catch (const std::exception&) {
        errno = ENOENT;
        return -1;
    }
    return fd;
}

std::ptrdiff_t WriteSomeBytes(int fd, const char* data, std::size_t size) {
    // _write takes at most INT_MAX bytes at a time.
    return _write(fd, data, static_cast<unsigned>(std::min<std::size_t>(size, 1u << 30)));
}

bool SyncFile(int fd) {
    return _commit(fd) == 0;
}

bool CloseFile(int fd) {
    return _close(fd) == 0;
}

// A file without any write bit is read-only, as the attribute makes it.
bool SetFileMode(const std::string& file, mode_t mode) {
    return (mode & 0222) != 0 || _wchmod(WidePath(file).c_str(), _S_IREAD) == 0;
}

// rename refuses an existing target on Windows; this replaces it in one step
// and returns once the move is on the disk.
bool MoveIntoPlace(const std::string& temporary, const std::string& path) {
    if (MoveFileExW(WidePath(temporary).c_str(), WidePath(path).c_str(),
                    MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return true;
    errno = ErrnoFor(GetLastError());
    return false;
}

// MOVEFILE_WRITE_THROUGH has put the move on the disk.
bool SyncMoveTo(const std::string&) {
    return true;
}

void RemoveTemporaryFile(const std::string& temporary) {
    const int error = errno;
    const std::wstring wide = WidePath(temporary);
    _wchmod(wide.c_str(), _S_IREAD | _S_IWRITE);
    _wunlink(wide.c_str());
    errno = error;
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
