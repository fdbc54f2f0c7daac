// SPDX-License-Identifier: GPL-3.0-or-later
// The lunar Hijri calendar as Iran's official calendar keeps it: the months
// begin as Iran's calendar authorities fix them from the moon's sighting, which
// no rule reproduces, so the program holds a table of those month starts for
// the years they were published for, and beyond it computes the arithmetic
// (tabular) Islamic calendar, which can be a day off Iran's.
#pragma once

#include <cstdint>

namespace velnora {

namespace LunarCalendar {

struct HijriDate {
    int year;  // Anno Hegirae
    int month; // 1 Muharram .. 12 Dhu al-Hijja
    int day;   // 1..30
};

// Day numbers are Julian Day numbers less one half: the day that begins at
// JD n + 0.5 is day n (PersianDate's JDs, as whole days).

// 1 Muharram 1 of the civil epoch, Friday 16 July 622 (Julian): the first day
// with a lunar date. The Persian calendar starts 119 days before it.
inline constexpr int64_t FirstHijriDay = 1948439;

// The arithmetic Islamic calendar with the civil epoch (1 Muharram 1 is Friday
// 16 July 622, Julian; day 1948439) and the leap years 2, 5, 7, 10, 13, 16, 18,
// 21, 24, 26 and 29 of each 30-year cycle: odd months have 30 days, even 29,
// Dhu al-Hijja 30 in a leap year. ICU calls it "islamic-civil". For days from
// FirstHijriDay on; throws std::out_of_range before.
HijriDate ArithmeticHijri(int64_t day);
int64_t ArithmeticHijriDay(int year, int month, int day);

// The lunar date in Iran's official calendar: the table of month starts where
// it reaches; before it the arithmetic calendar moved to join the table's
// first month, after it the arithmetic calendar itself, the last tabled month
// running on to its next month start (over the table's years Iran began its
// months on the arithmetic calendar's day or a day either side, so a month
// start past the table can be a day off the one Iran will announce). From
// FirstHijriDay on; throws std::out_of_range before.
HijriDate IranianHijri(int64_t day);

// The first and the last day the table of Iran's month starts answers for.
int64_t FirstTabledDay();
int64_t LastTabledDay();

} // namespace LunarCalendar

}  // namespace velnora
