// SPDX-License-Identifier: GPL-3.0-or-later

#include "CalendarOption.h"

#include "Commands.h"
#include "ProfileFile.h"
#include "Settings.h"

PersianDate::CalendarRule CalendarOption(const std::string& value) {
    if (const auto rule = PersianDate::CalendarRuleNamed(value))
        return *rule;
    throw Misuse("--calendar is arithmetic or official, not '" + value + "'");
}

PersianDate::CalendarRule ChosenRule(const CommandLine& line,
                                     PersianDate::CalendarRule (*otherwise)()) {
    if (const std::optional<std::string> value = line.Value("calendar"))
        return CalendarOption(*value);
    return otherwise();
}

PersianDate::CalendarRule ProgramCalendarRule() {
    return CalendarRuleOf(LoadSettings(ProfileFile(ProgramSettingsFile())));
}

PersianDate::CalendarRule ArithmeticRule() {
    return PersianDate::CalendarRule::Arithmetic;
}
