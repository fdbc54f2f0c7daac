// SPDX-License-Identifier: GPL-3.0-or-later
// The control ids of the main window, by which its handlers tell the controls
// apart and by which a test drives the window from another process.
#pragma once

namespace velnora {

enum MainControlId : int {
    IdBrepaint = 101,
    IdBpreview,
    IdBabout,
    IdBoptions,
    IdBclose,
    IdCHKprev,
    IdCHKnext,
    IdR_Top_Right,
    IdR_Bottom_Right,
    IdR_Bottom_Left,
    IdR_Top_Left,
    IdELeftRight,
    IdUDLeftRight,
    IdETopBottom,
    IdUDTopBottom,
    IdccToday,
    IdccBack,
    IdR_CurrentPicture,
    IdR_Choose,
    IdEfilename,
    IdBchoose,
    IdCHK_Stretch,
    IdCHK_show,
    IdTntStaticText1,
    IdTntStaticText2,
    IdTntStaticText3,
    IdTntStaticText4,
    IdTntStaticText5,
    IdTntStaticText6,
    IdTntLabel4,
    IdTntLabel5,
    IdTntLabel7,
    IdTntLabel8,
};

// The main window's title, by which it is found.
inline constexpr const wchar_t* MainWindowTitle = L"Velnora";

} // namespace velnora
