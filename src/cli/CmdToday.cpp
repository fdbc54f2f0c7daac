// SPDX-License-Identifier: GPL-3.0-or-later
// velnora-cli today: today's Persian date as the program writes it
// (1405/09/17), or by a format given as date(1) takes it; under the rule of the
// program's settings by default.
#include "Commands.h"

#include "CalendarOption.h"
#include "DateFormat.h"
#include "DateTime.h"
#include "FormatFields.h"
#include "Holidays.h"

#include <cstdio>
#include <ctime>
#include <map>
#include <stdexcept>

namespace velnora {

namespace {

std::string TwoDigits(int value) {
    return {static_cast<char>('0' + value / 10), static_cast<char>('0' + value % 10)};
}

int RunToday(const CommandLine& line) {
    std::optional<std::string> format = line.Value("format");
    for (const std::string& arg : line.Positional()) {
        // "+FORMAT", as date(1) takes it.
        if (arg.empty() || arg[0] != '+' || format)
            throw Misuse("today: unexpected argument '" + arg + "'");
        format = arg.substr(1);
    }
    const PersianDate::CalendarRule rule = ChosenRule(line);
    const bool persianDigits = line.IsSet("persian-digits");
    // One reading of the clock for the date and the time, so that they agree
    // at midnight.
    const std::time_t seconds = std::time(nullptr);
    std::tm now{};
    if (localtime_r(&seconds, &now) == nullptr)
        throw std::runtime_error("Cannot read the local time");
    const double today =
        EncodeDate(static_cast<uint16_t>(now.tm_year + 1900), static_cast<uint16_t>(now.tm_mon + 1),
                   static_cast<uint16_t>(now.tm_mday));
    uint16_t year = 0, month = 0, day = 0;
    PersianDate::DateToPersian(today, year, month, day, rule);
    std::map<char, std::string> fields = MonthNameFields(month, ChosenMonthNames(line));
    const auto time = [&](int value) {
        return persianDigits ? WithPersianDigits(TwoDigits(value)) : TwoDigits(value);
    };
    fields['H'] = time(now.tm_hour);
    fields['M'] = time(now.tm_min);
    fields['S'] = time(now.tm_sec);
    fields['o'] = PersianList(HolidaysOn(year, month, day, rule));
    const std::string text = FormatDate(today, WithFields(format.value_or("%Y/%m/%d"), fields),
                                        CalendarKind::Persian, rule, persianDigits);
    std::printf("%s\n", text.c_str());
    return 0;
}

} // namespace

const Command TodayCommand = {
    "today",
    "Usage: velnora-cli today [--calendar RULE] [--format FORMAT | +FORMAT]\n"
    "                         [--persian-digits] [--month-names NAMES]\n"
    "\n"
    "Prints today's Persian date as the program writes it (1405/09/17), or by\n"
    "FORMAT, given as date(1) takes it: velnora-cli today '+%A %e %B %Y, %H:%M'.\n"
    "FORMAT has the time of day too: %H hour 00-23, %M minute 00-59, %S second;\n"
    "and %o the names of the day's holidays, joined by \u060c, empty on a working\n"
    "day (Fridays are not named).\n"
    "\n",
    {CalendarRuleOption, MonthNamesOption, FormatOption, PersianDigitsOption},
    RunToday,
    FormatFieldsHelp,
};

}  // namespace velnora
