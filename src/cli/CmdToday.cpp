// SPDX-License-Identifier: GPL-3.0-or-later
// velnora-cli today: today's Persian date as the program writes it
// (1405/09/17), or by a format given as date(1) takes it; under the rule of the
// program's settings by default.
#include "Commands.h"

#include "CalendarOption.h"
#include "DateFormat.h"
#include "DateTime.h"

#include <cstdio>
#include <ctime>
#include <stdexcept>

namespace {

std::string TwoDigits(int value) {
    return {static_cast<char>('0' + value / 10), static_cast<char>('0' + value % 10)};
}

// The format with %H, %M and %S replaced by the time of day; "%%" stays for
// FormatDate, which writes the date's fields and copies the rest.
std::string WithTimeFields(const std::string& format, const std::tm& now, bool persianDigits) {
    std::string out;
    for (size_t i = 0; i < format.size(); ++i) {
        const char next = i + 1 < format.size() ? format[i + 1] : '\0';
        const int value = next == 'H'   ? now.tm_hour
                          : next == 'M' ? now.tm_min
                          : next == 'S' ? now.tm_sec
                                        : -1;
        if (format[i] == '%' && value >= 0) {
            out += persianDigits ? WithPersianDigits(TwoDigits(value)) : TwoDigits(value);
            ++i;
        } else if (format[i] == '%' && next == '%') {
            out += "%%";
            ++i;
        } else {
            out += format[i];
        }
    }
    return out;
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
    const std::string text =
        FormatDate(today, WithTimeFields(format.value_or("%Y/%m/%d"), now, persianDigits),
                   CalendarKind::Persian, rule, persianDigits);
    std::printf("%s\n", text.c_str());
    return 0;
}

} // namespace

const Command TodayCommand = {
    "today",
    "Usage: velnora-cli today [--calendar RULE] [--format FORMAT | +FORMAT]\n"
    "                         [--persian-digits]\n"
    "\n"
    "Prints today's Persian date as the program writes it (1405/09/17), or by\n"
    "FORMAT, given as date(1) takes it: velnora-cli today '+%A %e %B %Y, %H:%M'.\n"
    "FORMAT has the time of day too: %H hour 00-23, %M minute 00-59, %S second.\n"
    "\n" VELNORA_RULE_HELP VELNORA_FORMAT_HELP,
    {CalendarRuleOption, FormatOption, PersianDigitsOption},
    RunToday,
};
