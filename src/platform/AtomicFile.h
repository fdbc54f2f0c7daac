// Replacing a file's whole content so that a reader sees either the old file or
// the new one, never a part: a temporary file in the same folder, then rename.
#pragma once

#include <string>
#include <sys/types.h>

// False when any step is refused (errno then tells why); the target is then
// untouched and the temporary file removed.
bool ReplaceFileContents(const std::string& path, const std::string& contents, mode_t mode);
