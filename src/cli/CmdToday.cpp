// SPDX-License-Identifier: GPL-3.0-or-later

#include "Commands.h"

#include "CalendarOption.h"
#include "DateTime.h"
#include "PersianDate.h"

#include <cstdio>

// velnora-cli today [--calendar RULE]: today's Persian date as the program
// writes it (1405/09/17), under the rule of the program's settings by default.
int RunToday(const Args& args) {
    PersianDate::CalendarRule rule;
    if (args.empty())
        rule = ProgramCalendarRule();
    else if (args.size() == 2 && args[0] == "--calendar")
        rule = CalendarOption(args[1]);
    else
        return UsageError();
    std::printf("%s\n", PersianDate::DateToPersianStr(Today(), rule).c_str());
    return 0;
}
