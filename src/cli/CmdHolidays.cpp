// SPDX-License-Identifier: GPL-3.0-or-later
// velnora-cli holidays: the official holidays of a Persian year, solar and
// lunar, with their Persian names; under the rule of the program's settings
// by default.
#include "Commands.h"

#include "CalendarOption.h"
#include "DateFormat.h"
#include "DateTime.h"
#include "FormatFields.h"
#include "Holidays.h"
#include "WholeNumber.h"

#include <cstdio>

namespace velnora {

namespace {

// The years the platform's dates hold whole: 1 Farvardin 1 to the last full
// year before 31 December 9999.
constexpr int32_t LastWholeYear = 9377;

uint16_t ChosenYear(const CommandLine& line, PersianDate::CalendarRule rule) {
    const Args& positional = line.Positional();
    if (positional.size() > 1)
        throw Misuse("holidays: unexpected argument '" + positional[1] + "'");
    if (positional.empty()) {
        uint16_t year = 0, month = 0, day = 0;
        PersianDate::DateToPersian(Today(), year, month, day, rule);
        return year;
    }
    const std::optional<int32_t> year = TryStrToInt(WithAsciiDigits(positional[0]));
    if (!year || *year < 1 || *year > LastWholeYear)
        throw Misuse("holidays wants a Persian year from 1 to " + std::to_string(LastWholeYear) +
                     ", not '" + positional[0] + "'");
    return static_cast<uint16_t>(*year);
}

int RunHolidays(const CommandLine& line) {
    const PersianDate::CalendarRule rule = ChosenRule(line);
    const uint16_t year = ChosenYear(line, rule);
    const bool tsv = line.IsSet("tsv");
    for (const HolidayDay& holiday : HolidaysOfYear(year, rule)) {
        const std::string date = FormatDate(PersianDate::PersianToDate(year, holiday.month,
                                                                       holiday.day, rule),
                                            "%Y/%m/%d", CalendarKind::Persian, rule, false);
        // One line a name for scripts; one line a day for the reader, the names
        // joined by the Persian comma.
        if (tsv) {
            for (const std::string& name : holiday.names)
                std::printf("%s\t%s\n", date.c_str(), name.c_str());
            continue;
        }
        std::printf("%s  %s\n", date.c_str(), PersianList(holiday.names).c_str());
    }
    return 0;
}

} // namespace

const Command HolidaysCommand = {
    "holidays",
    "Usage: velnora-cli holidays [YEAR] [--tsv] [--calendar RULE]\n"
    "\n"
    "Lists the official holidays of the Persian year YEAR (default: this year),\n"
    "solar and lunar, each with its date and its Persian name. Fridays, every\n"
    "one a holiday, are not listed. The lunar holidays follow Iran's published\n"
    "calendar up to Tir 1405, and the arithmetic Islamic calendar after it,\n"
    "which can be a day off the day Iran announces.\n"
    "\n",
    {{{"tsv"}, nullptr, "for scripts: the date and one name on each line,\nseparated by a tab"},
     CalendarRuleOption},
    RunHolidays,
};

}  // namespace velnora
