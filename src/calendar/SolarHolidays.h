// SPDX-License-Identifier: GPL-3.0-or-later
// The official holidays of Iran that fall on fixed days of the solar calendar
// (the table in Holidays.cpp).
#pragma once

#include <cstdint>

namespace velnora {

// True for a day of a Persian month (1..12) that is an official holiday every
// year. The lunar holidays move from year to year: HolidaysOn (Holidays.h).
bool IsFixedSolarHoliday(uint16_t month, uint16_t day);

}  // namespace velnora
