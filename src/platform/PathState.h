// SPDX-License-Identifier: GPL-3.0-or-later
// What a change of a file must know of its path first, asked the same way on
// every platform.
#pragma once

#include <string>
#include <sys/types.h>

namespace velnora {

enum class PathKind { Missing, File, Folder, Other };

struct PathState {
    PathKind kind = PathKind::Missing;
    // 0 when this user may write the file, else the reason (an errno value).
    // A file without any write bit is read-only, as the Windows attribute makes it.
    int writeError = 0;
    mode_t mode = 0; // the permission bits a replacement keeps
};

// What path names, a symbolic link followed when follow is true. False, with
// errno telling why, when the system cannot tell; a missing path is no failure.
bool ReadPathState(const std::string& path, bool follow, PathState& state);
// The file a symbolic link finally leads to; path itself when it is no link.
// "" with errno telling why when the link cannot be resolved.
std::string FollowLinks(const std::string& path);
// Creates the folders above path that are missing; false, with errno, when refused.
bool MakeParentFolders(const std::string& path);
// True when path exists and belongs to the user running the program. On
// Windows every file the program can reach counts as the user's own: a shared
// program folder there is not told apart.
bool OwnedByThisUser(const std::string& path);

}  // namespace velnora
