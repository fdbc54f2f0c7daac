// SPDX-License-Identifier: GPL-3.0-or-later
// velnora-cli today: today's Persian date as the program writes it
// (1405/09/17), or by a format; under the rule of the program's settings by
// default.
#include "Commands.h"

#include "CalendarOption.h"
#include "DateFormat.h"
#include "DateTime.h"

#include <cstdio>

namespace {

int RunToday(const CommandLine& line) {
    if (!line.Positional().empty())
        throw Misuse("today: unexpected argument '" + line.Positional().front() + "'");
    const PersianDate::CalendarRule rule = ChosenRule(line, ProgramCalendarRule);
    const std::string text = FormatDate(Today(), line.Value("format").value_or("%Y/%m/%d"),
                                        CalendarKind::Persian, rule, line.IsSet("persian-digits"));
    std::printf("%s\n", text.c_str());
    return 0;
}

} // namespace

const Command TodayCommand = {
    "today",
    "Usage: velnora-cli today [--calendar RULE] [--format FORMAT] [--persian-digits]\n"
    "\n"
    "Prints today's Persian date as the program writes it (1405/09/17).\n"
    "\n" VELNORA_RULE_HELP
    "                     (default: the rule of the program's settings file)\n" VELNORA_FORMAT_HELP,
    {CalendarRuleOption, FormatOption, PersianDigitsOption},
    RunToday,
};
