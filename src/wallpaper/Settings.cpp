// SPDX-License-Identifier: GPL-3.0-or-later

#include "Settings.h"

#include "WholeNumber.h"

Settings LoadSettings(const ProfileFile& file) {
    Settings settings;
    for (const SettingKey& key : SettingsSchema) {
        switch (key.type) {
        case SettingType::Integer:
            settings.*key.integer =
                file.ReadInteger(key.section, key.key, StrToInt(key.defaultValue));
            break;
        case SettingType::Boolean:
            settings.*key.boolean =
                file.ReadBool(key.section, key.key, StrToInt(key.defaultValue) != 0);
            break;
        case SettingType::Text:
            settings.*key.text = file.ReadString(key.section, key.key, key.defaultValue);
            break;
        }
    }
    // The rule is a choice of two; the reading of any other text is the default.
    settings.calendarRule = PersianDate::CalendarRuleName(CalendarRuleOf(settings));
    return settings;
}

PersianDate::CalendarRule CalendarRuleOf(const Settings& settings) {
    return PersianDate::CalendarRuleNamed(settings.calendarRule)
        .value_or(PersianDate::CalendarRule::Arithmetic);
}

void SaveSettings(ProfileFile& file, const Settings& settings) {
    for (const SettingKey& key : SettingsSchema)
        if (key.saved)
            file.WriteString(key.section, key.key, SettingText(settings, key));
}

std::string SettingText(const Settings& settings, const SettingKey& key) {
    switch (key.type) {
    case SettingType::Integer:
        return std::to_string(settings.*key.integer);
    case SettingType::Boolean:
        return settings.*key.boolean ? "1" : "0";
    case SettingType::Text:
        break;
    }
    return settings.*key.text;
}
