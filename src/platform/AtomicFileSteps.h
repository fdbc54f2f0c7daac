// SPDX-License-Identifier: GPL-3.0-or-later
// The steps of a whole-file replacement that each platform takes its own way
// (AtomicFilePosix.cpp, win/AtomicFile.cpp); AtomicFile.cpp puts them in order.
// Each gives false (or -1), with errno telling why, when the system refuses.
#pragma once

#include <cstddef>
#include <string>
#include <sys/types.h>

namespace velnora {

// Creates a new file "<path>.XXXXXX" (six letters and digits, as mkstemp
// chooses them) open for writing, and names it in temporary.
int CreateTemporaryFile(const std::string& path, std::string& temporary);
// Writes as many of the bytes as the system takes at once; their number.
std::ptrdiff_t WriteSomeBytes(int fd, const char* data, std::size_t size);
// The content is on the disk.
bool SyncFile(int fd);
bool CloseFile(int fd);
bool SetFileMode(const std::string& file, mode_t mode);
// Puts temporary in path's place in one step, replacing the file there.
bool MoveIntoPlace(const std::string& temporary, const std::string& path);
// The move is on the disk.
bool SyncMoveTo(const std::string& path);
// A tidy-up after a refused step: errno is kept.
void RemoveTemporaryFile(const std::string& temporary);

}  // namespace velnora
