// SPDX-License-Identifier: GPL-3.0-or-later
// The platform's BMP decoder behind ReadBmpFile (Qt's on Linux, GDI's on
// Windows), called once the header has passed ReadBmpFile's checks.
#pragma once

#include "Bitmap.h"

#include <string>

namespace velnora {

// As ReadBmpFile: false with the reason in *why when the file is not a
// readable BMP, leaving out untouched.
bool DecodeBmpFile(const std::string& path, Bitmap& out, std::string* why);

}  // namespace velnora
