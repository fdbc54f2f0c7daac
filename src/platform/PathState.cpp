// SPDX-License-Identifier: GPL-3.0-or-later

#include "PathState.h"

#include <cerrno>
#include <filesystem>
#include <system_error>

#include <sys/stat.h>
#include <unistd.h>

namespace velnora {

namespace fs = std::filesystem;

bool ReadPathState(const std::string& path, bool follow, PathState& state) {
    state = PathState{};
    struct stat info {};
    if ((follow ? ::stat(path.c_str(), &info) : ::lstat(path.c_str(), &info)) != 0)
        return errno == ENOENT;
    state.kind = S_ISREG(info.st_mode)   ? PathKind::File
                 : S_ISDIR(info.st_mode) ? PathKind::Folder
                                         : PathKind::Other;
    state.mode = info.st_mode & 07777;
    // root would write a file without write bits: test the bits too.
    if ((info.st_mode & 0222) == 0)
        state.writeError = EACCES;
    else if (::access(path.c_str(), W_OK) != 0)
        state.writeError = errno;
    return true;
}

std::string FollowLinks(const std::string& path) {
    std::error_code error;
    if (!fs::is_symlink(path, error))
        return path;
    const fs::path target = fs::weakly_canonical(path, error);
    if (error) {
        errno = error.value();
        return "";
    }
    return target.string();
}

bool MakeParentFolders(const std::string& path) {
    const fs::path file(path);
    if (!file.has_parent_path())
        return true;
    std::error_code error;
    fs::create_directories(file.parent_path(), error);
    if (error)
        errno = error.value();
    return !error;
}

bool OwnedByThisUser(const std::string& path) {
    struct stat status {};
    return ::stat(path.c_str(), &status) == 0 && status.st_uid == ::geteuid();
}

}  // namespace velnora
