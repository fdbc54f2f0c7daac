// SPDX-License-Identifier: GPL-3.0-or-later
#include "Glyphs.h"

namespace velnora {

namespace {
// The glyphs' transparent colour.
constexpr COLORREF GlyphTransparent = RGB(255, 0, 255);
} // namespace

HIMAGELIST MakeGlyph(const wchar_t* resource, int side) {
    const auto bitmap = static_cast<HBITMAP>(
        LoadImageW(GetModuleHandleW(nullptr), resource, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    if (!bitmap)
        return nullptr;
    HIMAGELIST glyph = ImageList_Create(side, side, ILC_COLOR24 | ILC_MASK, 1, 0);
    ImageList_AddMasked(glyph, bitmap, GlyphTransparent);
    DeleteObject(bitmap);
    return glyph;
}

void PutGlyph(HWND button, HIMAGELIST glyph) {
    if (!glyph)
        return;
    const bool captioned = GetWindowTextLengthW(button) > 0;
    BUTTON_IMAGELIST image{glyph,
                           {4, 0, 4, 0},
                           static_cast<UINT>(captioned ? BUTTON_IMAGELIST_ALIGN_LEFT
                                                       : BUTTON_IMAGELIST_ALIGN_CENTER)};
    SendMessageW(button, BCM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(&image));
}

}  // namespace velnora
