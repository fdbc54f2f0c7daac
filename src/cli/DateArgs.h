// SPDX-License-Identifier: GPL-3.0-or-later
// Dates as the calendar commands take them on the command line. Every field
// may be written in ASCII, Persian (U+06F0..) or Arabic-Indic (U+0660..) digits.
#pragma once

#include "DateFormat.h"
#include "PersianDate.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace velnora {

struct PersianYmd {
    uint16_t year;
    uint16_t month;
    uint16_t day;
};

// A date as typed: three whole numbers and the calendar they count in.
struct DateArg {
    CalendarKind calendar;
    uint32_t year, month, day; // up to 999999999; larger numbers read as that
};

// Without -j or -g, a date whose year is this or later is taken for a
// Gregorian one: the Persian year 1700 begins in March 2321, and a Gregorian
// date before 1700 (Persian 1079) is rarely typed.
constexpr uint32_t FirstGregorianYearGuessed = 1700;

// Three fields of digits separated by "/", "-" or ".", blanks and direction
// marks around them ignored (CleanArgument). A first field up to 31 followed by
// a last one above 31 is day/month/year. With a calendar given, that calendar;
// without one, a year below FirstGregorianYearGuessed is Persian ("1405-09-17"
// as well as "1405/09/17"), a later one Gregorian with dashes ("2026-12-08"),
// and other separators are no date. Nothing when the text has another form;
// throws std::runtime_error, with a hint to give -g or -j, for a date written
// with slashes and a later year, or with the year last, without a calendar.
std::optional<DateArg> ParseDateArg(const std::string& text,
                                    std::optional<CalendarKind> calendar = std::nullopt);

// Up to three fields of digits separated by "/", each 0 to 65535: "Y", "Y/M"
// or "Y/M/D". Nothing for another form or more fields; throws
// std::runtime_error with the reason for a field out of range.
std::optional<std::vector<uint16_t>> ParsePersianFields(const std::string& text);

// "Y/M/D" in the Persian calendar, each field 0 to 65535; nothing for another
// form; throws std::runtime_error with the reason for a field out of range.
std::optional<PersianYmd> ParsePersianArg(const std::string& text);

// The day a date names, as a calendar date. The day must exist in either
// calendar (CheckPersianDay). Throws std::runtime_error naming the range for a
// day before 1 Farvardin 1 (22 March 622) or after 31 December 9999 (12 Dey
// 9378 by the arithmetic rule), or a day that does not exist.
double DayOf(const DateArg& date, PersianDate::CalendarRule rule);

// Throws std::runtime_error for a Persian day that does not exist: a year
// before 1 or past 65535, "the month is not 1 to 12", "Esfand 1404 has 29 days".
void CheckPersianDay(uint32_t year, uint32_t month, uint32_t day, PersianDate::CalendarRule rule);

// The text without the direction marks (U+200E, U+200F, U+061C, U+202A..U+202E,
// U+2066..U+2069) and the byte order mark anywhere in it, and without blanks
// (white space, U+00A0, U+202F) at either end: a date pasted from right-to-left
// text carries them unseen.
std::string CleanArgument(const std::string& text);

// "after 12 Dey 9378, the last day the program can show (<reason>)": the
// message for a day after the range, with the Persian or the Gregorian last day.
std::string AfterRangeMessage(CalendarKind calendar, PersianDate::CalendarRule rule,
                              const std::string& reason);

// "before 1 Farvardin 1 (22 March 622), the first day the program can show":
// the message for a day before the range, the first day named in the calendar
// of the input first, with the reason in parentheses when there is one.
std::string BeforeRangeMessage(CalendarKind calendar, const std::string& reason = "");

}  // namespace velnora
