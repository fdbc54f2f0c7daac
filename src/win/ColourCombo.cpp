// SPDX-License-Identifier: GPL-3.0-or-later
// Placeholder until the drop-down is drawn: holds the colour only.
#include "ColourCombo.h"

namespace velnora {

HWND CreateColourCombo(HWND parent, int controlId, int x, int y, int width, int height) {
    return CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE | WS_BORDER, x, y, width,
                           height, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(controlId)),
                           GetModuleHandleW(nullptr), nullptr);
}

Colour ColourComboValue(HWND combo) {
    return Colour{static_cast<uint32_t>(GetWindowLongPtrW(combo, GWLP_USERDATA))};
}

void SetColourComboValue(HWND combo, Colour colour) {
    SetWindowLongPtrW(combo, GWLP_USERDATA, static_cast<LONG_PTR>(colour.value));
}

}  // namespace velnora
