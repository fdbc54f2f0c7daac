// SPDX-License-Identifier: GPL-3.0-or-later

#include "MainWindow.h"

#include "ColourCombo.h"
#include "DateTime.h"
#include "Dpi.h"
#include "Glyphs.h"
#include "MainControls.h"
#include "MessageBoxes.h"
#include "OptionsWindow.h"
#include "PictureDialog.h"
#include "PreviewWindow.h"
#include "ProfileFile.h"
#include "ProgramPaths.h"
#include "WholeNumber.h"
#include "WidePath.h"

#include <commctrl.h>

#include <array>
#include <cmath>
#include <exception>
#include <span>
#include <tuple>
#include <utility>

namespace velnora {

namespace {

constexpr wchar_t ClassName[] = L"VelnoraMain";
constexpr int ClientWidth = 380;
constexpr int ClientHeight = 314;
// Single fixed border, system menu and minimise box, no maximise box.
constexpr DWORD WindowStyle =
    WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
// The headings' colour: the design's pure blue (clBlue).
constexpr COLORREF HeadingBlue = RGB(0, 0, 255);
// The window's fonts have 11-pixel characters at 96 dpi: a negative height
// counts without the internal leading (8 point).
constexpr int FontHeight = -11;

const int CornerButtons[] = {IdR_Top_Right, IdR_Bottom_Right, IdR_Bottom_Left, IdR_Top_Left};
const int PictureButtons[] = {IdR_CurrentPicture, IdR_Choose};

HFONT MakeFont(const wchar_t* face, bool bold, int dpi) {
    return CreateFontW(Scaled(FontHeight, dpi), 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE,
                       FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                       DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, face);
}

std::span<const int> RadioGroupOf(int id) {
    for (std::span<const int> group :
         {std::span<const int>(CornerButtons), std::span<const int>(PictureButtons)})
        for (int member : group)
            if (member == id)
                return group;
    return {};
}

} // namespace

Tmain::Tmain(Session session, bool closeAtActivation)
    : session_(std::move(session)), closeAtActivation_(closeAtActivation) {}

Tmain::~Tmain() {
    if (window_)
        DestroyWindow(window_);
    for (HFONT font : fonts_)
        DeleteObject(font);
    for (HIMAGELIST glyph : glyphs_)
        if (glyph)
            ImageList_Destroy(glyph);
    if (icon_)
        DestroyIcon(icon_);
}

void Tmain::Run() {
    const INITCOMMONCONTROLSEX classes{sizeof(INITCOMMONCONTROLSEX),
                                       ICC_STANDARD_CLASSES | ICC_UPDOWN_CLASS};
    InitCommonControlsEx(&classes);
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    icon_ = static_cast<HICON>(LoadImageW(instance, L"VELNORA", IMAGE_ICON, 0, 0, LR_DEFAULTSIZE));
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = instance;
    windowClass.hIcon = icon_;
    windowClass.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = ClassName;
    RegisterClassExW(&windowClass);

    // Created on the primary screen, then sized for its DPI and centred on it.
    CreateWindowExW(0, ClassName, MainWindowTitle, WindowStyle, 0, 0, 0, 0, nullptr, nullptr,
                    instance, this);
    if (!window_)
        return;
    dpi_ = WindowDpi(window_);
    const SIZE size = ScaledWindowSize(ClientWidth, ClientHeight, WindowStyle, 0, dpi_);
    RECT work;
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    SetWindowPos(window_, nullptr, work.left + (work.right - work.left - size.cx) / 2,
                 work.top + (work.bottom - work.top - size.cy) / 2, size.cx, size.cy,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    CreateControls();
    // An error in the creation handler ends it there; the window still opens.
    RunHandler([this] { FormCreate(); });
    RunHandler([this] { WriteSpinPositions(); });
    shown_ = true;
    ShowWindow(window_, SW_SHOW);
    UpdateWindow(window_);
    // Focus starts on the first control Tab visits that can take it.
    if (HWND first = GetNextDlgTabItem(window_, nullptr, FALSE))
        SetFocus(first);

    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        const bool ours = window_ && (message.hwnd == window_ || IsChild(window_, message.hwnd));
        // Key preview: the window sees every key before the focused control.
        if (ours && message.message == WM_KEYDOWN) {
            bool handled = false;
            RunHandler([&] { handled = FormKeyDown(message.wParam); });
            if (handled)
                continue;
        }
        // Tab, the arrows within a radio group, Enter on the focused button.
        if (ours && IsDialogMessageW(window_, &message))
            continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

LRESULT CALLBACK Tmain::WindowProc(HWND window, UINT message, WPARAM w, LPARAM l) {
    if (message == WM_NCCREATE) {
        auto* self = static_cast<Tmain*>(reinterpret_cast<CREATESTRUCTW*>(l)->lpCreateParams);
        self->window_ = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<Tmain*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!self)
        return DefWindowProcW(window, message, w, l);
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        self->window_ = nullptr;
        return DefWindowProcW(window, message, w, l);
    }
    return self->Handle(message, w, l);
}

LRESULT Tmain::Handle(UINT message, WPARAM w, LPARAM l) {
    switch (message) {
    case WM_COMMAND:
        Command(LOWORD(w), HIWORD(w), reinterpret_cast<HWND>(l));
        return 0;
    case WM_CTLCOLORSTATIC:
        if (IsHeading(GetDlgCtrlID(reinterpret_cast<HWND>(l)))) {
            // Opaque, so that the heading hides the frame's edge it straddles.
            const auto dc = reinterpret_cast<HDC>(w);
            SetTextColor(dc, HeadingBlue);
            SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
            return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
        }
        break;
    case WM_PAINT:
        Paint();
        return 0;
    case WM_DPICHANGED: {
        // Moved to a screen of another scale: the size Windows suggests, and
        // the controls and fonts laid out again for it.
        dpi_ = HIWORD(w);
        const auto& suggested = *reinterpret_cast<const RECT*>(l);
        SetWindowPos(window_, nullptr, suggested.left, suggested.top,
                     suggested.right - suggested.left, suggested.bottom - suggested.top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
        LayOut();
        InvalidateRect(window_, nullptr, TRUE);
        return 0;
    }
    case WM_ACTIVATE:
        if (LOWORD(w) != WA_INACTIVE)
            RunHandler([this] { TntFormActivate(); });
        break;
    case WM_CLOSE: {
        bool mayClose = false;
        RunHandler([&] { mayClose = FormClose(); });
        if (mayClose)
            DestroyWindow(window_);
        return 0;
    }
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(window_, message, w, l);
}

void Tmain::CreateControls() {
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    // Placed and given their fonts by LayOut.
    for (const ControlDesign& design : MainControls()) {
        if (design.windowClass) {
            CreateWindowExW(
                0, design.windowClass, design.caption, WS_CHILD | WS_VISIBLE | design.style, 0, 0, 0, 0,
                window_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(design.id)), instance, nullptr);
        } else {
            const HWND control = CreateColourCombo(window_, design.id, 0, 0, 0, 0);
            SetWindowLongPtrW(control, GWL_STYLE,
                              GetWindowLongPtrW(control, GWL_STYLE) | design.style);
        }
    }
    LayOut();
    for (const auto& [spin, field] :
         {std::pair{IdUDLeftRight, IdELeftRight}, std::pair{IdUDTopBottom, IdETopBottom}}) {
        SendMessageW(Control(spin), UDM_SETBUDDY, reinterpret_cast<WPARAM>(Control(field)), 0);
        SendMessageW(Control(spin), UDM_SETRANGE32, LeastDistance, MostDistance);
    }
    std::size_t next = 0;
    for (const GlyphDesign& design : MainGlyphs()) {
        glyphs_[next] = MakeGlyph(design.resource, design.side);
        PutGlyph(Control(design.id), glyphs_[next++]);
    }
    // The design's states, before the settings are read.
    SendMessageW(Control(IdCHKprev), BM_SETCHECK, BST_CHECKED, 0);
    SendMessageW(Control(IdCHKnext), BM_SETCHECK, BST_CHECKED, 0);
    SendMessageW(Control(IdR_Top_Right), BM_SETCHECK, BST_CHECKED, 0);
    SetColourComboValue(Control(IdccToday), Colour{0x0000FF});
    SetColourComboValue(Control(IdccBack), Colour{0xFFFFFF});
}

void Tmain::LayOut() {
    const auto old = std::to_array(fonts_);
    fonts_[static_cast<int>(ControlFont::Tahoma)] = MakeFont(L"Tahoma", false, dpi_);
    fonts_[static_cast<int>(ControlFont::TahomaBold)] = MakeFont(L"Tahoma", true, dpi_);
    fonts_[static_cast<int>(ControlFont::SansSerif)] = MakeFont(L"MS Sans Serif", false, dpi_);
    for (const ControlDesign& design : MainControls()) {
        const RECT place =
            Scaled(RECT{design.left, design.top, design.left + design.width, design.top + design.height}, dpi_);
        const HWND control = Control(design.id);
        SetWindowPos(control, nullptr, place.left, place.top, place.right - place.left,
                     place.bottom - place.top, SWP_NOZORDER | SWP_NOACTIVATE);
        SendMessageW(control, WM_SETFONT,
                     reinterpret_cast<WPARAM>(fonts_[static_cast<int>(design.font)]), TRUE);
    }
    for (HFONT font : old)
        if (font)
            DeleteObject(font);
}

void Tmain::Paint() {
    PAINTSTRUCT paint;
    const HDC dc = BeginPaint(window_, &paint);
    // Panel7: a raised panel over the whole client area; on it the groups'
    // sunken frames (inner bevel raised, outer lowered).
    RECT client = Scaled(RECT{0, 0, ClientWidth, ClientHeight}, dpi_);
    DrawEdge(dc, &client, BDR_RAISEDINNER, BF_RECT);
    for (const RECT& design : MainFrames()) {
        RECT frame = Scaled(design, dpi_);
        DrawEdge(dc, &frame, EDGE_ETCHED, BF_RECT);
    }
    EndPaint(window_, &paint);
}

template <typename Step> void Tmain::RunHandler(Step step) {
    try {
        step();
    } catch (const std::exception& error) {
        ShowMessage(window_, "Velnora", error.what(), MB_ICONERROR);
    }
}

void Tmain::Command(int id, int code, HWND control) {
    if (code == EN_CHANGE && (id == IdELeftRight || id == IdETopBottom))
        RunHandler([&] { ELeftRightChange(control); });
    else if (id == IDOK && !control)
        // Enter, which the dialog manager gives a window without a default
        // button as IDOK: it presses the focused button.
        PressFocusedButton();
    else if (code == BN_CLICKED)
        RunHandler([&] { Clicked(id); });
}

void Tmain::PressFocusedButton() {
    const HWND focus = GetFocus();
    const LONG_PTR kind = GetWindowLongPtrW(focus, GWL_STYLE) & BS_TYPEMASK;
    if (focus && GetParent(focus) == window_ && IsWindowEnabled(focus) &&
        (kind == BS_PUSHBUTTON || kind == BS_DEFPUSHBUTTON))
        SendMessageW(focus, BM_CLICK, 0, 0);
}

// Tab enters a radio group at its selected button (at its first when none is).
void Tmain::MoveRadioTabStops() {
    for (std::span<const int> group :
         {std::span<const int>(CornerButtons), std::span<const int>(PictureButtons)}) {
        int stop = group.front();
        for (int member : group)
            if (IsChecked(member))
                stop = member;
        for (int member : group) {
            const HWND button = Control(member);
            const LONG_PTR style = GetWindowLongPtrW(button, GWL_STYLE);
            SetWindowLongPtrW(button, GWL_STYLE,
                              member == stop ? style | WS_TABSTOP : style & ~WS_TABSTOP);
        }
    }
}

void Tmain::Clicked(int id) {
    if (!RadioGroupOf(id).empty())
        MoveRadioTabStops();
    switch (id) {
    case IdBrepaint:
        return BrepaintClick();
    case IdBpreview:
        return BpreviewClick();
    case IdBabout:
        return BaboutClick();
    case IdBoptions:
        return BoptionsClick();
    case IdBclose:
        return BcloseClick();
    case IdBchoose:
        return BchooseClick();
    case IdCHK_show:
        return CHK_showClick();
    case IdR_Choose:
    case IdR_CurrentPicture:
    case IdCHK_Stretch:
        return R_ChooseClick();
    }
}

bool Tmain::IsChecked(int id) const {
    return SendMessageW(Control(id), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

// An error of the nested handler ends the routine that set the control too.
void Tmain::SetChecked(int id, bool on) {
    if (IsChecked(id) == on)
        return;
    const std::span<const int> group = RadioGroupOf(id);
    if (on)
        for (int other : group)
            SendMessageW(Control(other), BM_SETCHECK, BST_UNCHECKED, 0);
    SendMessageW(Control(id), BM_SETCHECK, on ? BST_CHECKED : BST_UNCHECKED, 0);
    // A radio button's handler runs only when it becomes selected.
    if (on || group.empty())
        Clicked(id);
    else
        MoveRadioTabStops();
}

void Tmain::SetText(int id, const std::string& utf8) {
    // The edit tells its change (EN_CHANGE) at once, which runs its handler.
    SetWindowTextW(Control(id), WidePath(utf8).c_str());
}

std::string Tmain::Text(int id) const {
    const HWND control = Control(id);
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(control)) + 1, L'\0');
    const int length = GetWindowTextW(control, text.data(), static_cast<int>(text.size()));
    return Utf8Text(text.data(), static_cast<std::size_t>(length));
}

void Tmain::WriteSpinPositions() {
    for (const auto& [spin, field, position] :
         {std::tuple{IdUDLeftRight, IdELeftRight, leftRightPosition_},
          std::tuple{IdUDTopBottom, IdETopBottom, topBottomPosition_}}) {
        const int32_t shown = ShownDistance(position);
        SendMessageW(Control(spin), UDM_SETPOS32, 0, shown);
        SetText(field, std::to_string(shown));
    }
}

// Start-up: the order matters, because setting the show box last may start a redraw.
void Tmain::FormCreate() {
    const bool show = LoadSettings();
    R_ChooseClick();
    FillGridsForToday();
    SetChecked(IdCHK_show, show);
    EnableWindow(Control(IdBrepaint), IsChecked(IdCHK_show));
}

bool Tmain::LoadSettings() {
    const Settings stored = velnora::LoadSettings(ProfileFile(session_.files.settingsFile));
    // Each control is set in the settings file's order, so that its handler
    // runs as for the user's own change. The spin controls keep a signed
    // 16-bit position.
    leftRightPosition_ = static_cast<int16_t>(stored.leftRight);
    topBottomPosition_ = static_cast<int16_t>(stored.topBottom);
    SetText(IdELeftRight, stored.leftRightText);
    SetText(IdETopBottom, stored.topBottomText);
    SetColourComboValue(Control(IdccBack), Colour{static_cast<uint32_t>(stored.back)});
    SetColourComboValue(Control(IdccToday), Colour{static_cast<uint32_t>(stored.today)});
    SetChecked(IdCHKprev, stored.previous);
    SetChecked(IdCHKnext, stored.next);
    const Corner corner = CornerOf(stored.position);
    SetChecked(IdR_Top_Right, corner == Corner::TopRight);
    SetChecked(IdR_Bottom_Right, corner == Corner::BottomRight);
    SetChecked(IdR_Bottom_Left, corner == Corner::BottomLeft);
    SetChecked(IdR_Top_Left, corner == Corner::TopLeft);
    SetChecked(IdR_Choose, stored.choose);
    SetChecked(IdR_CurrentPicture, stored.current);
    SetChecked(IdCHK_Stretch, stored.stretch);
    SetText(IdEfilename, stored.path);
    options_ = WindowOptionsOf(stored);
    calendarOn_ = CalendarOnAtStart(session_);
    return calendarOn_;
}

Settings Tmain::HeldSettings() const {
    Settings held;
    if (shown_) {
        held.leftRight =
            static_cast<int32_t>(SendMessageW(Control(IdUDLeftRight), UDM_GETPOS32, 0, 0));
        held.topBottom =
            static_cast<int32_t>(SendMessageW(Control(IdUDTopBottom), UDM_GETPOS32, 0, 0));
    } else {
        held.leftRight = leftRightPosition_;
        held.topBottom = topBottomPosition_;
    }
    held.leftRightText = Text(IdELeftRight);
    held.topBottomText = Text(IdETopBottom);
    held.back = static_cast<int32_t>(ColourComboValue(Control(IdccBack)).value);
    held.today = static_cast<int32_t>(ColourComboValue(Control(IdccToday)).value);
    held.previous = IsChecked(IdCHKprev);
    held.next = IsChecked(IdCHKnext);
    // No corner on (only after a stored code outside 1..4) is written as 0, so
    // the next start shows none either.
    held.position = CornerCode(SelectedCorner());
    held.choose = IsChecked(IdR_Choose);
    held.current = IsChecked(IdR_CurrentPicture);
    held.stretch = IsChecked(IdCHK_Stretch);
    held.path = Text(IdEfilename);
    SetWindowOptions(held, options_);
    return held;
}

void Tmain::SaveSettings() {
    const Settings saved = SaveChoices(session_, HeldSettings());
    // A path naming no file was not saved: the field shows that too.
    if (saved.path.empty())
        SetText(IdEfilename, "");
}

Corner Tmain::SelectedCorner() const {
    const Corner corners[] = {Corner::TopRight, Corner::BottomRight, Corner::BottomLeft,
                              Corner::TopLeft};
    for (std::size_t i = 0; i < std::size(corners); ++i)
        if (IsChecked(CornerButtons[i]))
            return corners[i];
    return Corner::None;
}

bool Tmain::ChosenFileMissing() const {
    return IsChecked(IdR_Choose) && !FileExists(Text(IdEfilename));
}

void Tmain::ELeftRightChange(HWND edit) {
    if (!TryStrToInt(Text(GetDlgCtrlID(edit))))
        SetText(GetDlgCtrlID(edit), "0");
}

void Tmain::R_ChooseClick() {
    const bool choose = IsChecked(IdR_Choose);
    EnableWindow(Control(IdEfilename), choose);
    EnableWindow(Control(IdBchoose), choose);
}

void Tmain::BchooseClick() {
    if (const std::optional<std::string> path = ChoosePictureFile(window_))
        SetText(IdEfilename, *path);
}

void Tmain::CHK_showClick() {
    if (IsChecked(IdCHK_show)) {
        FillGridsForToday();
        const PaintResult result = SwitchCalendarOn(session_, HeldSettings(), grids_);
        if (result.chosenFileMissing) {
            // Switched off already: the box shows it without its handler running again.
            SendMessageW(Control(IdCHK_show), BM_SETCHECK, BST_UNCHECKED, 0);
            calendarOn_ = false;
        }
        ShowPaintResult(result);
    } else {
        SwitchCalendarOff(session_);
        calendarOn_ = false;
    }
    EnableWindow(Control(IdBrepaint), IsChecked(IdCHK_show));
}

void Tmain::BrepaintClick() {
    PaintCalendar();
}

void Tmain::BpreviewClick() {
    if (ChosenFileMissing()) {
        ShowSelectedFileNotFound(window_);
        return;
    }
    ShowPreviewWindow(window_, [this](Bitmap& work) {
        FillGridsForToday();
        ShowPaintResult(Preview(session_, HeldSettings(), grids_, work));
    });
}

void Tmain::BaboutClick() {
    ShowAboutWindow(window_);
}

void Tmain::BoptionsClick() {
    const std::optional<WindowOptions> chosen = ShowOptionsWindow(window_, options_);
    if (!chosen)
        return;
    // Another calendar rule may put today into another month.
    if (chosen->rule != options_.rule || chosen->monthNames != options_.monthNames)
        gridsDate_.reset();
    options_ = *chosen;
    FillGridsForToday();
}

void Tmain::BcloseClick() {
    PostMessageW(window_, WM_CLOSE, 0, 0);
}

bool Tmain::FormKeyDown(WPARAM key) {
    if (key != VK_ESCAPE)
        return false;
    PostMessageW(window_, WM_CLOSE, 0, 0);
    return true;
}

void Tmain::TntFormActivate() {
    if (activated_)
        return;
    activated_ = true;
    if (closeAtActivation_)
        PostMessageW(window_, WM_CLOSE, 0, 0);
}

bool Tmain::FormClose() {
    if (!IsChecked(IdCHK_show))
        return true;
    FillGridsForToday();
    switch (CloseWithCalendarOn(session_, HeldSettings(), grids_, calendarOn_)) {
    case CloseResult::ChosenFileMissing:
        ShowSelectedFileNotFound(window_);
        SetChecked(IdCHK_show, false);
        return false;
    case CloseResult::SwitchedOffElsewhere:
        ShowMessage(window_, "Velnora", SwitchedOffElsewhere, MB_ICONINFORMATION);
        SetChecked(IdCHK_show, false);
        break;
    case CloseResult::Redrawn:
        break;
    }
    SaveSettings();
    return true;
}

// A window left open past midnight draws the new day: every redraw and
// preview refills the grids when the date has changed since they were filled.
void Tmain::FillGridsForToday() {
    const double today = std::floor(Today());
    if (gridsDate_ == today)
        return;
    grids_ = GridsForDay(today, options_.rule, options_.monthNames);
    gridsDate_ = today;
}

void Tmain::PaintCalendar() {
    FillGridsForToday();
    ShowPaintResult(Redraw(session_, HeldSettings(), grids_));
}

void Tmain::ShowPaintResult(const PaintResult& result) {
    if (result.chosenFileMissing) {
        ShowSelectedFileNotFound(window_);
        SetChecked(IdCHK_show, false);
        return;
    }
    if (result.installed) {
        calendarOn_ = true;
        SetChecked(IdCHK_show, true);
    }
}

int RunMainWindow(const Session& session) {
    Tmain main(session, false);
    main.Run();
    return 0;
}

} // namespace velnora
