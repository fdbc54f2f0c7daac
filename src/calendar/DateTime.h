// SPDX-License-Identifier: GPL-3.0-or-later
// The platform's calendar date: a double counting days since 30 December 1899,
// the fraction being the time of day.
#pragma once

#include <cstdint>
#include <functional>

namespace velnora {

// Gregorian year, month, day of the date part (the time of day is ignored).
// Throws std::runtime_error("Invalid argument to date decode") for a value that is
// not a finite day of the years 1 to 9999 (-693593 to 2958465).
void DecodeDate(double date, uint16_t& year, uint16_t& month, uint16_t& day);
// Midnight of that day; throws std::runtime_error("Invalid argument to date encode")
// outside 1..9999 or for a month/day that does not exist.
double EncodeDate(uint16_t year, uint16_t month, uint16_t day);
// 1 = Sunday .. 7 = Saturday; the same range as DecodeDate.
int DayOfWeek(double date);
// Today's local date (midnight) from the system clock, or from the replacement.
double Today();
// Tests replace the clock; an empty function puts the system clock back.
void SetTodayForTesting(std::function<double()> today);

}  // namespace velnora
