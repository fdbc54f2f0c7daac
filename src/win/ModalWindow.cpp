// SPDX-License-Identifier: GPL-3.0-or-later
#include "ModalWindow.h"

#include "Dpi.h"
#include "WidePath.h"

#include <cwchar>
#include <vector>

namespace velnora {

namespace {

struct Opening {
    int clientWidth;
    int clientHeight;
    DLGPROC proc;
    LPARAM param;
};

// Sizes the window to its client area (the template counts in dialog units),
// scaled to its screen's DPI, and centres it on the work area of its owner's
// screen.
void FitAndCentre(HWND window, int clientWidth, int clientHeight) {
    const auto [width, height] = ScaledWindowSize(
        clientWidth, clientHeight, static_cast<DWORD>(GetWindowLongPtrW(window, GWL_STYLE)),
        static_cast<DWORD>(GetWindowLongPtrW(window, GWL_EXSTYLE)), WindowDpi(window));
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    const HWND owner = GetWindow(window, GW_OWNER);
    GetMonitorInfoW(MonitorFromWindow(owner ? owner : window, MONITOR_DEFAULTTOPRIMARY), &monitor);
    const RECT& work = monitor.rcWork;
    SetWindowPos(window, nullptr, work.left + (work.right - work.left - width) / 2,
                 work.top + (work.bottom - work.top - height) / 2, width, height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

// Sizes the window, then hands over to the window's own procedure.
INT_PTR CALLBACK OpeningProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != WM_INITDIALOG)
        return FALSE;
    const auto& opening = *reinterpret_cast<const Opening*>(lParam);
    FitAndCentre(window, opening.clientWidth, opening.clientHeight);
    SetWindowLongPtrW(window, DWLP_USER, opening.param);
    SetWindowLongPtrW(window, DWLP_DLGPROC, reinterpret_cast<LONG_PTR>(opening.proc));
    return opening.proc(window, WM_INITDIALOG, wParam, opening.param);
}

} // namespace

INT_PTR ShowModalWindow(HWND owner, const wchar_t* title, int clientWidth, int clientHeight,
                        DWORD extraExStyle, DLGPROC proc, LPARAM param) {
    // DLGTEMPLATE, then the menu, class and title as null-ended words; the
    // template starts on a DWORD boundary.
    const std::size_t titleWords = std::wcslen(title) + 1;
    std::vector<DWORD> memory((sizeof(DLGTEMPLATE) + (2 + titleWords) * sizeof(WORD)) /
                                  sizeof(DWORD) +
                              1);
    auto* dialog = reinterpret_cast<DLGTEMPLATE*>(memory.data());
    dialog->style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
    dialog->dwExtendedStyle = WS_EX_TOOLWINDOW | extraExStyle;
    auto* words = reinterpret_cast<WORD*>(dialog + 1);
    *words++ = 0; // no menu
    *words++ = 0; // the dialog class
    std::wmemcpy(reinterpret_cast<wchar_t*>(words), title, titleWords);
    Opening opening{clientWidth, clientHeight, proc, param};
    return DialogBoxIndirectParamW(GetModuleHandleW(nullptr), dialog, owner, OpeningProc,
                                   reinterpret_cast<LPARAM>(&opening));
}

HFONT CreateTahomaFont(bool bold, int dpi) {
    return CreateFontW(Scaled(-11, dpi), 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE,
                       DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                       DEFAULT_PITCH | FF_SWISS, L"Tahoma");
}

void ShowErrorBox(HWND owner, const char* text) {
    MessageBoxW(owner, WidePath(text).c_str(), L"Velnora", MB_OK | MB_ICONERROR);
}

}  // namespace velnora
