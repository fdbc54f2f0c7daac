// SPDX-License-Identifier: GPL-3.0-or-later
// The POSIX steps of a whole-file replacement.
#include "AtomicFile.h"
#include "AtomicFileSteps.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace velnora {

namespace {

// mkstemp replaces the six X of its template with these characters (glibc).
bool IsTemplateCharacter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
}

// "<target name>.XXXXXX" with exactly six template characters.
bool IsTemporaryOf(const std::string& entry, const std::string& targetName) {
    if (entry.size() != targetName.size() + 7 ||
        entry.compare(0, targetName.size(), targetName) != 0 || entry[targetName.size()] != '.')
        return false;
    for (std::size_t i = targetName.size() + 1; i < entry.size(); ++i)
        if (!IsTemplateCharacter(entry[i]))
            return false;
    return true;
}

// A write that is still going on changes its temporary file all the time (a
// 4K picture takes well under a second), so a minute without a change means
// the writer was killed between creating the file and renaming it. A younger
// one may belong to another copy of the program writing now, and stays.
constexpr time_t StaleAfterSeconds = 60;

std::string FolderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? "." : path.substr(0, slash + 1);
}

// Removes what killed writes of path left behind. Only a tidy-up: a file that
// cannot be listed or removed stays, and the write itself goes on.
void RemoveStaleTemporaries(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    DIR* listing = opendir(FolderOf(path).c_str());
    if (listing == nullptr)
        return;
    const time_t now = time(nullptr);
    while (const dirent* entry = readdir(listing)) {
        if (!IsTemporaryOf(entry->d_name, name))
            continue;
        struct stat info {};
        if (fstatat(dirfd(listing), entry->d_name, &info, AT_SYMLINK_NOFOLLOW) == 0 &&
            S_ISREG(info.st_mode) && info.st_mtime + StaleAfterSeconds < now)
            unlinkat(dirfd(listing), entry->d_name, 0);
    }
    closedir(listing);
}

} // namespace

int CreateTemporaryFile(const std::string& path, std::string& temporary) {
    const int savedErrno = errno;
    RemoveStaleTemporaries(path);
    errno = savedErrno;
    // The temporary name does not end like the target's, so a folder watcher
    // (the autostart folder, for one) never takes it for a finished file.
    temporary = path + ".XXXXXX";
    return mkostemp(temporary.data(), O_CLOEXEC);
}

std::ptrdiff_t WriteSomeBytes(int fd, const char* data, std::size_t size) {
    ssize_t written;
    do
        written = write(fd, data, size);
    while (written < 0 && errno == EINTR);
    return written;
}

bool SyncFile(int fd) {
    return fsync(fd) == 0;
}

bool CloseFile(int fd) {
    return close(fd) == 0;
}

bool SetFileMode(const std::string& file, mode_t mode) {
    return chmod(file.c_str(), mode) == 0;
}

bool MoveIntoPlace(const std::string& temporary, const std::string& path) {
    return rename(temporary.c_str(), path.c_str()) == 0;
}

// The rename is only on disk once the folder is: without this, a crash soon
// after could bring back the old file, or none. A file system that cannot
// sync a folder (EINVAL) keeps its renames by its own rules.
bool SyncMoveTo(const std::string& path) {
    const int fd = open(FolderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool synced = fsync(fd) == 0 || errno == EINVAL;
    const int error = errno;
    close(fd);
    errno = error;
    return synced;
}

void RemoveTemporaryFile(const std::string& temporary) {
    const int error = errno;
    unlink(temporary.c_str());
    errno = error;
}

mode_t NewFileMode() {
    return 0600;
}

mode_t ModeForReplacing(const std::string& path) {
    struct stat info {};
    if (stat(path.c_str(), &info) == 0)
        return info.st_mode & 07777;
    return NewFileMode();
}

}  // namespace velnora
