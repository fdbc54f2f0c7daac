// SPDX-License-Identifier: GPL-3.0-or-later

#include "MessageBoxes.h"

#include "Wallpaper.h"
#include "WidePath.h"

namespace velnora {

void ShowMessage(HWND owner, const std::string& title, const std::string& text, UINT icon) {
    MessageBoxW(owner, WidePath(text).c_str(), WidePath(title).c_str(), MB_OK | icon);
}

void ShowSelectedFileNotFound(HWND owner) {
    ShowMessage(owner, "Error", SelectedFileNotFound, MB_ICONERROR);
}

} // namespace velnora
