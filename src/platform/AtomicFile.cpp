#include "AtomicFile.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

bool WriteAll(int fd, const void* data, std::size_t size) {
    const char* next = static_cast<const char*>(data);
    while (size > 0) {
        const ssize_t written = write(fd, next, size);
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        next += written;
        size -= static_cast<std::size_t>(written);
    }
    return true;
}

bool ReplaceFileWith(const std::string& path, mode_t mode, const ContentWriter& writeContent) {
    // The temporary name does not end like the target's, so a folder watcher
    // (the autostart folder, for one) never takes it for a finished file.
    std::string temporary = path + ".XXXXXX";
    const int fd = mkostemp(temporary.data(), O_CLOEXEC);
    if (fd < 0)
        return false;
    // mkostemp creates the file readable by its owner only; the caller says
    // who else may read it. Data the file system has not placed yet (delayed
    // allocation, network folders) can still fail for lack of space: only a
    // completed sync counts as written.
    bool done = fchmod(fd, mode) == 0 && writeContent(fd) && fsync(fd) == 0;
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

bool ReplaceFileContents(const std::string& path, const std::string& contents, mode_t mode) {
    return ReplaceFileWith(path, mode,
                           [&](int fd) { return WriteAll(fd, contents.data(), contents.size()); });
}
