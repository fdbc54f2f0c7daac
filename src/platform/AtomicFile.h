// SPDX-License-Identifier: GPL-3.0-or-later
// Replacing a file's whole content so that a reader sees either the old file or
// the new one, never a part: a temporary file in the same folder, synced, then
// renamed over the target (rename on POSIX, MoveFileExW on Windows), and the
// folder synced. Paths are UTF-8.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <sys/types.h>

namespace velnora {

// Writes the new content into the open temporary file; false, with errno
// telling why, when a write is refused.
using ContentWriter = std::function<bool(int fd)>;

// False when any step is refused (errno then tells why); the target is then
// untouched and the temporary file removed (but for a folder that cannot be
// synced after the rename: the new file is then in place). The temporary file is named
// <path>.XXXXXX (mkstemp's six characters); one of that name older than a
// minute, left by a write that was killed, is removed first (on POSIX; the
// Windows build leaves it).
bool ReplaceFileWith(const std::string& path, mode_t mode, const ContentWriter& writeContent);

// Writes all of the bytes, resuming after a short write or an interruption;
// false, with errno telling why, when the system refuses.
bool WriteAll(int fd, const void* data, std::size_t size);

inline bool ReplaceFileContents(const std::string& path, const std::string& contents, mode_t mode) {
    return ReplaceFileWith(path, mode,
                           [&](int fd) { return WriteAll(fd, contents.data(), contents.size()); });
}

// The mode a newly created file gets, whatever the umask: 0600, the user's
// own. The settings, the record of the user's wallpaper and the store values
// are nobody else's to read or change.
mode_t NewFileMode();
// The mode for a file that replaces path: that of the file there now, or
// NewFileMode() when there is none.
mode_t ModeForReplacing(const std::string& path);

}  // namespace velnora
