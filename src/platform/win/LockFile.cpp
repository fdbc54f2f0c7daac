// SPDX-License-Identifier: GPL-3.0-or-later

#include "LockFile.h"
#include "SystemMessage.h"
#include "WidePath.h"

#include <filesystem>
#include <system_error>

#include <windows.h>

namespace velnora {

LockFileHandle OpenLockFile(const std::string& path) {
    const std::filesystem::path file(WidePath(path));
    std::error_code ignored;
    if (file.has_parent_path())
        std::filesystem::create_directories(file.parent_path(), ignored);
    // Shared for reading and writing: the lock, not the open, keeps other
    // copies out. Not inherited by programs started later.
    const HANDLE handle = CreateFileW(file.c_str(), GENERIC_READ | GENERIC_WRITE,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        RefuseLockFile(path, SystemMessage(GetLastError()));
    return reinterpret_cast<LockFileHandle>(handle);
}

bool TryLockFile(LockFileHandle file, const std::string& path) {
    OVERLAPPED from{}; // the lock covers the first byte, whatever the file holds
    if (LockFileEx(reinterpret_cast<HANDLE>(file),
                   LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0, &from))
        return true;
    const DWORD error = GetLastError();
    if (error == ERROR_LOCK_VIOLATION || error == ERROR_IO_PENDING)
        return false;
    RefuseLockFile(path, SystemMessage(error));
}

void CloseLockFile(LockFileHandle file) {
    CloseHandle(reinterpret_cast<HANDLE>(file));
}

bool LockedFileIsNamed(LockFileHandle, const std::string&) {
    return true;
}

void RemoveLockFile(const std::string& path) {
    DeleteFileW(WidePath(path).c_str());
}

}  // namespace velnora
