// SPDX-License-Identifier: GPL-3.0-or-later
// Placeholders until the picture dialog, the preview, the about and the
// options windows are built.
#include "OptionsWindow.h"
#include "PictureDialog.h"
#include "PreviewWindow.h"

namespace velnora {

std::optional<std::string> ChoosePictureFile(HWND) { return std::nullopt; }

void ShowPreviewWindow(HWND, const PreviewComposer& compose) {
    Bitmap work;
    compose(work);
}

void ShowAboutWindow(HWND) {}

std::optional<WindowOptions> ShowOptionsWindow(HWND, const WindowOptions&) { return std::nullopt; }

}  // namespace velnora
