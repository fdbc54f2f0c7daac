// SPDX-License-Identifier: GPL-3.0-or-later
// The leap years of Iran's official (astronomical) calendar, whose year begins
// on the day of the vernal equinox when it falls before true noon at Tehran,
// else on the day after. K. M. Borkowski ("The Persian calendar for 3000 years",
// Earth, Moon, and Planets 74, 1996) showed that its leap years for the years
// -61 to 3177 follow 33-year cycles that restart at a few break years; this unit
// holds that rule. Outside those years the program falls back on the arithmetic
// 2820-year rule (PersianDate.h).
#pragma once

#include <cstdint>

namespace velnora {

namespace PersianDate {

inline constexpr int64_t FirstOfficialYear = -61;
inline constexpr int64_t LastOfficialYear = 3177;

// True when official year `year` (FirstOfficialYear .. LastOfficialYear) has
// 366 days. Throws std::out_of_range outside those years.
bool IsOfficialLeapYear(int64_t year);

// The number of official leap years from FirstOfficialYear to year - 1, for
// `year` from FirstOfficialYear to LastOfficialYear + 1. Throws
// std::out_of_range outside those years.
int64_t OfficialLeapYearsBefore(int64_t year);

} // namespace PersianDate

}  // namespace velnora
