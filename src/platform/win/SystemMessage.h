// SPDX-License-Identifier: GPL-3.0-or-later
// Windows' own text for an error code (GetLastError), as strerror gives it on POSIX.
#pragma once

#include <string>

namespace velnora {

// The system's message in UTF-8 without its line end; "Error <code>" when it has none.
std::string SystemMessage(unsigned long code);

}  // namespace velnora
