// SPDX-License-Identifier: GPL-3.0-or-later
// What the small windows share: a modal window built from code (a dialog with
// no template controls, so the system gives it the modal loop, Tab and Esc),
// its client size and place, and its fonts.
#pragma once

#include <windows.h>

namespace velnora {

// Shows a modal window over owner with a tool window's title bar (only the
// close box), the given client size, centred on the owner's screen. proc gets
// param with WM_INITDIALOG, and WindowData finds it from then on; Esc and the
// close box send it IDCANCEL. The client size is in pixels at 96 dpi, scaled
// to the window's DPI. Returns what proc passes to EndDialog.
INT_PTR ShowModalWindow(HWND owner, const wchar_t* title, int clientWidth, int clientHeight,
                        DWORD extraExStyle, DLGPROC proc, LPARAM param);

// The param of ShowModalWindow (null before WM_INITDIALOG).
template <typename Data> Data* WindowData(HWND window) {
    return reinterpret_cast<Data*>(GetWindowLongPtrW(window, DWLP_USER));
}

// Paints the window's invalid part with paint, between BeginPaint and EndPaint.
template <typename Paint> void PaintWindow(HWND window, Paint paint) {
    PAINTSTRUCT painting;
    const HDC dc = BeginPaint(window, &painting);
    paint(dc);
    EndPaint(window, &painting);
}

// Tahoma with an 11-pixel character height (8 point) at 96 dpi, scaled to
// dpi, the windows' font; the caller deletes it.
HFONT CreateTahomaFont(bool bold, int dpi);

// The error's text in a box titled with the program's name, as the
// application's error handler shows an error a handler did not catch.
void ShowErrorBox(HWND owner, const char* text);

}  // namespace velnora
