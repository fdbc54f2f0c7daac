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

// Three fields of digits separated by "/", "-" or ".". The calendar is the one
// given; without one, "Y-M-D" is Gregorian and "Y/M/D" Persian, and other
// separators are no date. Nothing when the text has another form.
std::optional<DateArg> ParseDateArg(const std::string& text,
                                    std::optional<CalendarKind> calendar = std::nullopt);

// Up to three fields of digits separated by "/", each 0 to 65535: "Y", "Y/M"
// or "Y/M/D". Nothing for another form or more fields; throws
// std::runtime_error with the reason for a field out of range.
std::optional<std::vector<uint16_t>> ParsePersianFields(const std::string& text);

// "Y/M/D" in the Persian calendar, each field 0 to 65535; nothing for another
// form; throws std::runtime_error with the reason for a field out of range.
std::optional<PersianYmd> ParsePersianArg(const std::string& text);

// The day a date names, as a calendar date. A Persian month or day out of range
// rolls over into the next month or year; a Gregorian date must exist. Throws
// std::runtime_error naming the range for a day before 1 Farvardin 1
// (22 March 622) or after 31 December 9999 (12 Dey 9378 by the arithmetic
// rule), or a Gregorian day that does not exist.
double DayOf(const DateArg& date, PersianDate::CalendarRule rule);

// "after 12 Dey 9378, the last day the program can show (<reason>)": the
// message for a day after the range, with the Persian or the Gregorian last day.
std::string AfterRangeMessage(CalendarKind calendar, PersianDate::CalendarRule rule,
                              const std::string& reason);

// "before 1 Farvardin 1 (22 March 622), the first day the program can show":
// the message for a day before the range, the first day named in the calendar
// of the input first, with the reason in parentheses when there is one.
std::string BeforeRangeMessage(CalendarKind calendar, const std::string& reason = "");

// A calendar date as "YYYY-MM-DD" (year with 4 digits).
std::string GregorianText(double date);
