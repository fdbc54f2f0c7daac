// SPDX-License-Identifier: GPL-3.0-or-later
// The proleptic Gregorian calendar on day numbers: the day number of a date is
// its Julian Day less one half (a Julian Day starts at noon, a date at
// midnight), so 1 January 1 is day 1721425. Whole 64-bit days, no floating
// point; the results are exact for any year a 64-bit day count holds.
#pragma once

#include <cstdint>

namespace velnora {

struct GregorianDate {
    int64_t year;
    int64_t month;
    int64_t day;
};

bool IsLeapGregorianYear(int64_t year);
// 28 to 31; month is 1..12.
int DaysInGregorianMonth(int64_t year, int month);
// The month and day are not checked: day 0 is the last day of the month before.
int64_t GregorianDayNumber(int64_t year, int64_t month, int64_t day);
GregorianDate GregorianDateOf(int64_t dayNumber);

}  // namespace velnora
