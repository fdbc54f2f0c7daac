// SPDX-License-Identifier: GPL-3.0-or-later
// The BMP decoder of the Windows build: the system's own reader (LoadImageW),
// which knows every BMP the desktop shows.

#include "BmpDecode.h"

#include "PictureLimit.h"
#include "SystemMessage.h"
#include "WidePath.h"

#include <windows.h>

namespace velnora {

bool DecodeBmpFile(const std::string& path, Bitmap& out, std::string* why) {
    const auto fail = [why](const std::string& reason) {
        if (why)
            *why = reason;
        return false;
    };
    std::wstring wide;
    try {
        wide = WidePath(path);
    } catch (const std::exception& error) {
        return fail(error.what());
    }
    // LoadImageW takes any file for a BMP attempt; one that is none fails.
    const HANDLE loaded = LoadImageW(nullptr, wide.c_str(), IMAGE_BITMAP, 0, 0,
                                     LR_LOADFROMFILE | LR_CREATEDIBSECTION);
    if (!loaded)
        return fail(SystemMessage(GetLastError()));
    const HBITMAP picture = static_cast<HBITMAP>(loaded);
    BITMAP shape{};
    GetObjectW(picture, sizeof shape, &shape);
    const int width = shape.bmWidth;
    const int height = shape.bmHeight < 0 ? -shape.bmHeight : shape.bmHeight;
    bool done = false;
    try {
        // The system's section beside the copy in the work format.
        CheckPictureMemory(width, height, PictureBytes(width, height));
        Bitmap copy(width, height);
        // The work format is a 24-bit DIB from the top row down, rows padded to
        // 4 bytes: GetDIBits writes it as it stands. The alpha of a 32-bit
        // BMP goes, as the desktop ignores it.
        BITMAPINFO format{};
        format.bmiHeader.biSize = sizeof format.bmiHeader;
        format.bmiHeader.biWidth = width;
        format.bmiHeader.biHeight = -height;
        format.bmiHeader.biPlanes = 1;
        format.bmiHeader.biBitCount = 24;
        format.bmiHeader.biCompression = BI_RGB;
        const HDC screen = GetDC(nullptr);
        done = GetDIBits(screen, picture, 0, static_cast<UINT>(height), copy.Data(), &format,
                         DIB_RGB_COLORS) == height;
        ReleaseDC(nullptr, screen);
        if (done)
            out = std::move(copy);
    } catch (...) {
        DeleteObject(picture);
        throw;
    }
    DeleteObject(picture);
    return done || fail("the picture's rows could not be read");
}

}  // namespace velnora
