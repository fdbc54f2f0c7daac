// SPDX-License-Identifier: GPL-3.0-or-later
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
// that the window's own face shows through them.
void PaintAbout(HDC dc, const About& about) {
    if (about.picture) {
        const HDC source = CreateCompatibleDC(dc);
        const HGDIOBJ old = SelectObject(source, about.picture);
        const COLORREF clear = GetPixel(source, 0, AboutHeight - 1);
        GdiTransparentBlt(dc, 0, 0, AboutWidth, AboutHeight, source, 0, 0, AboutWidth,
                          AboutHeight, clear);
        SelectObject(source, old);
        DeleteDC(source);
    }
}

INT_PTR CALLBACK AboutProc(HWND window, UINT message, WPARAM wParam, LPARAM) {
    const auto* about = WindowData<const About>(window);
    switch (message) {
    case WM_INITDIALOG: {
        const HWND back =
            CreateWindowExW(0, L"BUTTON", L"بازگشت", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON,
                            6, 146, 75, 25, window, reinterpret_cast<HMENU>(BackButton),
                            GetModuleHandleW(nullptr), nullptr);
        SendMessageW(back, WM_SETFONT, reinterpret_cast<WPARAM>(about->bold), FALSE);
        PutGlyph(back, about->glyph);
        SetFocus(back);
        return FALSE; // the focus is set
    }
    case WM_PAINT:
        PaintWindow(window, [&](HDC dc) { PaintAbout(dc, *about); });
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
    about.bold = CreateTahomaFont(true);
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
