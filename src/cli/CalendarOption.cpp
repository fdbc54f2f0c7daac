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

PersianDate::CalendarRule ProgramCalendarRule() {
    return CalendarRuleOf(LoadSettings(ProfileFile(ProgramSettingsFile())));
}
