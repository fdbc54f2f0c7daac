// SPDX-License-Identifier: GPL-3.0-or-later
// The captions are Unicode as the window was designed: Arabic yeh (U+064A)
// throughout and Arabic kaf (U+0643) in "كشيدن تصوير".

#include "MainControls.h"

#include <commctrl.h>

namespace velnora {

namespace {

// The frames' places on the window; their children are given relative to them.
constexpr POINT Panel1{193, 8};  // show months
constexpr POINT Panel2{4, 8};    // position on the screen
constexpr POINT Panel3{4, 80};   // colour
constexpr POINT Panel4{193, 80}; // distances
constexpr POINT Panel5{4, 152};  // choose picture
constexpr POINT Panel6{4, 222};  // picture state

// A Persian caption reads from the right: the box stands at its right end.
constexpr DWORD Persian = BS_LEFTTEXT | BS_RIGHT;
constexpr DWORD Tab = WS_TABSTOP;
constexpr DWORD Group = WS_GROUP;
constexpr DWORD Check = BS_AUTOCHECKBOX;
constexpr DWORD Radio = BS_AUTORADIOBUTTON;
constexpr DWORD Edit = ES_AUTOHSCROLL | WS_BORDER;
constexpr DWORD Spin = UDS_SETBUDDYINT | UDS_ARROWKEYS | UDS_NOTHOUSANDS;
constexpr DWORD Label = SS_RIGHT;
constexpr DWORD Heading = SS_CENTER;

#define AT(frame, left, top) frame.x + (left), frame.y + (top)

const ControlDesign Controls[] = {
    {IdBrepaint, L"BUTTON", L"تاييد", Group | Tab, 278, 280, 98, 30, ControlFont::TahomaBold},
    {IdBpreview, L"BUTTON", L"پيش نمايش", Tab, 177, 280, 98, 30, ControlFont::Tahoma},
    {IdBabout, L"BUTTON", L"", Tab, 144, 280, 30, 30, ControlFont::Tahoma},
    // In the gap between the about and the close buttons, so the window keeps its size.
    {IdBoptions, L"BUTTON", L"", Tab, 108, 280, 30, 30, ControlFont::Tahoma},
    {IdBclose, L"BUTTON", L"تاييد و خروج", Tab, 4, 280, 98, 30, ControlFont::Tahoma},
    {IdCHKprev, L"BUTTON", L"ماه قبل", Check | Persian | Group | Tab, AT(Panel1, 59, 14), 65, 19,
     ControlFont::TahomaBold},
    {IdCHKnext, L"BUTTON", L"ماه بعد", Check | Persian | Tab, AT(Panel1, 59, 42), 65, 19,
     ControlFont::TahomaBold},
    // Each corner's button sits at the corner of the frame it stands for.
    {IdR_Top_Right, L"BUTTON", L"", Radio | Group | Tab, AT(Panel2, 130, 14), 17, 17,
     ControlFont::TahomaBold},
    {IdR_Bottom_Right, L"BUTTON", L"", Radio, AT(Panel2, 130, 42), 17, 17, ControlFont::TahomaBold},
    {IdR_Bottom_Left, L"BUTTON", L"", Radio, AT(Panel2, 36, 42), 17, 17, ControlFont::TahomaBold},
    {IdR_Top_Left, L"BUTTON", L"", Radio, AT(Panel2, 36, 14), 17, 17, ControlFont::TahomaBold},
    {IdELeftRight, L"EDIT", L"0", Edit | Group | Tab, AT(Panel4, 19, 9), 59, 21,
     ControlFont::Tahoma},
    {IdUDLeftRight, UPDOWN_CLASSW, L"", Spin, AT(Panel4, 78, 9), 16, 21, ControlFont::Tahoma},
    {IdETopBottom, L"EDIT", L"0", Edit | Tab, AT(Panel4, 19, 33), 59, 21, ControlFont::Tahoma},
    {IdUDTopBottom, UPDOWN_CLASSW, L"", Spin, AT(Panel4, 78, 33), 16, 21, ControlFont::Tahoma},
    {IdccToday, nullptr, L"", Tab, AT(Panel3, 31, 9), 89, 21, ControlFont::TahomaBold},
    {IdccBack, nullptr, L"", Tab, AT(Panel3, 31, 33), 89, 21, ControlFont::TahomaBold},
    {IdR_CurrentPicture, L"BUTTON", L"تصوير فعلي", Radio | Persian | Group | Tab,
     AT(Panel5, 245, 12), 97, 21, ControlFont::TahomaBold},
    {IdR_Choose, L"BUTTON", L"انتخاب از تصاوير موجود", Radio | Persian, AT(Panel5, 29, 12), 161, 21,
     ControlFont::TahomaBold},
    {IdEfilename, L"EDIT", L"", Edit | Group | Tab, AT(Panel5, 8, 37), 329, 21,
     ControlFont::SansSerif},
    {IdCHK_Stretch, L"BUTTON", L"كشيدن تصوير", Check | Persian | Group | Tab, AT(Panel6, 245, 21),
     97, 17, ControlFont::TahomaBold},
    {IdCHK_show, L"BUTTON", L"نمايش تقويم", Check | Persian | Tab, AT(Panel6, 29, 21), 97, 17,
     ControlFont::TahomaBold},
    // Take no focus.
    {IdBchoose, L"BUTTON", L"", Group | BS_FLAT, AT(Panel5, 340, 36), 23, 22,
     ControlFont::TahomaBold},
    {IdTntStaticText3, L"STATIC", L"نمايش ماه ها", Heading, 296, 1, 75, 17,
     ControlFont::TahomaBold},
    {IdTntStaticText4, L"STATIC", L"موقعيت در صفحه", Heading, 90, 1, 92, 17,
     ControlFont::TahomaBold},
    {IdTntStaticText2, L"STATIC", L"فاصله ها", Heading, 320, 73, 51, 17, ControlFont::TahomaBold},
    {IdTntStaticText5, L"STATIC", L"رنگ", Heading, 157, 73, 25, 17, ControlFont::TahomaBold},
    {IdTntStaticText1, L"STATIC", L"انتخاب تصوير", Heading, 298, 145, 72, 17,
     ControlFont::TahomaBold},
    {IdTntStaticText6, L"STATIC", L"وضعيت تصوير", Heading, 295, 215, 75, 17,
     ControlFont::TahomaBold},
    {IdTntLabel7, L"STATIC", L"چپ و راست", Label, AT(Panel4, 100, 13), 63, 13,
     ControlFont::TahomaBold},
    {IdTntLabel8, L"STATIC", L"بالا و پايين", Label, AT(Panel4, 100, 37), 53, 13,
     ControlFont::TahomaBold},
    {IdTntLabel4, L"STATIC", L"امروز", Label, AT(Panel3, 124, 13), 28, 13, ControlFont::TahomaBold},
    {IdTntLabel5, L"STATIC", L"زمينه", Label, AT(Panel3, 124, 37), 27, 13, ControlFont::TahomaBold},
};

#undef AT

constexpr RECT Frame(POINT at, int width, int height) {
    return {at.x, at.y, at.x + width, at.y + height};
}

const RECT Frames[] = {Frame(Panel1, 183, 65), Frame(Panel2, 183, 65), Frame(Panel4, 183, 65),
                       Frame(Panel3, 183, 65), Frame(Panel5, 372, 65), Frame(Panel6, 372, 51)};

// Resource names of src/win/MainWindow.rc.in.
const GlyphDesign Glyphs[] = {
    {IdBrepaint, L"GLYPH_TICK", 16},      {IdBpreview, L"GLYPH_PICTURE", 16},
    {IdBabout, L"GLYPH_INFORMATION", 24}, {IdBoptions, L"GLYPH_OPTIONS", 24},
    {IdBclose, L"GLYPH_EXIT", 16},        {IdBchoose, L"GLYPH_OPEN_FOLDER", 16},
};

} // namespace

std::span<const ControlDesign> MainControls() {
    return Controls;
}

std::span<const RECT> MainFrames() {
    return Frames;
}

std::span<const GlyphDesign> MainGlyphs() {
    return Glyphs;
}

bool IsHeading(int id) {
    return id >= IdTntStaticText1 && id <= IdTntStaticText6;
}

} // namespace velnora
