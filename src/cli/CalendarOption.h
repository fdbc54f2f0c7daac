// SPDX-License-Identifier: GPL-3.0-or-later
// The options the calendar commands share: --calendar, --month-names, --format,
// --persian-digits.
#pragma once

#include "CommandLine.h"
#include "MonthGrid.h"
#include "PersianDate.h"

#include <string>

namespace velnora {

inline const CommandOption CalendarRuleOption{
    {"calendar"}, "RULE",
    "the leap years: arithmetic (the 2820-year cycle) or\n"
    "official (Iran's calendar, from the equinox) (default:\n"
    "the rule of the program's settings file, else arithmetic)"};
inline const CommandOption MonthNamesOption{
    {"month-names"}, "NAMES",
    "the months' names: iranian (فروردین ...) or dari (حمل ...)\n"
    "(default: the choice of the program's settings file,\n"
    "else iranian)"};
inline const CommandOption FormatOption{{"format"}, "FORMAT", "write each date by FORMAT instead"};
inline const CommandOption PersianDigitsOption{{"persian-digits"}, nullptr,
                                               "write the digits of the dates as \u06f0..\u06f9"};

// The fields of FORMAT, after the options of today and convert.
inline constexpr const char* FormatFieldsHelp =
    "\n"
    "FORMAT fields: %Y year, %m month 01-12, %d day 01-31, %e day with a leading\n"
    "space, %B month name, %b short month name, %A weekday name, %a short weekday\n"
    "name, %j day of the year 001-366, %F the same as %Y-%m-%d, %% a \"%\".\n"
    "Persian dates have Persian names (%b the month's name, %a the weekday's\n"
    "initial); Gregorian dates English names (%b Mar, %a Wed) and a four-digit %Y.\n";

// The rule "--calendar" names: "arithmetic" or "official", in any case, blanks
// and direction marks around it ignored. Throws Misuse (Commands.h) for any
// other text.
PersianDate::CalendarRule CalendarOption(const std::string& value);

// The rule --calendar chooses, else the rule of the program's settings file
// (ProgramCalendarRule): every calendar command follows the same choice.
PersianDate::CalendarRule ChosenRule(const CommandLine& line);

// The rule chosen in the settings file of the velnora program beside this
// command, as the program reads it: arithmetic without a file or a choice.
PersianDate::CalendarRule ProgramCalendarRule();

// The month names --month-names chooses, "iranian" or "dari" in any case
// (blanks and direction marks around it ignored), else those of the program's
// settings file, else the Iranian ones. Throws Misuse for any other text.
MonthNaming ChosenMonthNames(const CommandLine& line);

}  // namespace velnora
