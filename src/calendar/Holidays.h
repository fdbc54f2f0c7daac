// SPDX-License-Identifier: GPL-3.0-or-later
// The official holidays of Iran: the fixed days of the solar calendar and the
// days of the lunar calendar (LunarCalendar.h), in one table with their
// Persian names (UTF-8, the Persian letters ی and ک).
#pragma once

#include "PersianDate.h"

#include <cstdint>
#include <string>
#include <vector>

namespace velnora {

// The names of the holidays on a Persian day under a calendar rule, solar
// ones first; empty on a working day (Fridays are not listed: every Friday is
// a holiday). A month or day out of range rolls over as PersianToJD does.
std::vector<std::string> HolidaysOn(uint16_t year, uint16_t month, uint16_t day,
                                    PersianDate::CalendarRule rule);

struct HolidayDay {
    uint16_t month, day;
    std::vector<std::string> names;
};

// The holidays of a Persian year, in date order.
std::vector<HolidayDay> HolidaysOfYear(uint16_t year, PersianDate::CalendarRule rule);

}  // namespace velnora
