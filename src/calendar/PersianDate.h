// SPDX-License-Identifier: GPL-3.0-or-later
// The Persian (Solar Hijri) calendar. By default the arithmetic form with the
// 2820-year cycle (1404 is a leap year, 1403 a common one); every operation that
// depends on the leap years also takes CalendarRule::Official, Iran's official
// calendar (1403 is a leap year, 1404 a common one; OfficialLeapYears.h). Every
// conversion goes through the Julian Day number; calendar dates are the
// platform's day count (see DateTime.h).
//
// The arithmetic is exact: floored division, floored non-negative remainders,
// 64-bit integers counting whole days, and the half of a JD (a day starts at
// n + 0.5) added only at the interface. No conversion checks its arguments: a
// month or day out of range rolls over (day 0 is the last day of the month
// before, month 13 continues into the next year). A year, month or day that a
// conversion stores keeps the low 16 bits of the computed value.
//
// The supported range is 1 Farvardin 1 (22 March 622, JD 1948320.5) to
// 12 Dey 9378 (31 December 9999). Outside it:
// - Before 1 Farvardin 1 there is no Persian year to give (the calendar has no
//   year 0 and the field is unsigned): JDToPersian, DateToPersian and
//   DateToPersianStr throw std::runtime_error("Date before 1 Farvardin 1").
//   PersianToJD of year 0 gives the proleptic year before year 1.
// - PersianToDate throws std::runtime_error("Invalid argument to date encode")
//   for every day after 31 December 9999, also from Persian year 64915 on, where
//   the Gregorian year no longer fits 16 bits (it is checked before it is cut).
//   JDToGregorian itself keeps the low 16 bits of such a year.
// - A JD that is not finite or lies beyond 1e15 days throws
//   std::runtime_error("Julian Day out of range").
//
// Under the official rule the months are the same; only the leap years, and so
// the first day of each year, differ. Its years -61 to 3177 follow Borkowski's
// rule; the years after 3177 have the leap years of the arithmetic rule, each
// year starting where the one before it ends. 1 Farvardin 1 is then 22 March
// 622 as well, and "Date before 1 Farvardin 1" is thrown before that day.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace velnora {

namespace PersianDate {

// Which leap years the Persian calendar has.
enum class CalendarRule {
    Arithmetic, // the 2820-year cycle: the program's own calendar, the default
    Official,   // Iran's official calendar: the equinox before or after Tehran noon
};

// "arithmetic" or "official", as the settings file and the command line write them.
const char* CalendarRuleName(CalendarRule rule);
// The rule a name stands for, in any case ("Official" too); nothing for any other text.
std::optional<CalendarRule> CalendarRuleNamed(const std::string& name);

bool IsLeapPersian(uint16_t year, CalendarRule rule = CalendarRule::Arithmetic);
// The days of month `month` (1..12) of `year`: 31 for months 1 to 6, 30 for 7
// to 11, and 29 for month 12, 30 in a leap year of `rule`. Throws
// std::out_of_range for a month outside 1..12.
int DaysInPersianMonth(uint16_t year, uint16_t month, CalendarRule rule = CalendarRule::Arithmetic);
long double GregorianToJD(uint16_t year, uint16_t month, uint16_t day);
void JDToGregorian(long double jd, uint16_t& year, uint16_t& month, uint16_t& day);
long double PersianToJD(uint16_t year, uint16_t month, uint16_t day,
                        CalendarRule rule = CalendarRule::Arithmetic);
void JDToPersian(long double jd, uint16_t& year, uint16_t& month, uint16_t& day,
                 CalendarRule rule = CalendarRule::Arithmetic);
void DateToPersian(double date, uint16_t& year, uint16_t& month, uint16_t& day,
                   CalendarRule rule = CalendarRule::Arithmetic);
double PersianToDate(uint16_t year, uint16_t month, uint16_t day,
                     CalendarRule rule = CalendarRule::Arithmetic);
// Year/month/day in ASCII digits, month and day with two digits: 1403/01/01.
std::string DateToPersianStr(double date, CalendarRule rule = CalendarRule::Arithmetic);
// Midnight of the day that year/month/day text names. The fields are read by the
// whole-number rule (WholeNumber.h: leading spaces, a sign, "$" or "0x" hex) and
// keep their low 16 bits; the day is read from the two characters after the
// second "/". A text under 8 characters, a missing "/" or a field that does not
// read gives today, silently. Throws only what PersianToDate throws.
double PersianStrToDate(const std::string& text);

} // namespace PersianDate

}  // namespace velnora
