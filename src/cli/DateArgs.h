// SPDX-License-Identifier: GPL-3.0-or-later
// Dates as the calendar commands take them on the command line.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

struct PersianYmd {
    uint16_t year;
    uint16_t month;
    uint16_t day;
};

// "Y/M/D": decimal digits and two slashes, each field 0 to 65535 (checked, not
// cut to 16 bits). Nothing when the text has another form; throws
// std::runtime_error with the reason when a field is out of range.
std::optional<PersianYmd> ParsePersianArg(const std::string& text);

// "YYYY-MM-DD" as a calendar date. Nothing when the text has another form;
// throws "Invalid argument to date encode" for a day that does not exist.
std::optional<double> ParseGregorianArg(const std::string& text);

// A calendar date as "YYYY-MM-DD" (year with 4 digits).
std::string GregorianText(double date);
