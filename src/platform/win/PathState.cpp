// SPDX-License-Identifier: GPL-3.0-or-later

#include "PathState.h"
#include "WidePath.h"

#include <cerrno>
#include <filesystem>
#include <system_error>

#include <windows.h>

namespace velnora {

namespace fs = std::filesystem;

bool ReadPathState(const std::string& path, bool, PathState& state) {
    state = PathState{};
    const DWORD attributes = GetFileAttributesW(WidePath(path).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        const DWORD error = GetLastError();
        if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND)
            return true;
        errno = EACCES;
        return false;
    }
    state.kind = (attributes & FILE_ATTRIBUTE_DIRECTORY) ? PathKind::Folder : PathKind::File;
    const bool readOnly = attributes & FILE_ATTRIBUTE_READONLY;
    state.mode = readOnly ? 0444 : 0666;
    state.writeError = readOnly ? EACCES : 0;
    return true;
}

std::string FollowLinks(const std::string& path) {
    std::error_code error;
    const fs::path file(WidePath(path));
    if (!fs::is_symlink(file, error))
        return path;
    const fs::path target = fs::weakly_canonical(file, error);
    if (error) {
        errno = error.default_error_condition().value();
        return "";
    }
    const std::u8string text = target.u8string();
    return std::string(text.begin(), text.end());
}

bool MakeParentFolders(const std::string& path) {
    const fs::path file(WidePath(path));
    if (!file.has_parent_path())
        return true;
    std::error_code error;
    fs::create_directories(file.parent_path(), error);
    if (error)
        errno = error.default_error_condition().value();
    return !error;
}

bool OwnedByThisUser(const std::string& path) {
    PathState state;
    return ReadPathState(path, true, state) && state.kind != PathKind::Missing;
}

}  // namespace velnora
