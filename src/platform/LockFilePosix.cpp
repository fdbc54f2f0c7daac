// SPDX-License-Identifier: GPL-3.0-or-later

#include "LockFile.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <system_error>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace velnora {

LockFileHandle OpenLockFile(const std::string& path) {
    std::error_code error;
    const std::filesystem::path file(path);
    if (file.has_parent_path())
        std::filesystem::create_directories(file.parent_path(), error);
    const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0)
        RefuseLockFile(path, std::strerror(errno));
    return fd;
}

bool TryLockFile(LockFileHandle file, const std::string& path) {
    const int fd = static_cast<int>(file);
    while (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        if (errno == EWOULDBLOCK)
            return false;
        if (errno != EINTR)
            RefuseLockFile(path, std::strerror(errno));
    }
    return true;
}

void CloseLockFile(LockFileHandle file) {
    ::close(static_cast<int>(file));
}

bool LockedFileIsNamed(LockFileHandle file, const std::string& path) {
    struct stat locked {};
    struct stat named {};
    return ::fstat(static_cast<int>(file), &locked) == 0 && ::stat(path.c_str(), &named) == 0 &&
           locked.st_dev == named.st_dev && locked.st_ino == named.st_ino;
}

void RemoveLockFile(const std::string& path) {
    ::unlink(path.c_str());
}

}  // namespace velnora
