// SPDX-License-Identifier: GPL-3.0-or-later
#include "PreviewWindow.h"

#include "Dpi.h"
#include "ModalWindow.h"
#include "Stretch.h"

#include <exception>

namespace velnora {

namespace {

struct Preview {
    const PreviewComposer& compose;
    Bitmap work;
};

void PaintPicture(HDC dc, const Bitmap& picture) {
    if (!picture.Empty()) {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = picture.Width();
        info.bmiHeader.biHeight = -picture.Height(); // rows from the top
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 24;
        info.bmiHeader.biCompression = BI_RGB;
        SetDIBitsToDevice(dc, 0, 0, static_cast<DWORD>(picture.Width()),
                          static_cast<DWORD>(picture.Height()), 0, 0, 0,
                          static_cast<UINT>(picture.Height()), picture.Data(), &info,
                          DIB_RGB_COLORS);
    }
}

INT_PTR CALLBACK PreviewProc(HWND window, UINT message, WPARAM wParam, LPARAM) {
    auto* preview = WindowData<Preview>(window);
    switch (message) {
    case WM_INITDIALOG:
        // FormCreate: an error ends the composing; the window still opens,
        // showing what the picture holds.
        try {
            ComposePreview(preview->work, preview->compose, WindowDpi(window));
        } catch (const std::exception& error) {
            ShowErrorBox(window, error.what());
        }
        return TRUE;
    case WM_PAINT:
        PaintWindow(window, [&](HDC dc) { PaintPicture(dc, preview->work); });
        return TRUE;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        // With no control to hold the focus, Esc can come to the window
        // itself, as a system key while no window has the focus.
        if (wParam == VK_ESCAPE)
            EndDialog(window, IDCANCEL);
        return TRUE;
    case WM_COMMAND:
        // Esc and the close box.
        if (LOWORD(wParam) == IDCANCEL)
            EndDialog(window, IDCANCEL);
        return TRUE;
    default:
        return FALSE;
    }
}

} // namespace

void ComposePreview(Bitmap& work, const PreviewComposer& compose, int dpi) {
    compose(work);
    if (!work.Empty())
        StretchBitmap(work, Scaled(PreviewWidth, dpi), Scaled(PreviewHeight, dpi));
}

void ShowPreviewWindow(HWND owner, const PreviewComposer& compose) {
    // The picture lives as long as the window and goes with it (FormClose).
    Preview preview{compose, Bitmap()};
    ShowModalWindow(owner, L"پيش نمايش", PreviewWidth, PreviewHeight, 0, PreviewProc,
                    reinterpret_cast<LPARAM>(&preview));
}

}  // namespace velnora
