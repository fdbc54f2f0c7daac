// SPDX-License-Identifier: GPL-3.0-or-later
#include "Dpi.h"

namespace velnora {

namespace {

// The per-monitor functions came with Windows 10 1607: looked up at run time,
// so that the program still starts on older systems, which have one DPI for
// every screen.
template <typename Function> Function User32(const char* name) {
    return reinterpret_cast<Function>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), name)));
}

} // namespace

int WindowDpi(HWND window) {
    using DpiForWindow = UINT(WINAPI*)(HWND);
    static const auto forWindow = User32<DpiForWindow>("GetDpiForWindow");
    if (window && forWindow)
        if (const UINT dpi = forWindow(window))
            return static_cast<int>(dpi);
    const HDC screen = GetDC(nullptr);
    const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 96;
    if (screen)
        ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : 96;
}

SIZE ScaledWindowSize(int clientWidth, int clientHeight, DWORD style, DWORD exStyle, int dpi) {
    using AdjustForDpi = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);
    static const auto adjustForDpi = User32<AdjustForDpi>("AdjustWindowRectExForDpi");
    RECT frame{0, 0, Scaled(clientWidth, dpi), Scaled(clientHeight, dpi)};
    if (!adjustForDpi || !adjustForDpi(&frame, style, FALSE, exStyle, static_cast<UINT>(dpi)))
        AdjustWindowRectEx(&frame, style, FALSE, exStyle);
    return {frame.right - frame.left, frame.bottom - frame.top};
}

} // namespace velnora
