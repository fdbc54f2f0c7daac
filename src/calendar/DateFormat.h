// SPDX-License-Identifier: GPL-3.0-or-later
// Dates written by a strftime-like format, in the Persian or the Gregorian
// calendar, for people reading a terminal. Names are UTF-8: Persian with the
// Persian yeh and keheh (U+06CC, U+06A9), as Persian keyboards type them, and
// English for the Gregorian calendar.
#pragma once

#include "PersianDate.h"

#include <string>

namespace velnora {

enum class CalendarKind { Persian, Gregorian };

// The date part of `date` written by `format`. Fields:
//   %Y year (Persian: as the program writes it, 1403; Gregorian: at least four
//      digits, 0622), %m month 01-12, %d day 01-31, %e day padded with a space,
//   %B month name, %b short month name, %A weekday name, %a short weekday name,
//   %j day of the year 001-366, %F %Y-%m-%d, %% a "%".
// Persian names: %B and %b the month's name (Persian months have no customary
// short names), %A the weekday's name, %a its one-letter initial as calendars
// head their columns. Gregorian names: English, %b and %a their first three
// letters. Any other "%" sequence, and a "%" at the end, is copied as it
// stands, as GNU date does. With persianDigits the digits of the fields are
// written U+06F0..U+06F9; the format's own text is copied unchanged.
// Throws what DateToPersian or DecodeDate throw for a date outside their range.
std::string FormatDate(double date, const std::string& format, CalendarKind calendar,
                       PersianDate::CalendarRule rule = PersianDate::CalendarRule::Arithmetic,
                       bool persianDigits = false);

// The text with every ASCII digit written as the Persian digit of its value.
std::string WithPersianDigits(const std::string& text);

// UTF-8 names with the Persian yeh and keheh. Index 0 = Sunday .. 6 = Saturday.
extern const char* const PersianDayNamesUtf8[7];
// Month 1 (Farvardin) .. 12 (Esfand), in UTF-8 with the Persian yeh and keheh.
std::string PersianMonthName(int month);
// The names as English texts spell them, for messages: "Farvardin" .. "Esfand".
extern const char* const PersianMonthNamesLatin[12];
// "January" .. "December".
extern const char* const GregorianMonthNames[12];

// "12 Dey 9378" / "31 December 9999": a day for an English message.
std::string PersianDayText(uint16_t year, uint16_t month, uint16_t day);
std::string GregorianDayText(uint16_t year, uint16_t month, uint16_t day);

}  // namespace velnora
