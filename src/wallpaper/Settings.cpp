// SPDX-License-Identifier: GPL-3.0-or-later

#include "Settings.h"

#include "WholeNumber.h"

namespace velnora {

Settings LoadSettings(const ProfileFile& file) {
    const Settings defaults;
    Settings settings;
    for (const SettingKey& key : SettingsSchema) {
        switch (key.type) {
        case SettingType::Integer:
            settings.*key.integer =
                file.ReadInteger(key.section, key.key, defaults.*key.integer);
            break;
        case SettingType::Boolean:
            settings.*key.boolean =
                file.ReadBool(key.section, key.key, defaults.*key.boolean);
            break;
        case SettingType::Text:
            settings.*key.text = file.ReadString(key.section, key.key, defaults.*key.text);
            break;
        }
    }
    // The new choices read as their readers take them: any other text is the default.
    settings.calendarRule = PersianDate::CalendarRuleName(CalendarRuleOf(settings));
    settings.scale = ScaleText(ScalePercentOf(settings));
    settings.outline = OutlineText(OutlineOf(settings));
    settings.holiday = HolidayColourOf(settings) ? settings.holiday : -1;
    settings.otherDates = OtherDatesText(OtherDatesOf(settings));
    settings.monthNames = MonthNamingName(MonthNamingOf(settings));
    return settings;
}

namespace {

// The largest 0x00BBGGRR colour.
constexpr int32_t WhiteColour = 0xFFFFFF;

std::optional<Colour> ColourOf(std::optional<int32_t> value) {
    if (!value || *value < 0 || *value > WhiteColour)
        return std::nullopt;
    return Colour{static_cast<uint32_t>(*value)};
}

} // namespace

std::optional<int> ScalePercentOf(const Settings& settings) {
    const std::optional<int32_t> percent = TryStrToInt(settings.scale);
    if (!percent || *percent < LeastScalePercent || *percent > MostScalePercent)
        return std::nullopt;
    return *percent;
}

TextOutline OutlineOf(const Settings& settings) {
    if (settings.outline == "auto")
        return {TextOutline::Kind::Auto, {}};
    if (const auto colour = ColourOf(TryStrToInt(settings.outline)))
        return {TextOutline::Kind::Colour, *colour};
    return {};
}

std::optional<Colour> HolidayColourOf(const Settings& settings) {
    return ColourOf(settings.holiday);
}

std::string ScaleText(std::optional<int> percent) {
    return percent ? std::to_string(*percent) : "auto";
}

std::string OutlineText(const TextOutline& outline) {
    switch (outline.kind) {
    case TextOutline::Kind::Auto:
        return "auto";
    case TextOutline::Kind::Colour:
        return std::to_string(outline.colour.value);
    case TextOutline::Kind::None:
        break;
    }
    return "none";
}

const char* OtherDatesText(OtherDates dates) {
    switch (dates) {
    case OtherDates::Gregorian:
        return "gregorian";
    case OtherDates::GregorianAndLunar:
        return "gregorian-lunar";
    case OtherDates::None:
        break;
    }
    return "none";
}

namespace {

// Choice names are read in any case, as the calendar rule's are: "Dari" in a
// settings file means what "dari" does, rather than silently the default.
std::string Lowered(std::string text) {
    for (char& c : text)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return text;
}

} // namespace

OtherDates OtherDatesOf(const Settings& settings) {
    for (const OtherDates dates : {OtherDates::Gregorian, OtherDates::GregorianAndLunar})
        if (Lowered(settings.otherDates) == OtherDatesText(dates))
            return dates;
    return OtherDates::None;
}

MonthNaming MonthNamingOf(const Settings& settings) {
    return Lowered(settings.monthNames) == MonthNamingName(MonthNaming::Dari) ? MonthNaming::Dari
                                                                              : MonthNaming::Iranian;
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

}  // namespace velnora
