// SPDX-License-Identifier: GPL-3.0-or-later

#include "DateArgs.h"

#include "DateTime.h"
#include "Gregorian.h"
#include "MonthGrid.h"
#include "WholeNumber.h"

#include <cstring>
#include <stdexcept>
#include <utility>
#include <vector>

namespace velnora {

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
    const std::string text = WithAsciiDigits(CleanArgument(typed));
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
    CheckPersianDay(date.year, date.month, date.day, rule);
    try {
        return PersianDate::PersianToDate(static_cast<uint16_t>(date.year),
                                          static_cast<uint16_t>(date.month),
                                          static_cast<uint16_t>(date.day), rule);
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
    const int days = DaysInGregorianMonth(year, month);
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
    DateArg date{CalendarKind::Persian, fields->values[0], fields->values[1], fields->values[2]};
    // A first field that can be a day and a last one that cannot: the year
    // comes last, as in 8/12/2026, the order Iranians write Gregorian dates in.
    const bool yearLast = date.year <= 31 && date.day > 31;
    if (yearLast)
        std::swap(date.year, date.day);
    const char* const hint = ": give -g for a Gregorian date or -j for a Persian one";
    if (!calendar) {
        const bool dashes = fields->separators == "--", slashes = fields->separators == "//";
        if (!dashes && !slashes)
            return std::nullopt;
        if (yearLast)
            throw std::runtime_error(std::string("the year comes last (day/month/year)") + hint);
        if (date.year < FirstGregorianYearGuessed)
            calendar = CalendarKind::Persian;
        else if (dashes)
            calendar = CalendarKind::Gregorian;
        else
            throw std::runtime_error("a year from " + std::to_string(FirstGregorianYearGuessed) +
                                     " on is not taken for a Persian one" + hint);
    }
    date.calendar = *calendar;
    return date;
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

void CheckPersianDay(uint32_t year, uint32_t month, uint32_t day, PersianDate::CalendarRule rule) {
    if (year > 65535)
        throw std::runtime_error(
            AfterRangeMessage(CalendarKind::Persian, rule, "Invalid argument to date encode"));
    if (year < 1)
        throw std::runtime_error(BeforeRangeMessage(CalendarKind::Persian));
    if (month < 1 || month > 12)
        throw std::runtime_error("the month is not 1 to 12");
    // The library rolls a day past the month's end over into the next month;
    // a date typed by a person names a day that exists or is refused.
    const int days =
        DaysInPersianMonth(static_cast<uint16_t>(year), static_cast<uint16_t>(month), rule);
    if (day < 1 || day > static_cast<uint32_t>(days))
        throw std::runtime_error(std::string(PersianMonthNamesLatin[month - 1]) + " " +
                                 std::to_string(year) + " has " + std::to_string(days) + " days");
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

std::string CleanArgument(const std::string& text) {
    // Invisible marks that text copied from right-to-left writing carries
    // (Unicode's bidirectional formatting characters, UAX #9, and the BOM), in UTF-8.
    static const char* const Marks[] = {
        "\xE2\x80\x8E", "\xE2\x80\x8F", "\xD8\x9C",     // LRM, RLM, ALM
        "\xE2\x80\xAA", "\xE2\x80\xAB", "\xE2\x80\xAC", // LRE, RLE, PDF
        "\xE2\x80\xAD", "\xE2\x80\xAE",                 // LRO, RLO
        "\xE2\x81\xA6", "\xE2\x81\xA7", "\xE2\x81\xA8", // LRI, RLI, FSI
        "\xE2\x81\xA9", "\xEF\xBB\xBF",                 // PDI, BOM
    };
    // Blanks: ASCII white space, the no-break space and the narrow one.
    static const char* const Blanks[] = {" ",  "\t", "\r",       "\n",
                                         "\v", "\f", "\xC2\xA0", "\xE2\x80\xAF"};
    const auto startsWithAny = [](const std::string& s, size_t at, const auto& list) -> size_t {
        for (const char* item : list)
            if (s.compare(at, std::strlen(item), item) == 0)
                return std::strlen(item);
        return 0;
    };
    std::string out;
    for (size_t i = 0; i < text.size();) {
        if (const size_t length = startsWithAny(text, i, Marks)) {
            i += length;
        } else {
            out += text[i];
            ++i;
        }
    }
    size_t begin = 0;
    while (const size_t length = startsWithAny(out, begin, Blanks))
        begin += length;
    size_t end = out.size();
    for (bool trimmed = true; trimmed && end > begin;) {
        trimmed = false;
        for (const char* blank : Blanks) {
            const size_t length = std::strlen(blank);
            if (end - begin >= length && out.compare(end - length, length, blank) == 0) {
                end -= length;
                trimmed = true;
                break;
            }
        }
    }
    return out.substr(begin, end - begin);
}

}  // namespace velnora
