// SPDX-License-Identifier: GPL-3.0-or-later
#include "Dpi.h"
#include "Glyphs.h"
#include "ModalWindow.h"
#include "PreviewWindow.h"

namespace velnora {

namespace {

// The about picture's size, and the button's place on it.
constexpr int AboutWidth = 374;
constexpr int AboutHeight = 177;
constexpr int BackButton = 1;

struct About {
    HBITMAP picture = nullptr; // the program's resource "ABOUT"; none in the tests
    HFONT bold = nullptr;
    HIMAGELIST glyph = nullptr; // the main window's exit door; none in the tests
};

// The picture with the pixels of its bottom-left pixel's colour left out, so
// that the window's own face shows through them; stretched to the client
// area at the window's DPI.
void PaintAbout(HDC dc, const About& about, int dpi) {
    if (about.picture) {
        const HDC source = CreateCompatibleDC(dc);
        const HGDIOBJ old = SelectObject(source, about.picture);
        const COLORREF clear = GetPixel(source, 0, AboutHeight - 1);
        GdiTransparentBlt(dc, 0, 0, Scaled(AboutWidth, dpi), Scaled(AboutHeight, dpi), source, 0, 0,
                          AboutWidth, AboutHeight, clear);
        SelectObject(source, old);
        DeleteDC(source);
    }
}

INT_PTR CALLBACK AboutProc(HWND window, UINT message, WPARAM wParam, LPARAM) {
    const auto* about = WindowData<const About>(window);
    switch (message) {
    case WM_INITDIALOG: {
        const int dpi = WindowDpi(window);
        const HWND back = CreateWindowExW(
            0, L"BUTTON", L"بازگشت", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON,
            Scaled(6, dpi), Scaled(146, dpi), Scaled(75, dpi), Scaled(25, dpi), window,
            reinterpret_cast<HMENU>(BackButton), GetModuleHandleW(nullptr), nullptr);
        SendMessageW(back, WM_SETFONT, reinterpret_cast<WPARAM>(about->bold), FALSE);
        PutGlyph(back, about->glyph);
        SetFocus(back);
        return FALSE; // the focus is set
    }
    case WM_PAINT:
        PaintWindow(window, [&](HDC dc) { PaintAbout(dc, *about, WindowDpi(window)); });
        return TRUE;
    case WM_COMMAND:
        // BrepaintClick, Esc and the close box.
        if (LOWORD(wParam) == BackButton || LOWORD(wParam) == IDCANCEL)
            EndDialog(window, IDCANCEL);
        return TRUE;
    default:
        return FALSE;
    }
}

} // namespace

void ShowAboutWindow(HWND owner) {
    About about;
    about.picture = static_cast<HBITMAP>(LoadImageW(GetModuleHandleW(nullptr), L"ABOUT",
                                                    IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    about.bold = CreateTahomaFont(true, WindowDpi(owner));
    about.glyph = MakeGlyph(L"GLYPH_EXIT", 16);
    ShowModalWindow(owner, L"درباره نرم افزار", AboutWidth, AboutHeight, 0, AboutProc,
                    reinterpret_cast<LPARAM>(&about));
    DeleteObject(about.bold);
    if (about.picture)
        DeleteObject(about.picture);
    if (about.glyph)
        ImageList_Destroy(about.glyph);
}

}  // namespace velnora
