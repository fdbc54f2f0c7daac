// SPDX-License-Identifier: GPL-3.0-or-later

#include "AtomicFile.h"
#include "AtomicFileSteps.h"

#include <cerrno>

namespace velnora {

bool WriteAll(int fd, const void* data, std::size_t size) {
    const char* next = static_cast<const char*>(data);
    while (size > 0) {
        const std::ptrdiff_t written = WriteSomeBytes(fd, next, size);
        if (written < 0)
            return false;
        next += written;
        size -= static_cast<std::size_t>(written);
    }
    return true;
}

bool ReplaceFileWith(const std::string& path, mode_t mode, const ContentWriter& writeContent) {
    std::string temporary;
    const int fd = CreateTemporaryFile(path, temporary);
    if (fd < 0)
        return false;
    // Data the file system has not placed yet (delayed allocation, network
    // folders) can still fail for lack of space: only a completed sync counts
    // as written.
    bool done = writeContent(fd) && SyncFile(fd);
    int error = errno;
    if (!CloseFile(fd) && done) {
        done = false;
        error = errno;
    }
    // The caller says who may read the file (POSIX creates it for its owner
    // alone); set once written, as a read-only file refuses writes on Windows.
    if (done && !SetFileMode(temporary, mode)) {
        done = false;
        error = errno;
    }
    if (done) {
        if (MoveIntoPlace(temporary, path))
            return SyncMoveTo(path);
        error = errno;
    }
    errno = error;
    RemoveTemporaryFile(temporary);
    return false;
}

}  // namespace velnora
