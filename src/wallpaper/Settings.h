// SPDX-License-Identifier: GPL-3.0-or-later
// The user's choices as the settings file keeps them.
#pragma once

#include "Compose.h"
#include "PersianDate.h"
#include "ProfileFile.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>

namespace velnora {

struct Settings {
    int32_t leftRight = 30;           // distance/leftright read as an integer (spin position)
    int32_t topBottom = 30;           // distance/topbottom read as an integer
    std::string leftRightText = "30"; // the same keys read as text (edit boxes)
    std::string topBottomText = "30";
    int32_t back = 0;     // color/back, 0x00BBGGRR
    int32_t today = 255;  // color/today
    bool previous = true; // months/previous
    bool next = true;     // months/next
    int32_t position = 1; // image/position: 1 top right, 2 bottom right, 3 bottom left, 4 top left
    bool choose = false;  // image/choose
    bool current = true;  // image/current
    bool stretch = true;  // image/stretch
    std::string path;     // image/path
    // calendar/rule: "arithmetic" or "official"; any other stored text reads as
    // "arithmetic", so this holds one of the two.
    std::string calendarRule = "arithmetic";
    // calendar/scale: "auto" (the desktop's scale factor) or a whole percentage
    // from 100 to 400, as text ("150"). Loading turns anything else into "auto".
    std::string scale = "auto";
    // color/outline: "none", "auto" (black or white, whichever contrasts more
    // with the text colour) or a colour, 0x00BBGGRR in decimal. Loading turns
    // anything else into "none".
    std::string outline = "none";
    // color/holiday: -1 for none, or the 0x00BBGGRR colour of Fridays and the
    // fixed holidays of the solar calendar. Loading turns any other number into -1.
    int32_t holiday = -1;
    // calendar/otherdates: "none", "gregorian" or "gregorian-lunar", the other
    // calendars' dates in small print in each day's cell. Loading turns
    // anything else into "none".
    std::string otherDates = "none";
    // calendar/monthnames: "iranian" or "dari" (Afghanistan's names of the
    // same months). Loading turns anything else into "iranian".
    std::string monthNames = "iranian";
    // image/keepproportions: the stretch scales to cover the desktop and crops
    // the rest, centred, rather than stretching to its exact size.
    bool keepProportions = true;
    // distance/workarea: the distances count from the edge of the monitor's
    // work area, clear of panels, rather than from the screen's edge.
    bool workArea = true;
};

enum class SettingType { Integer, Text, Boolean };

// One reading of a key. The field it feeds is the one member pointer that is
// set for its type; its default is that field's initial value in Settings.
struct SettingKey {
    const char* section;
    const char* key;
    SettingType type;
    bool saved; // the distance keys are read twice but written once, as text
    int32_t Settings::*integer = nullptr;
    bool Settings::*boolean = nullptr;
    std::string Settings::*text = nullptr;
};

// In the order the settings are read; the saved ones in the order they are written.
inline constexpr std::array<SettingKey, 21> SettingsSchema = {{
    {"distance", "leftright", SettingType::Integer, false, &Settings::leftRight},
    {"distance", "topbottom", SettingType::Integer, false, &Settings::topBottom},
    {"distance", "leftright", SettingType::Text, true, nullptr, nullptr,
     &Settings::leftRightText},
    {"distance", "topbottom", SettingType::Text, true, nullptr, nullptr,
     &Settings::topBottomText},
    {"color", "back", SettingType::Integer, true, &Settings::back},
    {"color", "today", SettingType::Integer, true, &Settings::today},
    {"months", "previous", SettingType::Boolean, true, nullptr, &Settings::previous},
    {"months", "next", SettingType::Boolean, true, nullptr, &Settings::next},
    {"image", "position", SettingType::Integer, true, &Settings::position},
    {"image", "choose", SettingType::Boolean, true, nullptr, &Settings::choose},
    {"image", "current", SettingType::Boolean, true, nullptr, &Settings::current},
    {"image", "stretch", SettingType::Boolean, true, nullptr, &Settings::stretch},
    {"image", "path", SettingType::Text, true, nullptr, nullptr, &Settings::path},
    {"calendar", "rule", SettingType::Text, true, nullptr, nullptr,
     &Settings::calendarRule},
    {"calendar", "scale", SettingType::Text, true, nullptr, nullptr, &Settings::scale},
    {"color", "outline", SettingType::Text, true, nullptr, nullptr, &Settings::outline},
    {"color", "holiday", SettingType::Integer, true, &Settings::holiday},
    {"calendar", "otherdates", SettingType::Text, true, nullptr, nullptr,
     &Settings::otherDates},
    {"calendar", "monthnames", SettingType::Text, true, nullptr, nullptr,
     &Settings::monthNames},
    {"image", "keepproportions", SettingType::Boolean, true, nullptr, &Settings::keepProportions},
    {"distance", "workarea", SettingType::Boolean, true, nullptr, &Settings::workArea},
}};

// Reads every choice with its default. The window applies them to its controls
// in the field order above, so the controls' handlers run as for the user.
Settings LoadSettings(const ProfileFile& file);
// Writes every choice in the settings file's order. path is written as given:
// the caller empties it first when it names no existing file. Stops at the
// first refused write ("Unable to write to <path>"); earlier keys stay written.
void SaveSettings(ProfileFile& file, const Settings& settings);

// The calendar rule the settings choose.
PersianDate::CalendarRule CalendarRuleOf(const Settings& settings);

// The calendar's scale, in percent: as designed up to four times as large.
inline constexpr int LeastScalePercent = 100;
inline constexpr int MostScalePercent = 400;

// The calendar's scale in percent, 100 to 400, the settings choose; none for
// "auto", the desktop's scale factor. Text that is not a whole number in that
// range reads as "auto".
std::optional<int> ScalePercentOf(const Settings& settings);
// The halo around the calendar's texts: "none", "auto" or a colour 0 to
// 0xFFFFFF written as a whole number; anything else reads as "none".
TextOutline OutlineOf(const Settings& settings);
// The colour of Fridays and the fixed holidays: none for -1 or any number that
// is not a colour 0 to 0xFFFFFF.
std::optional<Colour> HolidayColourOf(const Settings& settings);

// The other dates in each cell, and the months' names, the settings choose.
OtherDates OtherDatesOf(const Settings& settings);
MonthNaming MonthNamingOf(const Settings& settings);
// The settings file's text for the other dates: "none", "gregorian" or
// "gregorian-lunar".
const char* OtherDatesText(OtherDates dates);

// The settings file's texts for a scale ("auto" for none, else "150") and an
// outline ("none", "auto", or the colour in decimal).
std::string ScaleText(std::optional<int> percent);
std::string OutlineText(const TextOutline& outline);

// A setting's value as the file stores it: texts as they are, integers in
// decimal, booleans "0" or "1".
std::string SettingText(const Settings& settings, const SettingKey& key);

}  // namespace velnora
