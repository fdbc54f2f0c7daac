// SPDX-License-Identifier: GPL-3.0-or-later
// The names the calendar's grids and titles draw, in Windows-1256 bytes as the
// grid texts are kept (0xED is the Arabic yeh). Text for a terminal takes them
// through PersianSpelling (Cp1256.h).
#pragma once

namespace velnora {

// One letter per weekday, Saturday first: entry i heads column 6 - i of a grid.
extern const char* const WeekdayInitials[7];
// The Persian months, Farvardin first.
extern const char* const MonthNames[12];
// The same months as Afghanistan names them (Hamal .. Hut), month 1 first.
extern const char* const DariMonthNames[12];

}  // namespace velnora
