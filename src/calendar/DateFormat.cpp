// SPDX-License-Identifier: GPL-3.0-or-later

#include "DateFormat.h"

#include "Cp1256.h"
#include "DateTime.h"
#include "MonthNames.h"

#include <cstdio>

namespace velnora {

// The Persian names in today's spelling: the Persian yeh (U+06CC) and keheh
// (U+06A9), and a zero-width non-joiner (U+200C) inside the compound weekday
// names, as Persian text writes them.
const char* const PersianDayNamesUtf8[7] = {
    "یکشنبه", "دوشنبه", "سه\u200cشنبه", "چهارشنبه", "پنج\u200cشنبه", "جمعه", "شنبه",
};
const char* const PersianMonthNamesLatin[12] = {
    "Farvardin", "Ordibehesht", "Khordad", "Tir", "Mordad", "Shahrivar",
    "Mehr",      "Aban",        "Azar",    "Dey", "Bahman", "Esfand",
};
const char* const GregorianMonthNames[12] = {
    "January", "February", "March",     "April",   "May",      "June",
    "July",    "August",   "September", "October", "November", "December",
};

namespace {

const char* const EnglishDayNames[7] = {
    "Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday",
};

struct Day {
    int year, month, day;
    int dayOfYear; // 1-based
    int weekday;   // 0 = Sunday .. 6 = Saturday
};

Day DayIn(double date, CalendarKind calendar, PersianDate::CalendarRule rule) {
    uint16_t year, month, day;
    Day result{};
    if (calendar == CalendarKind::Persian) {
        PersianDate::DateToPersian(date, year, month, day, rule);
        result.dayOfYear =
            static_cast<int>(date - PersianDate::PersianToDate(year, 1, 1, rule)) + 1;
    } else {
        DecodeDate(date, year, month, day);
        result.dayOfYear = static_cast<int>(date - EncodeDate(year, 1, 1)) + 1;
    }
    result.year = year;
    result.month = month;
    result.day = day;
    result.weekday = DayOfWeek(date) - 1;
    return result;
}

std::string Number(int value, const char* printfFormat) {
    char text[16];
    std::snprintf(text, sizeof text, printfFormat, value);
    return text;
}

} // namespace

std::string WithPersianDigits(const std::string& text) {
    std::string result;
    result.reserve(text.size() * 2);
    for (const char c : text) {
        if (c >= '0' && c <= '9') {
            // U+06F0 + n is DB B0+n in UTF-8.
            result += '\xDB';
            result += static_cast<char>(0xB0 + (c - '0'));
        } else {
            result += c;
        }
    }
    return result;
}

std::string FormatDate(double date, const std::string& format, CalendarKind calendar,
                       PersianDate::CalendarRule rule, bool persianDigits) {
    const Day day = DayIn(date, calendar, rule);
    const bool persian = calendar == CalendarKind::Persian;
    const std::string year = Number(day.year, persian ? "%d" : "%04d");
    const std::string month = Number(day.month, "%02d");
    const std::string dayOfMonth = Number(day.day, "%02d");
    const std::string monthName =
        persian ? PersianMonthName(day.month) : GregorianMonthNames[day.month - 1];
    const std::string weekdayName =
        persian ? PersianDayNamesUtf8[day.weekday] : EnglishDayNames[day.weekday];
    std::string out;
    for (size_t i = 0; i < format.size(); ++i) {
        if (format[i] != '%' || i + 1 == format.size()) {
            out += format[i];
            continue;
        }
        std::string field;
        switch (format[++i]) {
        case 'Y':
            field = year;
            break;
        case 'm':
            field = month;
            break;
        case 'd':
            field = dayOfMonth;
            break;
        case 'e':
            field = Number(day.day, "%2d");
            break;
        case 'B':
            field = monthName;
            break;
        case 'b':
            field = persian ? monthName : monthName.substr(0, 3);
            break;
        case 'A':
            field = weekdayName;
            break;
        case 'a':
            // The grids' column heads, Saturday first, hold the initials.
            field = persian ? PersianSpelling(WeekdayInitials[(day.weekday + 1) % 7])
                            : weekdayName.substr(0, 3);
            break;
        case 'j':
            field = Number(day.dayOfYear, "%03d");
            break;
        case 'F':
            field = year + "-" + month + "-" + dayOfMonth;
            break;
        case '%':
            field = "%";
            break;
        default:
            field = format.substr(i - 1, 2);
            out += field;
            continue; // copied as it stands
        }
        out += persianDigits ? WithPersianDigits(field) : field;
    }
    return out;
}

std::string PersianMonthName(int month) {
    return PersianSpelling(MonthNames[month - 1]);
}

std::string PersianDayText(uint16_t year, uint16_t month, uint16_t day) {
    return std::to_string(day) + " " + PersianMonthNamesLatin[month - 1] + " " +
           std::to_string(year);
}

std::string GregorianDayText(uint16_t year, uint16_t month, uint16_t day) {
    return std::to_string(day) + " " + GregorianMonthNames[month - 1] + " " + std::to_string(year);
}

}  // namespace velnora
