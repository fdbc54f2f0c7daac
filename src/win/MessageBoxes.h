// SPDX-License-Identifier: GPL-3.0-or-later
// The program's message boxes: modal over their owner, one OK button.
#pragma once

#include <windows.h>

#include <string>

namespace velnora {

// title and text in UTF-8; icon one of MB_ICONERROR, MB_ICONINFORMATION, ...
void ShowMessage(HWND owner, const std::string& title, const std::string& text, UINT icon);

// "Selected File Not Found !", titled "Error", with the error icon.
void ShowSelectedFileNotFound(HWND owner);

} // namespace velnora
