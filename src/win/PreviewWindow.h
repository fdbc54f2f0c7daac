// SPDX-License-Identifier: GPL-3.0-or-later
// The preview window (500 x 375 client at 96 dpi, modal) and the about window.
#pragma once

#include "Bitmap.h"

#include <windows.h>

#include <functional>

namespace velnora {

// Composes the preview into work (the main window's Preview use case). An
// exception it throws is shown in a message box and the window still opens,
// showing what work holds (nothing, when the picture could not be read).
using PreviewComposer = std::function<void(Bitmap& work)>;

// The client area at 96 dpi: a 4:3 frame whatever the picture's proportions.
inline constexpr int PreviewWidth = 500;
inline constexpr int PreviewHeight = 375;

// The preview picture: composed into work, then stretched to the client area
// at the window's dpi. Throws what compose throws; work then holds what
// compose left.
void ComposePreview(Bitmap& work, const PreviewComposer& compose, int dpi);

// Shows the preview modally over owner, composed once at its opening and
// stretched to the client area; returns when it has closed (Esc, close box).
void ShowPreviewWindow(HWND owner, const PreviewComposer& compose);

// Shows the about window modally; returns when it has closed (Esc, its
// button, close box).
void ShowAboutWindow(HWND owner);

}  // namespace velnora
