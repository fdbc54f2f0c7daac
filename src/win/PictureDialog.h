// SPDX-License-Identifier: GPL-3.0-or-later
// The picture dialog: the system's open dialog with the window's filters
// (all pictures, JPEG files, bitmaps).
#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace velnora {

// The confirmed file's full path in UTF-8, or nullopt when the user cancels.
std::optional<std::string> ChoosePictureFile(HWND owner);

}  // namespace velnora
