// SPDX-License-Identifier: GPL-3.0-or-later

#include "DateArgs.h"

#include "DateTime.h"
#include "WholeNumber.h"

#include <stdexcept>
#include <vector>

namespace {

// Larger numbers read as this: far outside every calendar field, and small
// enough for the sums below.
constexpr uint32_t HugeField = 999999999;

struct Fields {
    std::vector<uint32_t> values;
    std::string separators;
};

// Fields of decimal digits separated by one of `separators`; nothing when a
// field is empty or holds anything else.
std::optional<Fields> SplitFields(const std::string& typed, const std::string& separators) {
    const std::string text = WithAsciiDigits(typed);
    Fields fields;
    std::string digits;
    for (size_t i = 0; i <= text.size(); ++i) {
        if (i == text.size() || separators.find(text[i]) != std::string::npos) {
            if (digits.empty())
                return std::nullopt;
            const size_t first = digits.find_first_not_of('0');
            const std::string significant = first == std::string::npos ? "0" : digits.substr(first);
            fields.values.push_back(significant.size() > 9
                                        ? HugeField
                                        : static_cast<uint32_t>(std::stoul(significant)));
            digits.clear();
            if (i < text.size())
                fields.separators += text[i];
        } else if (text[i] >= '0' && text[i] <= '9') {
            digits += text[i];
        } else {
            return std::nullopt;
        }
    }
    return fields;
}

void CheckField(uint32_t value, const char* what) {
    if (value > 65535)
        throw std::runtime_error(std::string("the ") + what + " " + std::to_string(value) +
                                 " is out of range 0 to 65535");
}

double PersianDay(const DateArg& date, PersianDate::CalendarRule rule) {
    if (date.year > 65535)
        throw std::runtime_error(
            AfterRangeMessage(CalendarKind::Persian, rule, "Invalid argument to date encode"));
    CheckField(date.month, "month");
    CheckField(date.day, "day");
    const auto year = static_cast<uint16_t>(date.year), month = static_cast<uint16_t>(date.month),
               day = static_cast<uint16_t>(date.day);
    if (PersianDate::PersianToJD(year, month, day, rule) < PersianDate::PersianToJD(1, 1, 1, rule))
        throw std::runtime_error(BeforeRangeMessage(CalendarKind::Persian));
    try {
        return PersianDate::PersianToDate(year, month, day, rule);
    } catch (const std::runtime_error& error) {
        throw std::runtime_error(AfterRangeMessage(CalendarKind::Persian, rule, error.what()));
    }
}

double GregorianDay(const DateArg& date, PersianDate::CalendarRule rule) {
    const std::string reason = "Invalid argument to date encode";
    if (date.year > 9999)
        throw std::runtime_error(AfterRangeMessage(CalendarKind::Gregorian, rule, reason));
    if (date.year < 1)
        throw std::runtime_error(BeforeRangeMessage(CalendarKind::Gregorian, reason));
    if (date.month < 1 || date.month > 12)
        throw std::runtime_error("the month is not 1 to 12");
    const auto year = static_cast<uint16_t>(date.year), month = static_cast<uint16_t>(date.month);
    static const int MonthDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const int days = MonthDays[month - 1] + (month == 2 && PersianDate::IsLeapGregorian(year));
    if (date.day < 1 || date.day > static_cast<uint32_t>(days))
        throw std::runtime_error(std::string(GregorianMonthNames[month - 1]) + " " +
                                 std::to_string(year) + " has " + std::to_string(days) + " days");
    const double day = EncodeDate(year, month, static_cast<uint16_t>(date.day));
    if (day < PersianDate::PersianToDate(1, 1, 1, rule))
        throw std::runtime_error(
            BeforeRangeMessage(CalendarKind::Gregorian, "Date before 1 Farvardin 1"));
    return day;
}

} // namespace

std::optional<DateArg> ParseDateArg(const std::string& text, std::optional<CalendarKind> calendar) {
    const std::optional<Fields> fields = SplitFields(text, "/-.");
    if (!fields || fields->values.size() != 3)
        return std::nullopt;
    if (!calendar) {
        if (fields->separators == "--")
            calendar = CalendarKind::Gregorian;
        else if (fields->separators == "//")
            calendar = CalendarKind::Persian;
        else
            return std::nullopt;
    }
    return DateArg{*calendar, fields->values[0], fields->values[1], fields->values[2]};
}

std::optional<std::vector<uint16_t>> ParsePersianFields(const std::string& text) {
    const std::optional<Fields> fields = SplitFields(text, "/");
    if (!fields || fields->values.size() > 3)
        return std::nullopt;
    const char* const names[] = {"year", "month", "day"};
    std::vector<uint16_t> values;
    for (size_t i = 0; i < fields->values.size(); ++i) {
        CheckField(fields->values[i], names[i]);
        values.push_back(static_cast<uint16_t>(fields->values[i]));
    }
    return values;
}

std::optional<PersianYmd> ParsePersianArg(const std::string& text) {
    const std::optional<std::vector<uint16_t>> fields = ParsePersianFields(text);
    if (!fields || fields->size() != 3)
        return std::nullopt;
    return PersianYmd{(*fields)[0], (*fields)[1], (*fields)[2]};
}

double DayOf(const DateArg& date, PersianDate::CalendarRule rule) {
    return date.calendar == CalendarKind::Persian ? PersianDay(date, rule)
                                                  : GregorianDay(date, rule);
}

std::string AfterRangeMessage(CalendarKind calendar, PersianDate::CalendarRule rule,
                              const std::string& reason) {
    // 31 December 9999 is the platform date's last day (DateTime.h); its
    // Persian date depends on the rule.
    const double last = EncodeDate(9999, 12, 31);
    uint16_t year = 9999, month = 12, day = 31;
    std::string lastDay = GregorianDayText(year, month, day);
    if (calendar == CalendarKind::Persian) {
        PersianDate::DateToPersian(last, year, month, day, rule);
        lastDay = PersianDayText(year, month, day);
    }
    return "after " + lastDay + ", the last day the program can show (" + reason + ")";
}

std::string BeforeRangeMessage(CalendarKind calendar, const std::string& reason) {
    // 1 Farvardin 1 is 22 March 622 by either rule (PersianDate.h).
    const std::string firstDay = calendar == CalendarKind::Persian ? "1 Farvardin 1 (22 March 622)"
                                                                   : "22 March 622 (1 Farvardin 1)";
    return "before " + firstDay + ", the first day the program can show" +
           (reason.empty() ? "" : " (" + reason + ")");
}

std::string GregorianText(double date) {
    return FormatDate(date, "%F", CalendarKind::Gregorian);
}
