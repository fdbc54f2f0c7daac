// SPDX-License-Identifier: GPL-3.0-or-later
// The dates of the other calendars that a Persian month's grid can show: the
// Gregorian and the lunar day of each day, and the months they run through.
// Texts are Windows-1256 bytes with ASCII digits, as every grid text.
#pragma once

#include "PersianDate.h"

#include <cstdint>
#include <string>

namespace velnora {

struct OtherDayNumbers {
    std::string gregorian; // "21"
    std::string lunar;     // the day of Iran's lunar calendar, "3"; empty before 622
};

// The Gregorian and the lunar day of a Persian day under a calendar rule.
OtherDayNumbers OtherDayNumbersOf(uint16_t year, uint16_t month, uint16_t day,
                                  PersianDate::CalendarRule rule);

// The Gregorian months a Persian month runs through, with their years
// ("October - November 2026", "December 2026 - January 2027"); likewise the
// lunar months of Iran's calendar, with the year Anno Hegirae.
std::string GregorianMonthsOf(uint16_t year, uint16_t month, PersianDate::CalendarRule rule);
std::string LunarMonthsOf(uint16_t year, uint16_t month, PersianDate::CalendarRule rule);

}  // namespace velnora
