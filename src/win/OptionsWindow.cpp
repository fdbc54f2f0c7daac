// SPDX-License-Identifier: GPL-3.0-or-later
#include "OptionsWindow.h"

#include "ColourCombo.h"
#include "Dpi.h"
#include "ModalWindow.h"

#include <commctrl.h>

#include <algorithm>
#include <array>

namespace velnora {

namespace {

using namespace OptionsControls;

// The colours a value control offers before the user has chosen one: white,
// the halo that sets off the default black text; red, the colour of holidays
// in printed Persian calendars.
constexpr Colour FirstOutlineColour{0xFFFFFF};
constexpr Colour FirstHolidayColour{0x0000FF};
// The spin arrows' step: the usual desktop scale factors are multiples of 25 %.
constexpr int ScaleStep = 25;

// Measures in pixels at 96 dpi (Make scales them): lines as high as the main
// window's choices (21), the main window's colour pickers (89 x 21), its
// buttons (75 x 25).
constexpr int Margin = 8;
constexpr int ColumnWidth = 290;
constexpr int LineHeight = 23;
constexpr int GroupTop = 17;    // below the group's title
constexpr int GroupBottom = 7;
constexpr int ChoiceWidth = 150; // a choice with its value control beside it
constexpr int ValueWidth = 89;
constexpr int ButtonWidth = 75;
constexpr int ButtonHeight = 25;

enum class Kind { FirstRadio, Radio, Check, Note };

// One line of a group: a choice, and the id of the value control beside it
// (the percentage or a colour picker), or a note.
struct Line {
    Kind kind;
    int id;
    const wchar_t* caption;
    int value = 0;
};

struct Group {
    const wchar_t* title;
    std::array<Line, 3> lines;
    int count;
};

// Two columns, the calendar's look first (at the right, the window reading
// from the right): in one the window would be taller than a small screen.
constexpr int GroupsPerColumn = 4;
const std::array<Group, 8> Groups = {{
    {L"تقویم",
     {{{Kind::FirstRadio, R_Arithmetic, L"حسابی (چرخه ۲۸۲۰ ساله)"},
       {Kind::Radio, R_Official, L"رسمی ایران (لحظه اعتدال بهاری)"}}},
     2},
    {L"اندازه تقویم",
     {{{Kind::FirstRadio, R_ScaleAuto, L"خودکار (مقیاس صفحه نمایش)"},
       {Kind::Radio, R_ScalePercent, L"درصد", UDscale}}},
     2},
    {L"هاله دور نوشته‌ها",
     {{{Kind::FirstRadio, R_OutlineNone, L"بدون هاله"},
       {Kind::Radio, R_OutlineAuto, L"خودکار (سیاه یا سفید)"},
       {Kind::Radio, R_OutlineColour, L"این رنگ", ccOutline}}},
     3},
    // The lunar holidays follow announced moon sightings: the program knows
    // them from Iran's published calendars, and computes them after those.
    {L"جمعه‌ها و تعطیلات رسمی",
     {{{Kind::Check, CHKholiday, L"به رنگ جداگانه", ccHoliday},
       {Kind::Note, 0, L"تعطیلات قمری هم، از تقویم رسمی ایران."}}},
     2},
    {L"تاریخ‌های دیگر در خانه هر روز",
     {{{Kind::FirstRadio, R_OtherNone, L"هیچ"},
       {Kind::Radio, R_OtherGregorian, L"میلادی"},
       {Kind::Radio, R_OtherLunar, L"میلادی و قمری"}}},
     3},
    {L"نام ماه‌ها",
     {{{Kind::FirstRadio, R_NamesIranian, L"ایرانی (فروردین، اردیبهشت، خرداد)"},
       {Kind::Radio, R_NamesDari, L"دری (حمل، ثور، جوزا)"}}},
     2},
    // Used when the main window's stretch box is ticked.
    {L"کشیدن تصویر به اندازه صفحه",
     {{{Kind::FirstRadio, R_KeepProportions, L"حفظ تناسب تصویر (بزرگ‌نمایی و برش حاشیه‌ها)"},
       {Kind::Radio, R_StretchExactly, L"کشیدن دقیق به اندازه صفحه"}}},
     2},
    {L"فاصله از گوشه", {{{Kind::Check, CHKworkarea, L"از لبه پنل‌ها و نوارها، نه لبه صفحه"}}}, 1},
}};

int GroupHeight(const Group& group) {
    return GroupTop + group.count * LineHeight + GroupBottom;
}

int ColumnHeight(int column) {
    int height = 0;
    for (int i = 0; i < GroupsPerColumn; ++i)
        height += GroupHeight(Groups[static_cast<std::size_t>(column * GroupsPerColumn + i)]) +
                  Margin;
    return height - Margin;
}

const int ClientWidth = Margin + 2 * (ColumnWidth + Margin);
const int ClientHeight =
    Margin + std::max(ColumnHeight(0), ColumnHeight(1)) + Margin + ButtonHeight + Margin;

struct Options {
    WindowOptions start;
    std::optional<WindowOptions> chosen;
    HFONT regular;
    HFONT bold;
};

HWND Make(HWND window, const wchar_t* kind, const wchar_t* caption, DWORD style, int id,
          RECT place, HFONT font) {
    place = Scaled(place, WindowDpi(window));
    // Read from the right, as the window is laid out.
    const HWND control = CreateWindowExW(
        WS_EX_RTLREADING, kind, caption, WS_CHILD | WS_VISIBLE | style, place.left, place.top,
        place.right - place.left, place.bottom - place.top, window,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    return control;
}

// The value control beside a choice. Each starts a tab group of its own, so
// that it ends the radio buttons' group before it.
void MakeValue(HWND window, int id, RECT place, HFONT font) {
    if (id == UDscale) {
        Make(window, L"EDIT", L"", WS_GROUP | WS_TABSTOP | WS_BORDER | ES_NUMBER, UDscale, place,
             font);
        const HWND arrows =
            Make(window, UPDOWN_CLASSW, L"",
                 UDS_AUTOBUDDY | UDS_SETBUDDYINT | UDS_ALIGNRIGHT | UDS_ARROWKEYS | UDS_NOTHOUSANDS,
                 UDscaleArrows, {}, font);
        SendMessageW(arrows, UDM_SETRANGE32, WindowOptions::MinimumScale,
                     WindowOptions::MaximumScale);
        UDACCEL step{0, ScaleStep};
        SendMessageW(arrows, UDM_SETACCEL, 1, reinterpret_cast<LPARAM>(&step));
        return;
    }
    const RECT scaled = Scaled(place, WindowDpi(window));
    const HWND picker = CreateColourCombo(window, id, scaled.left, scaled.top,
                                          scaled.right - scaled.left, scaled.bottom - scaled.top);
    SetWindowLongPtrW(picker, GWL_STYLE, GetWindowLongPtrW(picker, GWL_STYLE) | WS_GROUP);
    // Its name for screen readers; the picker draws no text.
    SetWindowTextW(picker, id == ccOutline ? L"رنگ هاله" : L"رنگ جمعه‌ها و تعطیلات");
}

void CreateControls(HWND window, const Options& options) {
    for (std::size_t g = 0; g < Groups.size(); ++g) {
        const Group& group = Groups[g];
        const int column = static_cast<int>(g) / GroupsPerColumn;
        const int left = Margin + column * (ColumnWidth + Margin);
        int top = Margin;
        for (std::size_t before = static_cast<std::size_t>(column * GroupsPerColumn); before < g;
             ++before)
            top += GroupHeight(Groups[before]) + Margin;
        Make(window, L"BUTTON", group.title, BS_GROUPBOX | WS_GROUP, -1,
             {left, top, left + ColumnWidth, top + GroupHeight(group)}, options.bold);
        for (int i = 0; i < group.count; ++i) {
            const Line& line = group.lines[static_cast<std::size_t>(i)];
            const int y = top + GroupTop + i * LineHeight;
            const int right = line.value ? left + 8 + ChoiceWidth : left + ColumnWidth - 8;
            const RECT place{left + 8, y, right, y + 21};
            switch (line.kind) {
            case Kind::FirstRadio:
                Make(window, L"BUTTON", line.caption,
                     BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP, line.id, place, options.regular);
                break;
            case Kind::Radio:
                Make(window, L"BUTTON", line.caption, BS_AUTORADIOBUTTON | WS_TABSTOP, line.id,
                     place, options.regular);
                break;
            case Kind::Check:
                Make(window, L"BUTTON", line.caption,
                     BS_AUTOCHECKBOX | WS_GROUP | WS_TABSTOP, line.id, place, options.regular);
                break;
            case Kind::Note:
                Make(window, L"STATIC", line.caption, SS_LEFT | WS_GROUP, -1, place,
                     options.regular);
                break;
            }
            if (line.value)
                MakeValue(window, line.value, {right + 6, y, right + 6 + ValueWidth, y + 21},
                          options.regular);
        }
    }
    const int top = ClientHeight - Margin - ButtonHeight;
    const int cancelLeft = ClientWidth - Margin - ButtonWidth;
    const int okLeft = cancelLeft - 6 - ButtonWidth;
    Make(window, L"BUTTON", L"تأیید", BS_DEFPUSHBUTTON | WS_GROUP | WS_TABSTOP, IDOK,
         {okLeft, top, okLeft + ButtonWidth, top + ButtonHeight}, options.regular);
    Make(window, L"BUTTON", L"انصراف", BS_PUSHBUTTON | WS_TABSTOP, IDCANCEL,
         {cancelLeft, top, cancelLeft + ButtonWidth, top + ButtonHeight}, options.regular);
}

void Check(HWND window, int id, bool on) {
    CheckDlgButton(window, id, on ? BST_CHECKED : BST_UNCHECKED);
}

bool Checked(HWND window, int id) {
    return IsDlgButtonChecked(window, id) == BST_CHECKED;
}

void SetControls(HWND window, const WindowOptions& options) {
    Check(window, options.rule == PersianDate::CalendarRule::Official ? R_Official : R_Arithmetic,
          true);
    Check(window, options.scale ? R_ScalePercent : R_ScaleAuto, true);
    SendDlgItemMessageW(window, UDscaleArrows, UDM_SETPOS32, 0,
                        options.scale.value_or(WindowOptions::MinimumScale));
    const TextOutline::Kind outline = options.outline.kind;
    Check(window,
          outline == TextOutline::Kind::Auto     ? R_OutlineAuto
          : outline == TextOutline::Kind::Colour ? R_OutlineColour
                                                 : R_OutlineNone,
          true);
    SetColourComboValue(GetDlgItem(window, ccOutline), outline == TextOutline::Kind::Colour
                                                           ? options.outline.colour
                                                           : FirstOutlineColour);
    Check(window, CHKholiday, options.holiday.has_value());
    SetColourComboValue(GetDlgItem(window, ccHoliday),
                        options.holiday.value_or(FirstHolidayColour));
    Check(window,
          options.otherDates == OtherDates::GregorianAndLunar ? R_OtherLunar
          : options.otherDates == OtherDates::Gregorian       ? R_OtherGregorian
                                                              : R_OtherNone,
          true);
    Check(window, options.monthNames == MonthNaming::Dari ? R_NamesDari : R_NamesIranian, true);
    Check(window, options.keepProportions ? R_KeepProportions : R_StretchExactly, true);
    Check(window, CHKworkarea, options.workArea);
}

WindowOptions Chosen(HWND window) {
    WindowOptions options;
    options.rule = Checked(window, R_Official) ? PersianDate::CalendarRule::Official
                                               : PersianDate::CalendarRule::Arithmetic;
    if (Checked(window, R_ScalePercent)) {
        // The arrows' position follows the field's text, kept within the range.
        options.scale = static_cast<int>(
            SendDlgItemMessageW(window, UDscaleArrows, UDM_GETPOS32, 0, 0));
    }
    if (Checked(window, R_OutlineAuto))
        options.outline.kind = TextOutline::Kind::Auto;
    else if (Checked(window, R_OutlineColour))
        options.outline.kind = TextOutline::Kind::Colour;
    options.outline.colour = ColourComboValue(GetDlgItem(window, ccOutline));
    if (Checked(window, CHKholiday))
        options.holiday = ColourComboValue(GetDlgItem(window, ccHoliday));
    options.otherDates = Checked(window, R_OtherLunar)       ? OtherDates::GregorianAndLunar
                         : Checked(window, R_OtherGregorian) ? OtherDates::Gregorian
                                                             : OtherDates::None;
    options.monthNames = Checked(window, R_NamesDari) ? MonthNaming::Dari : MonthNaming::Iranian;
    options.keepProportions = !Checked(window, R_StretchExactly);
    options.workArea = Checked(window, CHKworkarea);
    return options;
}

// ChoiceClick: each value control is enabled exactly when its choice is on.
void ChoiceClick(HWND window) {
    const bool percent = Checked(window, R_ScalePercent);
    EnableWindow(GetDlgItem(window, UDscale), percent);
    EnableWindow(GetDlgItem(window, UDscaleArrows), percent);
    EnableWindow(GetDlgItem(window, ccOutline), Checked(window, R_OutlineColour));
    EnableWindow(GetDlgItem(window, ccHoliday), Checked(window, CHKholiday));
}

INT_PTR CALLBACK OptionsProc(HWND window, UINT message, WPARAM wParam, LPARAM) {
    auto* options = WindowData<Options>(window);
    switch (message) {
    case WM_INITDIALOG:
        CreateControls(window, *options);
        SetControls(window, options->start);
        ChoiceClick(window);
        return TRUE;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDOK: // BokClick
            options->chosen = Chosen(window);
            EndDialog(window, IDOK);
            return TRUE;
        case IDCANCEL: // BcancelClick, Esc and the close box
            EndDialog(window, IDCANCEL);
            return TRUE;
        case R_ScaleAuto:
        case R_ScalePercent:
        case R_OutlineNone:
        case R_OutlineAuto:
        case R_OutlineColour:
        case CHKholiday:
            if (HIWORD(wParam) == BN_CLICKED)
                ChoiceClick(window);
            return TRUE;
        default:
            return FALSE;
        }
    default:
        return FALSE;
    }
}

} // namespace

std::optional<WindowOptions> ShowOptionsWindow(HWND owner, const WindowOptions& start) {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_UPDOWN_CLASS};
    InitCommonControlsEx(&controls);
    const int dpi = WindowDpi(owner);
    Options options{start, std::nullopt, CreateTahomaFont(false, dpi), CreateTahomaFont(true, dpi)};
    // A window of its own in Persian reads from the right: its layout mirrors.
    ShowModalWindow(owner, L"گزینه‌ها", ClientWidth, ClientHeight, WS_EX_LAYOUTRTL, OptionsProc,
                    reinterpret_cast<LPARAM>(&options));
    DeleteObject(options.regular);
    DeleteObject(options.bold);
    return options.chosen;
}

}  // namespace velnora
