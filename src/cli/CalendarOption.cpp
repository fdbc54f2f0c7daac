// SPDX-License-Identifier: GPL-3.0-or-later

#include "CalendarOption.h"

#include "Commands.h"
#include "DateArgs.h"
#include "ProfileFile.h"
#include "Settings.h"

#include <QString>

namespace velnora {

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

MonthNaming ChosenMonthNames(const CommandLine& line) {
    const std::optional<std::string> value = line.Value("month-names");
    if (!value)
        return MonthNamingOf(LoadSettings(ProfileFile(ProgramSettingsFile())));
    const QString name = QString::fromStdString(CleanArgument(*value)).toLower();
    for (const MonthNaming naming : {MonthNaming::Iranian, MonthNaming::Dari})
        if (name == QLatin1String(MonthNamingName(naming)))
            return naming;
    throw Misuse("--month-names is iranian or dari, not '" + *value + "'");
}

}  // namespace velnora
