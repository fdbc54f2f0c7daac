// SPDX-License-Identifier: GPL-3.0-or-later

#include "CalendarOption.h"

#include "Commands.h"
#include "DateArgs.h"
#include "ProfileFile.h"
#include "Settings.h"

PersianDate::CalendarRule CalendarOption(const std::string& value) {
    if (const auto rule = PersianDate::CalendarRuleNamed(CleanArgument(value)))
        return *rule;
    throw Misuse("--calendar is arithmetic or official, not '" + value + "'");
}

PersianDate::CalendarRule ChosenRule(const CommandLine& line) {
    if (const std::optional<std::string> value = line.Value("calendar"))
        return CalendarOption(*value);
    return ProgramCalendarRule();
}

PersianDate::CalendarRule ProgramCalendarRule() {
    return CalendarRuleOf(LoadSettings(ProfileFile(ProgramSettingsFile())));
}
