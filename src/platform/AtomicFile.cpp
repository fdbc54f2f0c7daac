#include "AtomicFile.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

bool WriteAll(int fd, const std::string& contents) {
    const char* next = contents.data();
    std::size_t left = contents.size();
    while (left > 0) {
        const ssize_t written = write(fd, next, left);
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        next += written;
        left -= static_cast<std::size_t>(written);
    }
    return true;
}

} // namespace

bool ReplaceFileContents(const std::string& path, const std::string& contents, mode_t mode) {
    // The temporary name does not end like the target's, so a folder watcher
    // (the autostart folder, for one) never takes it for a finished file.
    std::string temporary = path + ".XXXXXX";
    const int fd = mkstemp(temporary.data());
    if (fd < 0)
        return false;
    bool done = fchmod(fd, mode) == 0 && WriteAll(fd, contents) && fsync(fd) == 0;
    int error = errno;
    if (close(fd) != 0 && done) {
        done = false;
        error = errno;
    }
    if (done) {
        if (rename(temporary.c_str(), path.c_str()) == 0)
            return true;
        error = errno;
    }
    unlink(temporary.c_str());
    errno = error;
    return false;
}
