// SPDX-License-Identifier: GPL-3.0-or-later
// The system's exclusive lock on an open file: the part of FileLock that each
// platform does its own way (flock on POSIX, LockFileEx on Windows). The lock
// belongs to the open file, so two opens of one file exclude each other even
// within one process.
#pragma once

#include <cstdint>
#include <string>

namespace velnora {

// A file descriptor on POSIX, a HANDLE on Windows.
using LockFileHandle = std::intptr_t;

// Creates the file (and its folder) when missing. Throws "Unable to write to
// <path>. <reason>" when the file cannot be opened.
LockFileHandle OpenLockFile(const std::string& path);
// True when the lock is taken, false when another open of the file holds it;
// throws as OpenLockFile when the system refuses otherwise.
bool TryLockFile(LockFileHandle file, const std::string& path);
// True while path still names the locked open file: another copy may have
// removed the file after its last use (always true on Windows, where an open
// file cannot be removed).
bool LockedFileIsNamed(LockFileHandle file, const std::string& path);
// Removes the lock file; a file already gone is no error.
void RemoveLockFile(const std::string& path);
// Closing the file lets go of its lock.
void CloseLockFile(LockFileHandle file);

// The message of a lock file the system refuses, with its reason.
[[noreturn]] void RefuseLockFile(const std::string& path, const std::string& reason);

}  // namespace velnora
