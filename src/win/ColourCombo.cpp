// SPDX-License-Identifier: GPL-3.0-or-later
// A window class of our own: the common controls have no colour drop-down.
// The drop-down is a popup that holds the mouse capture while it is open and
// the keyboard stays with the control, as a combo box's list does.
#include "ColourCombo.h"

#include "Dpi.h"
#include "ModalWindow.h"
#include "StandardColours.h"

#include <commdlg.h>

#include <array>

namespace velnora {

namespace {

constexpr wchar_t ComboClass[] = L"VelnoraColourCombo";
constexpr wchar_t PaletteClass[] = L"VelnoraColourPalette";

// The drop-down's entries: the 40 swatches row by row, then "More Colors..."
// under the first seven columns and the custom swatch under the eighth.
constexpr int Swatches = static_cast<int>(StandardColours.size());
constexpr int Columns = StandardColourColumns;
constexpr int Rows = Swatches / Columns;
constexpr int More = Swatches;
constexpr int Custom = Swatches + 1;
constexpr int Entries = Swatches + 2;

// The drop-down's measures in pixels at 96 dpi: swatches the size of a small icon's
// cell, a button as high as a dialog's push button.
constexpr int Cell = 18;
constexpr int Gap = 2;
constexpr int Margin = 4;
constexpr int ButtonHeight = 23;
constexpr int PaletteWidth = 2 * Margin + Columns * (Cell + Gap) - Gap;
constexpr int PaletteHeight = Margin + Rows * (Cell + Gap) - Gap + Margin + ButtonHeight + Margin;

struct ComboState {
    uint32_t selected = 0x000000;
    uint32_t custom = 0xFFFFFF; // white until the colour dialog confirms another
    HWND popup = nullptr;       // the drop-down while it is open
    int place = 0;              // the keyboard's entry in the drop-down
    // The colour dialog's own row of custom colours, kept while the control
    // lives; white at first, as the dialog's swatches look empty then.
    std::array<COLORREF, 16> dialogColours = [] {
        std::array<COLORREF, 16> white;
        white.fill(0xFFFFFF);
        return white;
    }();
};

ComboState& StateOf(HWND combo) {
    return *reinterpret_cast<ComboState*>(GetWindowLongPtrW(combo, GWLP_USERDATA));
}

// The entry's place in the drop-down at 96 dpi.
RECT DesignRect(int entry) {
    const int lastTop = Margin + Rows * (Cell + Gap) - Gap + Margin;
    if (entry < Swatches) {
        const int left = Margin + entry % Columns * (Cell + Gap);
        const int top = Margin + entry / Columns * (Cell + Gap);
        return {left, top, left + Cell, top + Cell};
    }
    const int customLeft = Margin + (Columns - 1) * (Cell + Gap);
    if (entry == More)
        return {Margin, lastTop, customLeft - Gap, lastTop + ButtonHeight};
    const int top = lastTop + (ButtonHeight - Cell) / 2;
    return {customLeft, top, customLeft + Cell, top + Cell};
}

RECT EntryRect(int entry, int dpi) {
    return Scaled(DesignRect(entry), dpi);
}

HWND ComboOf(HWND popup) {
    return reinterpret_cast<HWND>(GetWindowLongPtrW(popup, GWLP_USERDATA));
}

int EntryAt(POINT point, int dpi) {
    for (int entry = 0; entry < Entries; ++entry) {
        const RECT rect = EntryRect(entry, dpi);
        if (PtInRect(&rect, point))
            return entry;
    }
    return -1;
}

uint32_t EntryColour(const ComboState& state, int entry) {
    return entry < Swatches ? StandardColours[static_cast<std::size_t>(entry)] : state.custom;
}

// The arrows move over the rows of 8 and the last row without wrapping.
int Moved(int at, WPARAM key) {
    const int row = at < Swatches ? at / Columns : Rows;
    const int column = at < Swatches ? at % Columns : (at == More ? 0 : Columns - 1);
    switch (key) {
    case VK_LEFT:
        return at == Custom ? More : (at < Swatches && column > 0 ? at - 1 : at);
    case VK_RIGHT:
        return at == More ? Custom : (at < Swatches && column < Columns - 1 ? at + 1 : at);
    case VK_UP:
        return row == 0 ? at : (row - 1) * Columns + column;
    case VK_DOWN:
        if (row == Rows)
            return at;
        if (row + 1 < Rows)
            return at + Columns;
        return column == Columns - 1 ? Custom : More;
    default:
        return at;
    }
}

void Notify(HWND combo) {
    const int id = GetDlgCtrlID(combo);
    SendMessageW(GetParent(combo), WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(combo));
}

// The user's choice: the parent hears of it when the colour changed.
void Choose(HWND combo, uint32_t colour) {
    ComboState& state = StateOf(combo);
    const bool changed = colour != state.selected;
    state.selected = colour;
    InvalidateRect(combo, nullptr, TRUE);
    if (changed)
        Notify(combo);
}

void ClosePalette(HWND combo) {
    ComboState& state = StateOf(combo);
    if (!state.popup)
        return;
    const HWND popup = state.popup;
    state.popup = nullptr; // first: destroying it gives up the capture, which closes
    DestroyWindow(popup);
    InvalidateRect(combo, nullptr, TRUE);
}

void OpenPalette(HWND combo) {
    ComboState& state = StateOf(combo);
    if (state.popup || !IsWindowEnabled(combo))
        return;
    const int selected = StandardColourIndex(state.selected);
    state.place = selected < 0 ? Custom : selected;
    const DWORD style = WS_POPUP | WS_BORDER;
    const DWORD exStyle = WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_NOACTIVATE;
    const SIZE size =
        ScaledWindowSize(PaletteWidth, PaletteHeight, style, exStyle, WindowDpi(combo));
    RECT below;
    GetWindowRect(combo, &below);
    state.popup =
        CreateWindowExW(exStyle, PaletteClass, L"", style, below.left, below.bottom, size.cx,
                        size.cy, combo, nullptr, GetModuleHandleW(nullptr), combo);
    if (!state.popup)
        return;
    ShowWindow(state.popup, SW_SHOWNOACTIVATE);
    SetCapture(state.popup);
    InvalidateRect(combo, nullptr, TRUE);
}

// "More Colors...": the system's colour dialog, fully open, on the custom colour.
void MoreColors(HWND combo) {
    ComboState& state = StateOf(combo);
    CHOOSECOLORW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = GetAncestor(combo, GA_ROOT);
    dialog.rgbResult = state.custom;
    dialog.lpCustColors = state.dialogColours.data();
    dialog.Flags = CC_FULLOPEN | CC_RGBINIT;
    if (!ChooseColorW(&dialog))
        return;
    state.custom = dialog.rgbResult & 0xFFFFFF;
    Choose(combo, state.custom);
}

void Pick(HWND combo, int entry) {
    ClosePalette(combo);
    if (entry == More)
        MoreColors(combo);
    else
        Choose(combo, EntryColour(StateOf(combo), entry));
}

void FillSwatch(HDC dc, RECT rect, uint32_t colour) {
    const HBRUSH fill = CreateSolidBrush(colour);
    FillRect(dc, &rect, fill);
    DeleteObject(fill);
    FrameRect(dc, &rect, GetSysColorBrush(COLOR_BTNSHADOW));
}

void PaintPalette(HWND popup, HDC dc) {
    const ComboState& state = StateOf(ComboOf(popup));
    RECT client;
    GetClientRect(popup, &client);
    FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
    const int selected = StandardColourIndex(state.selected);
    const int dpi = WindowDpi(popup);
    for (int entry = 0; entry < Entries; ++entry) {
        RECT rect = EntryRect(entry, dpi);
        if (entry == More) {
            DrawFrameControl(dc, &rect, DFC_BUTTON, DFCS_BUTTONPUSH);
            const HFONT font = CreateTahomaFont(false, dpi);
            const HGDIOBJ old = SelectObject(dc, font);
            SetBkMode(dc, TRANSPARENT);
            SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
            DrawTextW(dc, L"More Colors...", -1, &rect, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
            SelectObject(dc, old);
            DeleteObject(font);
        } else {
            FillSwatch(dc, rect, EntryColour(state, entry));
        }
        // The selected colour sunk in, the keyboard's place framed.
        if (entry == selected || (selected < 0 && entry == Custom)) {
            RECT around = rect;
            InflateRect(&around, 1, 1);
            DrawEdge(dc, &around, BDR_SUNKENOUTER, BF_RECT);
        }
        if (entry == state.place) {
            RECT around = rect;
            InflateRect(&around, entry == More ? -3 : 1, entry == More ? -3 : 1);
            if (entry == More)
                DrawFocusRect(dc, &around);
            else
                FrameRect(dc, &around, GetSysColorBrush(COLOR_HIGHLIGHT));
        }
    }
}

LRESULT CALLBACK PaletteProc(HWND popup, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_NCCREATE:
        SetWindowLongPtrW(popup, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(
                              reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams));
        break;
    case WM_MOUSEACTIVATE:
        return MA_NOACTIVATE;
    case WM_PAINT:
        PaintWindow(popup, [&](HDC dc) { PaintPalette(popup, dc); });
        return 0;
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN: {
        const HWND combo = ComboOf(popup);
        const int entry =
            EntryAt({static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))},
                    WindowDpi(popup));
        if (message == WM_LBUTTONDOWN) {
            // With the capture, a press anywhere comes here: outside it closes.
            if (entry >= 0)
                Pick(combo, entry);
            else
                ClosePalette(combo);
        } else if (entry >= 0 && entry != StateOf(combo).place) {
            StateOf(combo).place = entry;
            InvalidateRect(popup, nullptr, FALSE);
        }
        return 0;
    }
    case WM_CAPTURECHANGED:
        if (reinterpret_cast<HWND>(lParam) != popup)
            ClosePalette(ComboOf(popup));
        return 0;
    default:
        break;
    }
    return DefWindowProcW(popup, message, wParam, lParam);
}

void PaintCombo(HWND combo, HDC dc) {
    const ComboState& state = StateOf(combo);
    const bool enabled = IsWindowEnabled(combo);
    RECT client;
    GetClientRect(combo, &client);
    FillRect(dc, &client, GetSysColorBrush(enabled ? COLOR_WINDOW : COLOR_BTNFACE));
    DrawEdge(dc, &client, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
    RECT arrow = client;
    arrow.left = arrow.right - GetSystemMetrics(SM_CXVSCROLL);
    DrawFrameControl(dc, &arrow, DFC_SCROLL,
                     DFCS_SCROLLCOMBOBOX | (enabled ? 0 : DFCS_INACTIVE) |
                         (state.popup ? DFCS_PUSHED : 0));
    RECT swatch{client.left + 2, client.top + 2, arrow.left - 2, client.bottom - 2};
    if (enabled) {
        FillSwatch(dc, swatch, state.selected);
    } else {
        // A disabled choice shows no colour, as a disabled combo box shows no text.
        FrameRect(dc, &swatch, GetSysColorBrush(COLOR_GRAYTEXT));
    }
    if (GetFocus() == combo && !state.popup) {
        InflateRect(&swatch, 1, 1);
        DrawFocusRect(dc, &swatch);
    }
}

bool AltHeld() {
    return GetKeyState(VK_MENU) < 0;
}

LRESULT CALLBACK ComboProc(HWND combo, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_NCCREATE:
        SetWindowLongPtrW(combo, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(new ComboState));
        break;
    case WM_NCDESTROY:
        ClosePalette(combo);
        delete &StateOf(combo);
        SetWindowLongPtrW(combo, GWLP_USERDATA, 0);
        break;
    case WM_GETDLGCODE: {
        // Enter opens (and picks), Esc closes an open drop-down: the dialog
        // must not take them for its default and cancel buttons.
        const auto* key = reinterpret_cast<const MSG*>(lParam);
        const bool open = StateOf(combo).popup != nullptr;
        if (key && key->message == WM_KEYDOWN &&
            (key->wParam == VK_RETURN || (open && key->wParam == VK_ESCAPE)))
            return DLGC_WANTARROWS | DLGC_WANTMESSAGE;
        return DLGC_WANTARROWS;
    }
    case WM_PAINT:
        PaintWindow(combo, [&](HDC dc) { PaintCombo(combo, dc); });
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_SETFOCUS:
    case WM_ENABLE:
        InvalidateRect(combo, nullptr, TRUE);
        return 0;
    case WM_KILLFOCUS:
        ClosePalette(combo);
        InvalidateRect(combo, nullptr, TRUE);
        return 0;
    case WM_LBUTTONDOWN:
        SetFocus(combo);
        OpenPalette(combo);
        return 0;
    case WM_SYSKEYDOWN:
        if (wParam == VK_DOWN || wParam == VK_UP) {
            if (StateOf(combo).popup)
                ClosePalette(combo);
            else
                OpenPalette(combo);
            return 0;
        }
        break;
    case WM_KEYDOWN: {
        ComboState& state = StateOf(combo);
        if (!state.popup) {
            if (wParam == VK_RETURN || wParam == VK_SPACE || wParam == VK_F4 ||
                (wParam == VK_DOWN && AltHeld()))
                OpenPalette(combo);
            return 0;
        }
        if (wParam == VK_ESCAPE || wParam == VK_F4) {
            ClosePalette(combo);
        } else if (wParam == VK_RETURN || wParam == VK_SPACE) {
            Pick(combo, state.place);
        } else {
            state.place = Moved(state.place, wParam);
            InvalidateRect(state.popup, nullptr, FALSE);
        }
        return 0;
    }
    default:
        break;
    }
    return DefWindowProcW(combo, message, wParam, lParam);
}

void RegisterClasses() {
    static const bool registered = [] {
        WNDCLASSEXW combo{};
        combo.cbSize = sizeof combo;
        combo.style = CS_HREDRAW | CS_VREDRAW;
        combo.lpfnWndProc = ComboProc;
        combo.hInstance = GetModuleHandleW(nullptr);
        combo.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
        combo.lpszClassName = ComboClass;
        WNDCLASSEXW palette = combo;
        // The drop shadow of a menu or a combo box's list.
        palette.style = CS_DROPSHADOW | CS_SAVEBITS;
        palette.lpfnWndProc = PaletteProc;
        palette.lpszClassName = PaletteClass;
        return RegisterClassExW(&combo) != 0 && RegisterClassExW(&palette) != 0;
    }();
    (void)registered;
}

} // namespace

HWND CreateColourCombo(HWND parent, int controlId, int x, int y, int width, int height) {
    RegisterClasses();
    return CreateWindowExW(0, ComboClass, L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP, x, y, width,
                           height, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(controlId)),
                           GetModuleHandleW(nullptr), nullptr);
}

Colour ColourComboValue(HWND combo) {
    return Colour{StateOf(combo).selected};
}

Colour ColourComboCustom(HWND combo) {
    return Colour{StateOf(combo).custom};
}

void SetColourComboValue(HWND combo, Colour colour) {
    ComboState& state = StateOf(combo);
    if (StandardColourIndex(colour.value) < 0)
        state.custom = colour.value;
    state.selected = colour.value;
    InvalidateRect(combo, nullptr, TRUE);
}

}  // namespace velnora
