// SPDX-License-Identifier: GPL-3.0-or-later
// Opening a file by its UTF-8 path for reading with the C library, the same way
// on every platform.
#pragma once

#include <cstdio>
#include <string>

namespace velnora {

// Opens path for reading bytes, not inherited by programs started later.
// nullptr, with errno telling why, when it cannot be opened; a folder is
// refused with EISDIR.
std::FILE* OpenForReading(const std::string& path);
// The size in bytes of the open file; -1 when the system cannot tell.
long long OpenFileSize(std::FILE* file);

}  // namespace velnora
